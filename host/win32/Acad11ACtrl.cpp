#include "Acad11ACtrl.h"

#include "CommandText.h"
#include "TextCodec.h"

#include <vector>

namespace kolvo {

namespace {

HWND AsHwnd(WindowRef window) {
    return reinterpret_cast<HWND>(window);
}
WindowRef AsRef(HWND window) {
    return reinterpret_cast<WindowRef>(window);
}

// Titles and class names are read into 256 bytes with a limit of 255, as the host's own
// texts are known to fit.
constexpr int kNameLimit = 255;

class DesktopDirectory final : public WindowDirectory {
public:
    bool IsLive(WindowRef window) const override { return IsWindow(AsHwnd(window)) != FALSE; }

    std::string Title(WindowRef window) const override {
        char buffer[kNameLimit + 1] = {};
        const int length = GetWindowTextA(AsHwnd(window), buffer, kNameLimit);
        return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
    }

    std::string ClassName(WindowRef window) const override {
        char buffer[kNameLimit + 1] = {};
        const int length = GetClassNameA(AsHwnd(window), buffer, kNameLimit);
        return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
    }

    std::uint32_t ProcessOf(WindowRef window) const override {
        DWORD processId = 0;
        GetWindowThreadProcessId(AsHwnd(window), &processId);
        return processId;
    }

    // The search rides in the enumeration's argument: the callbacks need no state of their own.
    void EnumTopLevel(HostWindowSearch& search, WindowProbe probe) override {
        EnumWindows(CallbackFor(probe), reinterpret_cast<LPARAM>(&search));
    }

    void EnumDescendants(HostWindowSearch& search, WindowRef parent, WindowProbe probe) override {
        EnumChildWindows(AsHwnd(parent), CallbackFor(probe), reinterpret_cast<LPARAM>(&search));
    }

private:
    static WNDENUMPROC CallbackFor(WindowProbe probe) {
        switch (probe) {
        case WindowProbe::MainWindow:
            return MainWindowProbe;
        case WindowProbe::TextWindow:
            return TextWindowProbe;
        case WindowProbe::CommandLineFrame:
            return CommandLineFrameProbe;
        case WindowProbe::CommandLineChild:
            break;
        }
        return CommandLineChildProbe;
    }
};

// The host windows are remembered for the whole program, as one search of the one desktop.
HostWindowSearch& Search() {
    static DesktopDirectory desktop;
    static HostWindowSearch search(desktop);
    return search;
}

BOOL Verdict(bool goOn) {
    return goOn ? ~BOOL{0} : FALSE;
}

HostWindowSearch& SearchOf(LPARAM argument) {
    return *reinterpret_cast<HostWindowSearch*>(argument);
}

bool IsLive(HWND window) {
    return window != nullptr && IsWindow(window) != FALSE;
}

HWND RememberedMainWindow() {
    return AsHwnd(Search().Remembered().HostMainWindow);
}

std::string ToAnsi(std::wstring_view text) {
    return WideToCp932(text);
}

std::u16string FromAnsi(std::string_view ansi) {
    return Cp932ToUtf16(ansi);
}

SendOutcome Deliver(HWND host, const CommandMessage& message, const CommandDelivery& deliver) {
    COPYDATASTRUCT record{};
    record.dwData = CommandMessage::kDwData;
    record.cbData = message.cbData;
    record.lpData = const_cast<unsigned char*>(message.data.data());
    return deliver(host, record);
}

CommandMessage MessageFor(std::wstring_view text, bool unicode) {
    if (!unicode) {
        return AnsiCommandMessage(ToAnsi(text));
    }
    const std::u16string original(text.begin(), text.end());
    return UnicodeCommandMessage(original, FromAnsi(ToAnsi(text)));
}

} // namespace

const RememberedHostWindows& RememberedHost() {
    return Search().Remembered();
}

BOOL CALLBACK MainWindowProbe(HWND window, LPARAM search) {
    return Verdict(SearchOf(search).MainWindowProbe(AsRef(window)));
}

BOOL CALLBACK TextWindowProbe(HWND window, LPARAM search) {
    return Verdict(SearchOf(search).TextWindowProbe(AsRef(window)));
}

BOOL CALLBACK CommandLineFrameProbe(HWND window, LPARAM search) {
    return Verdict(SearchOf(search).CommandLineFrameProbe(AsRef(window)));
}

BOOL CALLBACK CommandLineChildProbe(HWND window, LPARAM search) {
    return Verdict(SearchOf(search).CommandLineChildProbe(AsRef(window)));
}

HWND FindHostMainWindow() {
    return AsHwnd(Search().FindHostMainWindow());
}

HWND FindHostTextWindow() {
    return AsHwnd(Search().FindHostTextWindow());
}

HWND FindHostCommandLine() {
    return AsHwnd(Search().FindHostCommandLine());
}

bool ActivateHost() {
    FindHostMainWindow();
    const HWND host = RememberedMainWindow();
    if (!IsLive(host)) {
        return false;
    }
    if (IsIconic(host)) {
        ShowWindow(host, SW_RESTORE);
    }
    SetForegroundWindow(host);
    return true;
}

SendOutcome DeliverCopyData(HWND host, const COPYDATASTRUCT& record) {
    // Bounded: an unbounded send to a host that never answers would hold the run, hidden behind
    // its minimised dialog, for as long as the host stays that way.
    DWORD_PTR answer = 0;
    SetLastError(ERROR_SUCCESS);
    if (SendMessageTimeoutA(host, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record),
                            SMTO_ABORTIFHUNG, kCommandAnswerMilliseconds, &answer) == 0) {
        switch (GetLastError()) {
        case ERROR_ACCESS_DENIED:
            // A host with higher rights (run as administrator) does not take messages from a
            // program with fewer.
            return SendOutcome::Refused;
        case ERROR_INVALID_WINDOW_HANDLE:
            return SendOutcome::NoHost;
        default:
            return SendOutcome::NoAnswer;
        }
    }
    // Wakes a host that waits for input before it looks at what it was sent.
    PostMessageA(host, WM_NULL, 0, 0);
    return SendOutcome::Sent;
}

