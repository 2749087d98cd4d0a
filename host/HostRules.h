// How the CAD host's windows are told apart from everything else on the desktop, and how the
// remembered host windows are searched for again.
//
// Nothing here touches the platform: the desktop is reached through WindowDirectory, so the same
// rules run against the real desktop in the Win32 unit and against made-up windows in tests.
// Titles and class names are 8-bit texts in the system code page (CP932 on the Japanese system)
// and are compared as bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kolvo {

// An opaque window handle value; 0 stands for no window.
using WindowRef = std::uintptr_t;
constexpr WindowRef kNoWindow = 0;

// Title of a host main window: begins with "AutoCAD " (with its space), "Autodesk " or "ACAD".
bool HasHostMainTitle(std::string_view title);
// Class of a host main window: "Afx:" ... ":8:", or the MDI frame class of an MFC version
// ("AfxMDIFrame90u", "AfxMDIFrame140u", ...).
bool HasHostMainClass(std::string_view className);
// Title and class of the host's text window; its process is checked separately.
bool HasHostTextWindowTitle(std::string_view title);
bool HasHostTextWindowClass(std::string_view className);
// Title and class of a floating command-line frame.
bool HasCommandLineFrameTitle(std::string_view title);
bool HasCommandLineFrameClass(std::string_view className);

// The exact titles of the host's command line and of its sibling.
inline constexpr std::string_view kCommandLineTitle = "Headlands";
inline constexpr std::string_view kCommandLineSiblingTitle = "MountTam";

// The host windows remembered between calls, for the whole program.
struct RememberedHostWindows {
    WindowRef HostMainWindow = kNoWindow;
    std::uint32_t HostProcessId = 0;
    WindowRef HostTextWindow = kNoWindow;
    WindowRef CommandLineFrame = kNoWindow;
    WindowRef HeadlandsWindow = kNoWindow;
    WindowRef MountTamWindow = kNoWindow;
};

// The enumeration callbacks of the search; each returns true to go on, false to stop.
enum class WindowProbe { MainWindow, TextWindow, CommandLineFrame, CommandLineChild };

class HostWindowSearch;

// What the search needs from the desktop.
class WindowDirectory {
public:
    virtual ~WindowDirectory() = default;
    virtual bool IsLive(WindowRef window) const = 0;
    // The title the platform keeps for the window (not asked of its owner) and the class name,
    // both 8-bit, as read with a 256-byte buffer.
    virtual std::string Title(WindowRef window) const = 0;
    virtual std::string ClassName(WindowRef window) const = 0;
    virtual std::uint32_t ProcessOf(WindowRef window) const = 0;
    // Hands the top-level windows, in the platform's order, to search.Probe(probe, window) until
    // it returns false.
    virtual void EnumTopLevel(HostWindowSearch& search, WindowProbe probe) = 0;
    // The same over all descendants of `parent` (children, grandchildren and so on).
    virtual void EnumDescendants(HostWindowSearch& search, WindowRef parent, WindowProbe probe) = 0;
};

// The search for the host main window, its text window and its command line, remembering what
// it found. A remembered window is tested for liveness before each use and searched for again
// when it has gone.
class HostWindowSearch {
public:
    explicit HostWindowSearch(WindowDirectory& desktop) : desktop_(desktop) {}

    RememberedHostWindows& Remembered() { return remembered_; }
    const RememberedHostWindows& Remembered() const { return remembered_; }

    bool Probe(WindowProbe probe, WindowRef window);
    bool MainWindowProbe(WindowRef window);
    bool TextWindowProbe(WindowRef window);
    bool CommandLineFrameProbe(WindowRef window);
    bool CommandLineChildProbe(WindowRef window);

    // The remembered main window, searched for when it is not live; may be none.
    WindowRef FindHostMainWindow();
    // The host's text window, searched for afresh on every call; none when absent.
    WindowRef FindHostTextWindow();
    // The "Headlands" window, docked in the main window, in a floating frame or in the text
    // window, in that order; none when absent.
    WindowRef FindHostCommandLine();

    bool IsLive(WindowRef window) const { return window != kNoWindow && desktop_.IsLive(window); }

private:
    void SearchCommandLineUnder(WindowRef parent);

    WindowDirectory& desktop_;
    RememberedHostWindows remembered_;
};

} // namespace kolvo
