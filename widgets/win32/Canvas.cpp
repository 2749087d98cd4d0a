#include "Canvas.h"

#include "Geometry.h"
#include "OffscreenImage.h"

namespace kolvo {

COLORREF ResolveColor(TColor color) {
    return IsSystemColor(color) ? GetSysColor(SystemColorIndex(color)) : COLORREF(color);
}

RECT ToRECT(const Rect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

FontHandle CreateFontFor(const FontDesc& font) {
    return FontHandle(CreateFontA(font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                                  font.italic, font.underline, font.strikeOut, BYTE(font.charset),
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  font.antialiased ? DEFAULT_QUALITY : NONANTIALIASED_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, font.name.c_str()));
}

void Canvas::Bind(HDC dc) {
    Unbind();
    if (dc == nullptr) {
        return;
    }
    dc_ = dc;
    savedState_ = SaveDC(dc);
    SelectFont();
    SelectBrush();
    SelectPen();
    ApplyTextState();
}

void Canvas::Unbind() {
    if (dc_ == nullptr) {
        return;
    }
    // The saved state brings back the context's own font, brush and pen, so ours are free to go.
    RestoreDC(dc_, savedState_);
    dc_ = nullptr;
    savedState_ = 0;
}

void Canvas::SetFont(const FontDesc& font) {
    font_ = font;
    SelectFont();
    ApplyTextState();
}

void Canvas::SetBrushColor(TColor color) {
    brushColor_ = color;
    brushClear_ = false;
    SelectBrush();
    ApplyTextState();
}

void Canvas::SetBrushClear() {
    brushClear_ = true;
    SelectBrush();
    ApplyTextState();
}

void Canvas::SetPen(TColor color, int width, int style) {
    penColor_ = color;
    penWidth_ = width;
    penStyle_ = style;
    pen_.Reset();
    SelectPen();
}

void Canvas::SelectFont() {
    if (!fontHandle_ || !fontHandleDesc_.SameFace(font_)) {
        FontHandle created = CreateFontFor(font_);
        if (dc_ != nullptr) {
            SelectObject(dc_, created.Get());
        }
        fontHandle_ = std::move(created); // the old font is no longer selected
        fontHandleDesc_ = font_;
    } else if (dc_ != nullptr) {
        SelectObject(dc_, fontHandle_.Get());
    }
}

void Canvas::SelectBrush() {
    if (dc_ == nullptr) {
        return;
    }
    if (brushClear_) {
        SelectObject(dc_, GetStockObject(NULL_BRUSH));
        brush_.Reset();
        return;
    }
    BrushHandle created(CreateSolidBrush(ResolveColor(brushColor_)));
    SelectObject(dc_, created.Get());
    brush_ = std::move(created);
}

void Canvas::SelectPen() {
    if (dc_ == nullptr) {
        return;
    }
    if (!pen_) {
        pen_.Reset(CreatePen(penStyle_, penWidth_, ResolveColor(penColor_)));
    }
    SelectObject(dc_, pen_.Get());
}

void Canvas::ApplyTextState() {
    if (dc_ == nullptr) {
        return;
    }
    SetTextColor(dc_, ResolveColor(font_.color));
    SetBkMode(dc_, brushClear_ ? TRANSPARENT : OPAQUE);
    SetBkColor(dc_, ResolveColor(brushColor_));
}

void Canvas::TextAt(int x, int y, std::string_view text) {
    TextOutA(dc_, x, y, text.data(), int(text.size()));
}

int Canvas::DrawTextRect(std::string_view text, RECT& rect, UINT flags) {
    return DrawTextA(dc_, text.data(), int(text.size()), &rect, flags);
}

SIZE Canvas::TextExtent(std::string_view text) {
    SIZE size{};
    if (dc_ != nullptr) {
        GetTextExtentPoint32A(dc_, text.data(), int(text.size()), &size);
        return size;
    }
    // Measuring needs a context: the screen's serves while the canvas is unbound.
    HDC screen = CreateCompatibleDC(nullptr);
    const SelectedObject font(screen, fontHandle_.Get());
    GetTextExtentPoint32A(screen, text.data(), int(text.size()), &size);
    DeleteDC(screen);
    return size;
}

void Canvas::FillRect(const RECT& rect) {
    if (!brushClear_) {
        ::FillRect(dc_, &rect, brush_.Get());
    }
}

void Canvas::FillRect(const RECT& rect, TColor color) {
    const BrushHandle brush(CreateSolidBrush(ResolveColor(color)));
    ::FillRect(dc_, &rect, brush.Get());
}

void Canvas::MoveTo(int x, int y) {
    MoveToEx(dc_, x, y, nullptr);
}

void Canvas::LineTo(int x, int y) {
    ::LineTo(dc_, x, y);
}

void Canvas::Rectangle(const RECT& rect) {
    ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void Canvas::RoundRect(const RECT& rect, int ellipseWidth, int ellipseHeight) {
    ::RoundRect(dc_, rect.left, rect.top, rect.right, rect.bottom, ellipseWidth, ellipseHeight);
}

void Canvas::CopyRect(const RECT& destRect, HDC source, const RECT& sourceRect, DWORD rop) {
    BitBlt(dc_, destRect.left, destRect.top, destRect.right - destRect.left,
           destRect.bottom - destRect.top, source, sourceRect.left, sourceRect.top, rop);
}

void Canvas::Draw(int x, int y, const OffscreenImage& image) {
    if (!image.Empty()) {
        BitBlt(dc_, x, y, image.Width(), image.Height(), image.Dc(), 0, 0, SRCCOPY);
    }
}

} // namespace kolvo
