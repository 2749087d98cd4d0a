// Drawing on a device context with a current font, brush and pen. A canvas does not own the
// context it is bound to; it owns the font, brush and pen it selects into it and puts the
// context's own objects back when it is unbound.
#pragma once

#include "Colors.h"
#include "FontDesc.h"
#include "WinHandles.h"

#include <windows.h>

#include <string_view>

namespace kolvo {

class OffscreenImage;

// A colour as the system draws it: a system-colour reference becomes the current system colour.
COLORREF ResolveColor(TColor color);
RECT ToRECT(const struct Rect& rect);
FontHandle CreateFontFor(const FontDesc& font);

class Canvas {
public:
    Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() { Unbind(); }

    // Binds to `dc` (unbinding from any earlier one). Font, brush and pen are selected again.
    void Bind(HDC dc);
    // Restores the context as it was before Bind; a canvas that is not bound ignores it.
    void Unbind();
    HDC Handle() const { return dc_; }
    bool Bound() const { return dc_ != nullptr; }

    void SetFont(const FontDesc& font);
    const FontDesc& Font() const { return font_; }

    // Solid brush: fills, and the background behind text. A clear brush fills nothing and text
    // is drawn without background.
    void SetBrushColor(TColor color);
    void SetBrushClear();
    bool BrushClear() const { return brushClear_; }
    TColor BrushColor() const { return brushColor_; }

    void SetPen(TColor color, int width = 1, int style = PS_SOLID);

    // Text in the font's colour.
    void TextAt(int x, int y, std::string_view text);
    // The system text-drawing call with its format flags; returns the text height.
    int DrawTextRect(std::string_view text, RECT& rect, UINT flags);
    SIZE TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }

    void FillRect(const RECT& rect); // with the brush
    void FillRect(const RECT& rect, TColor color);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(const RECT& rect); // pen outline, brush inside
    void RoundRect(const RECT& rect, int ellipseWidth, int ellipseHeight);
    // Block copy of `sourceRect` of `source` onto `destRect` (same size).
    void CopyRect(const RECT& destRect, HDC source, const RECT& sourceRect, DWORD rop = SRCCOPY);
    // The whole image with its top-left corner at (x, y).
    void Draw(int x, int y, const OffscreenImage& image);

private:
    void SelectFont();
    void SelectBrush();
    void SelectPen();
    void ApplyTextState();

    HDC dc_ = nullptr;
    int savedState_ = 0;
    FontDesc font_;
    FontHandle fontHandle_;
    FontDesc fontHandleDesc_;
    TColor brushColor_ = clWhite;
    bool brushClear_ = false;
    BrushHandle brush_;
    TColor penColor_ = clBlack;
    int penWidth_ = 1;
    int penStyle_ = PS_SOLID;
    PenHandle pen_;
};

} // namespace kolvo

namespace kolvo {

// Binds a canvas to another surface for a scope and gives it back its earlier surface (or none)
// at the end, also when the drawing in between fails.
class CanvasBinding {
public:
    CanvasBinding(Canvas& canvas, HDC surface) : canvas_(canvas), previous_(canvas.Handle()) {
        canvas_.Bind(surface);
    }
    CanvasBinding(const CanvasBinding&) = delete;
    CanvasBinding& operator=(const CanvasBinding&) = delete;
    ~CanvasBinding() {
        canvas_.Unbind();
        if (previous_ != nullptr) {
            canvas_.Bind(previous_);
        }
    }

private:
    Canvas& canvas_;
    HDC previous_;
};

} // namespace kolvo
