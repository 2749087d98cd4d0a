// Driving the CAD host through its windows: finding its main window and command line among the
// desktop's windows, typing whole command texts into it and reading its command-line line back.
//
// Nothing links to the host. A command text goes to the host main window in one WM_COPYDATA
// message; the command line is read by asking the "Headlands" window for its text. All of it
// runs on the user-interface thread, and every remembered window is tested for liveness before
// it is used.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "CommandText.h"
#include "HostRules.h"

namespace kolvo {

// The remembered host windows (handles as WindowRef values) and the host's process id.
const RememberedHostWindows& RememberedHost();

// Window-enumeration callbacks of the search; the enumeration argument is the HostWindowSearch
// that asked.
BOOL CALLBACK MainWindowProbe(HWND window, LPARAM);
BOOL CALLBACK TextWindowProbe(HWND window, LPARAM);
BOOL CALLBACK CommandLineFrameProbe(HWND window, LPARAM);
BOOL CALLBACK CommandLineChildProbe(HWND window, LPARAM);

// The host main window, searched for when the remembered one has gone; may be none.
HWND FindHostMainWindow();
// The host's text window (only one of the host's own process), or none.
HWND FindHostTextWindow();
// The host's command-line window ("Headlands"), or none.
HWND FindHostCommandLine();
// Brings the host main window to the front, restored first when it is minimised (nobody can
// pick objects in an icon); false when there is no host.
bool ActivateHost();

// Hands one WM_COPYDATA record to the host main window, then wakes the host. The real one waits
// at most kCommandAnswerMilliseconds and tells a refusal from the host's silence; tests put
// their own in its place to play a host that refuses or does not answer.
using CommandDelivery = std::function<SendOutcome(HWND host, const COPYDATASTRUCT& record)>;
SendOutcome DeliverCopyData(HWND host, const COPYDATASTRUCT& record);

// Types `text` at the host's command line, in the form its main window takes at this moment,
// and says what became of it.
SendOutcome DeliverCommand(std::wstring_view text,
                           const CommandDelivery& deliver = DeliverCopyData);

// The same, true when the host took the text.
bool TypeCommand(std::wstring_view text);
bool SendCommandText(std::wstring_view text, bool unicode);
// The UTF-16 form, after a round trip through the ANSI code page, as the host would have
// received the text typed on a keyboard of this system.
bool SendCommandTextW(std::wstring_view text);
// The 8-bit form in the ANSI code page.
bool SendCommandTextA(std::wstring_view text);

// The host's current command-line line (8-bit, ANSI code page); empty when there is none.
std::string ReadCommandLine();
// The text `window` reports when asked (8-bit, ANSI code page); empty when it reports none.
std::string ReadWindowText(HWND window);

} // namespace kolvo
