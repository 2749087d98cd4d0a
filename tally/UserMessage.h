// Messages the user must see while the analysis runs. The analysis core has no user interface of
// its own: the program that calls it decides how a message is shown (a message box with the
// application title, a line on the terminal, ...).
#pragma once

#include <functional>
#include <string>

namespace kolvo {

// Receives one message text (CP932 bytes).
using UserMessageHook = std::function<void(const std::string&)>;

// Installs the hook that ShowUserMessage calls; an empty hook drops the messages.
void SetUserMessageHook(UserMessageHook hook);

// Hands `text` to the installed hook, if any.
void ShowUserMessage(const std::string& text);

} // namespace kolvo
