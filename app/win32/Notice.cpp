#include "Notice.h"

#include <string>

#include "WinHandles.h"

namespace kolvo {

void DrawNotice(HDC dc, int height, std::string_view text) {
    const std::string line(text);
    const int length = int(line.size());
    SIZE extent{};
    GetTextExtentPoint32A(dc, line.c_str(), length, &extent);
    // The window belongs to another program, whose device context may be its own and keep its
    // colours: they are put back after drawing.
    const COLORREF oldBackground = SetBkColor(dc, NoticeBackground);
    const COLORREF oldText = SetTextColor(dc, NoticeTextColour);
    TextOutA(dc, 0, height - extent.cy, line.c_str(), length);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBackground);
}

namespace {

// Makes this thread per-monitor DPI aware for as long as it lives, where the system knows the
// setting (Windows 10 1607 and later), and puts the thread's own setting back after.
class PerMonitorDpiScope {
public:
    PerMonitorDpiScope() {
        using SetContext = HANDLE(WINAPI*)(HANDLE);
        set_ = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
        if (set_ != nullptr) {
            // Per-monitor v2 (-4), or v1 (-3) where v2 is not known.
            old_ = set_(reinterpret_cast<HANDLE>(-4));
            if (old_ == nullptr) {
                old_ = set_(reinterpret_cast<HANDLE>(-3));
            }
        }
    }
    ~PerMonitorDpiScope() {
        if (old_ != nullptr) {
            set_(old_);
        }
    }
    PerMonitorDpiScope(const PerMonitorDpiScope&) = delete;
    PerMonitorDpiScope& operator=(const PerMonitorDpiScope&) = delete;

private:
    HANDLE(WINAPI* set_)(HANDLE) = nullptr;
    HANDLE old_ = nullptr;
};

} // namespace

int NoticeAreaHeight(HWND window) {
    // Kolvo itself is not DPI aware: at 125-150 % a DPI-aware host's rectangles would come back
    // scaled to Kolvo's 96 dots per inch while its device context draws in real pixels, and the
    // notice would land too high. Asked per-monitor aware, they come in the window's own pixels.
    const PerMonitorDpiScope perMonitor;
    RECT area{};
    if (!GetClientRect(window, &area)) {
        return -1; // the window went away since it was found
    }
    return area.bottom;
}

void PaintNotice(HWND window, std::string_view text) {
    const PerMonitorDpiScope perMonitor;
    const int height = NoticeAreaHeight(window);
    if (height < 0) {
        return;
    }
    const WindowDc dc(window);
    if (dc.Get() == nullptr) {
        return;
    }
    DrawNotice(dc.Get(), height, text);
}

} // namespace kolvo
