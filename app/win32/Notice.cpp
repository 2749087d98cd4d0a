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

void PaintNotice(HWND window, std::string_view text) {
    RECT frame{};
    if (!GetWindowRect(window, &frame)) {
        return; // the window went away since it was found
    }
    const WindowDc dc(window);
    if (dc.Get() == nullptr) {
        return;
    }
    DrawNotice(dc.Get(), frame.bottom - frame.top, text);
}

} // namespace kolvo
