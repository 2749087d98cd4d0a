// What the gradient button and the windowless control have in common: the parent window, the
// bounds in the parent's client pixels, a background colour that follows the parent's or is
// their own, a font, and the invalidating and repainting of their pixels. Where those pixels are
// is theirs to say: a windowless control's are its bounds on the parent, a button's are the whole
// of its own window. How the parent, the bounds and the font are set differs between them too,
// so each keeps its own SetParent, SetBounds and SetFont and stores through the base.
#pragma once

#include "Colors.h"
#include "FontDesc.h"

#include <windows.h>

#include <optional>

namespace kolvo {

class ControlBase {
public:
    ControlBase(const ControlBase&) = delete;
    ControlBase& operator=(const ControlBase&) = delete;
    virtual ~ControlBase() = default;

    HWND Parent() const { return parent_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    RECT ClientRect() const { return {0, 0, width_, height_}; }

    // Background colour; follows the parent's while ParentColor is on.
    TColor Color() const { return color_.Value(); }
    void SetColor(TColor color);
    bool ParentColor() const { return color_.FollowsParent(); }
    void SetParentColor(bool parentColor);
    // The parent tells its controls its colour (at creation and whenever it changes).
    void ParentColorChanged(TColor parentColor);

    const FontDesc& Font() const { return font_; }

    // Requests a repaint of the control's pixels (deferred, no background erase).
    virtual void Invalidate();
    // Invalidate and paint now.
    void Repaint();

protected:
    explicit ControlBase(ControlColor color, int width = 0, int height = 0)
        : width_(width), height_(height), color_(color) {}

    void StoreParent(HWND parent) { parent_ = parent; }
    void StoreBounds(int left, int top, int width, int height);
    void StoreFont(const FontDesc& font) { font_ = font; }

    // After the colour moved; invalidates by default.
    virtual void ColorChanged();

    // The window whose client area shows the control's pixels (null while there is none), and
    // the control's part of that client area (none: all of it).
    virtual HWND SurfaceWindow() const = 0;
    virtual std::optional<RECT> SurfaceArea() const = 0;

private:
    HWND parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    ControlColor color_;
    FontDesc font_;
};

} // namespace kolvo