SendOutcome DeliverCommand(std::wstring_view text, const CommandDelivery& deliver) {
    FindHostMainWindow();
    const HWND host = RememberedMainWindow();
    if (!IsLive(host)) {
        return SendOutcome::NoHost;
    }
    return Deliver(host, MessageFor(text, IsWindowUnicode(host) != FALSE), deliver);
}

bool TypeCommand(std::wstring_view text) {
    return DeliverCommand(text) == SendOutcome::Sent;
}

bool SendCommandText(std::wstring_view text, bool unicode) {
    FindHostMainWindow();
    if (!IsLive(RememberedMainWindow())) {
        return false;
    }
    return unicode ? SendCommandTextW(text) : SendCommandTextA(text);
}

bool SendCommandTextW(std::wstring_view text) {
    const HWND host = RememberedMainWindow();
    if (!IsLive(host)) {
        return false;
    }
    return Deliver(host, MessageFor(text, true), DeliverCopyData) == SendOutcome::Sent;
}

bool SendCommandTextA(std::wstring_view text) {
    FindHostMainWindow();
    const HWND host = RememberedMainWindow();
    if (!IsLive(host)) {
        return false;
    }
    return Deliver(host, MessageFor(text, false), DeliverCopyData) == SendOutcome::Sent;
}

std::string ReadCommandLine() {
    return ReadWindowText(FindHostCommandLine());
}

std::string ReadWindowText(HWND window) {
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    const std::size_t bytes = WindowTextBufferBytes(static_cast<std::intptr_t>(length));
    if (bytes == 0) {
        return {};
    }
    // One byte more than offered, so the text ends in a NUL whatever the window wrote.
    std::vector<char> buffer(bytes + 1, '\0');
    SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(bytes),
                 reinterpret_cast<LPARAM>(buffer.data()));
    return TextFromBuffer(buffer.data(), bytes);
}

} // namespace kolvo
