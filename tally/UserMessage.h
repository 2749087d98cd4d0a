// Messages the user must see while the analysis runs. The analysis core has no user interface of
// its own: the caller of an analysis decides how a message is shown (a message box with the
// application title, a line on the terminal, ...), and hands that over with the analysis so that
// two analyses at once never share it.
#pragma once

#include <functional>
#include <string>

namespace kolvo {

// Receives one message text (CP932 bytes).
using UserMessageHook = std::function<void(const std::string&)>;

} // namespace kolvo
