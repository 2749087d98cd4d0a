#include "HostRules.h"

#include "ShiftJis.h"

namespace kolvo {

namespace {

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// Japanese words in window titles: a match must not start on the second byte of a double-byte
// character.
bool ContainsWord(std::string_view title, std::string_view word) {
    return SjisFind(title, word) != std::string_view::npos;
}

bool HasAfxClass(std::string_view className, std::string_view kindMark) {
    return className.starts_with("Afx:") && Contains(className, kindMark);
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// The MDI frame class of any MFC version: "AfxMDIFrame", the version's one to three digits, "u"
// (90u, 100u, 140u). Every release of the host since about 2015 has one of these as its main
// window, so a fixed list of versions stops finding the host at its next release.
bool HasMfcFrameClass(std::string_view className) {
    constexpr std::string_view kFrame = "AfxMDIFrame";
    for (std::size_t at = className.find(kFrame); at != std::string_view::npos;
         at = className.find(kFrame, at + 1)) {
        const std::string_view rest = className.substr(at + kFrame.size());
        std::size_t digits = 0;
        while (digits < rest.size() && IsAsciiDigit(rest[digits])) {
            ++digits;
        }
        if (digits >= 1 && digits <= 3 && digits < rest.size() && rest[digits] == 'u') {
            return true;
        }
    }
    return false;
}

} // namespace

bool HasHostMainTitle(std::string_view title) {
    return title.starts_with("AutoCAD ") || title.starts_with("Autodesk ") ||
           title.starts_with("ACAD");
}

bool HasHostMainClass(std::string_view className) {
    return HasAfxClass(className, ":8:") || Contains(className, "AfxMDIFrame90u") ||
           Contains(className, "AfxMDIFrame100u") || HasMfcFrameClass(className);
}

bool HasHostTextWindowTitle(std::string_view title) {
    return title.starts_with("AutoCAD ") && ContainsWord(title, "テキスト ウィンドウ");
}

bool HasHostTextWindowClass(std::string_view className) {
    return HasAfxClass(className, ":b:");
}

bool HasCommandLineFrameTitle(std::string_view title) {
    return ContainsWord(title, "コマンド ライン");
}

bool HasCommandLineFrameClass(std::string_view className) {
    return HasAfxClass(className, ":8:");
}

bool HostWindowSearch::Probe(WindowProbe probe, WindowRef window) {
    switch (probe) {
    case WindowProbe::MainWindow:
        return MainWindowProbe(window);
    case WindowProbe::TextWindow:
        return TextWindowProbe(window);
    case WindowProbe::CommandLineFrame:
        return CommandLineFrameProbe(window);
    case WindowProbe::CommandLineChild:
        return CommandLineChildProbe(window);
    }
    return true;
}

bool HostWindowSearch::MainWindowProbe(WindowRef window) {
    const std::string title = desktop_.Title(window);
    if (title.empty() || !HasHostMainTitle(title)) {
        return true;
    }
    if (!HasHostMainClass(desktop_.ClassName(window))) {
        return true;
    }
    remembered_.HostMainWindow = window;
    remembered_.HostProcessId = desktop_.ProcessOf(window);
    return false;
}

bool HostWindowSearch::TextWindowProbe(WindowRef window) {
    const std::string title = desktop_.Title(window);
    if (title.empty() || !HasHostTextWindowTitle(title)) {
        return true;
    }
    if (!HasHostTextWindowClass(desktop_.ClassName(window))) {
        return true;
    }
    // Another program's text window must not be taken for the host's.
    if (desktop_.ProcessOf(window) != remembered_.HostProcessId) {
        return true;
    }
    remembered_.HostTextWindow = window;
    return false;
}

bool HostWindowSearch::CommandLineFrameProbe(WindowRef window) {
    const std::string title = desktop_.Title(window);
    if (title.empty()) {
        return true;
    }
    const std::string className = desktop_.ClassName(window);
    if (!HasCommandLineFrameTitle(title) || !HasCommandLineFrameClass(className)) {
        return true;
    }
    remembered_.CommandLineFrame = window;
    return false;
}

bool HostWindowSearch::CommandLineChildProbe(WindowRef window) {
    const std::string title = desktop_.Title(window);
    if (title.empty()) {
        return true;
    }
    if (title == kCommandLineTitle) {
        remembered_.HeadlandsWindow = window;
    }
    if (title == kCommandLineSiblingTitle) {
        remembered_.MountTamWindow = window;
    }
    return remembered_.HeadlandsWindow == kNoWindow || remembered_.MountTamWindow == kNoWindow;
}

WindowRef HostWindowSearch::FindHostMainWindow() {
    if (!IsLive(remembered_.HostMainWindow)) {
        desktop_.EnumTopLevel(*this, WindowProbe::MainWindow);
    }
    return remembered_.HostMainWindow;
}

WindowRef HostWindowSearch::FindHostTextWindow() {
    remembered_.HostTextWindow = kNoWindow;
    desktop_.EnumTopLevel(*this, WindowProbe::TextWindow);
    return remembered_.HostTextWindow;
}

void HostWindowSearch::SearchCommandLineUnder(WindowRef parent) {
    // Cleared first, so that the windows of a host that has been restarted are never mixed
    // with those of the old one.
    remembered_.HeadlandsWindow = kNoWindow;
    remembered_.MountTamWindow = kNoWindow;
    if (parent != kNoWindow) {
        desktop_.EnumDescendants(*this, parent, WindowProbe::CommandLineChild);
    }
}

WindowRef HostWindowSearch::FindHostCommandLine() {
    if (!IsLive(remembered_.HostMainWindow)) {
        FindHostMainWindow();
    }
    if (IsLive(remembered_.HostMainWindow)) {
        if (!IsLive(remembered_.HeadlandsWindow)) {
            SearchCommandLineUnder(remembered_.HostMainWindow);
        }
        if (!IsLive(remembered_.HeadlandsWindow)) {
            desktop_.EnumTopLevel(*this, WindowProbe::CommandLineFrame);
            if (IsLive(remembered_.CommandLineFrame)) {
                SearchCommandLineUnder(remembered_.CommandLineFrame);
            } else {
                SearchCommandLineUnder(FindHostTextWindow());
            }
        }
    }
    return IsLive(remembered_.HeadlandsWindow) ? remembered_.HeadlandsWindow : kNoWindow;
}

} // namespace kolvo
