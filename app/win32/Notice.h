// The one-line notice left on the host's command line after a run: where the summary went.
#pragma once

#include <windows.h>

#include <string_view>

namespace kolvo {

// Light red behind black text, so the line stands out among the host's own.
inline constexpr COLORREF NoticeBackground = RGB(255, 127, 127);
inline constexpr COLORREF NoticeTextColour = RGB(0, 0, 0);

// Draws `text` (CP932) once at the bottom-left of an area `height` pixels high, in the device
// context's current font, on an opaque light-red background.
void DrawNotice(HDC dc, int height, std::string_view text);

// The height of `window`'s client area in the window's own pixels, which its device context
// draws in, whatever the display scale and whether or not its program is DPI aware; -1 when the
// window has gone.
int NoticeAreaHeight(HWND window);

// Draws the notice at the bottom-left of `window`'s client area. Nothing is kept: the host's
// next repaint of that part of its window takes the notice away.
void PaintNotice(HWND window, std::string_view text);

} // namespace kolvo
