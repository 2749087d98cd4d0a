// A control without a window of its own: it lives in a rectangle of its parent window and paints
// on the parent's surface. The parent hands its WM_PAINT on (PaintWindowlessControls); the
// control's Invalidate invalidates its rectangle on the parent without erasing the background,
// so a control that covers its area never flickers.
#pragma once

#include "Canvas.h"
#include "Colors.h"
#include "FontDesc.h"

#include <windows.h>

#include <initializer_list>
#include <string>

namespace kolvo {

class WindowlessControl {
public:
    WindowlessControl() = default;
    WindowlessControl(const WindowlessControl&) = delete;
    WindowlessControl& operator=(const WindowlessControl&) = delete;
    virtual ~WindowlessControl();

    void SetParent(HWND parent);
    HWND Parent() const { return parent_; }

    // Position and size in the parent's client pixels; the old and the new area are invalidated.
    void SetBounds(int left, int top, int width, int height);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    RECT ClientRect() const { return {0, 0, width_, height_}; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // Background colour; follows the parent's while ParentColor is on.
    TColor Color() const { return color_.Value(); }
    void SetColor(TColor color);
    bool ParentColor() const { return color_.FollowsParent(); }
    void SetParentColor(bool parentColor);
    // The parent tells its controls its colour (at creation and whenever it changes).
    void ParentColorChanged(TColor parentColor);

    const FontDesc& Font() const { return font_; }
    void SetFont(const FontDesc& font);
    const std::string& Caption() const { return caption_; } // CP932 bytes
    void SetCaption(std::string caption);

    // Requests a repaint of the control's area (deferred, no background erase).
    virtual void Invalidate();
    // Invalidate and paint now.
    void Repaint();

    // The control's canvas. While Paint runs it is bound to the parent's surface with the origin
    // at the control's top-left corner and drawing clipped to the control's area.
    Canvas& GetCanvas() { return canvas_; }

    // Paints the control onto `parentDc` (the parent's client coordinates) when it is visible and
    // its area meets `update`.
    void PaintOn(HDC parentDc, const RECT& update);

protected:
    virtual void Paint(Canvas& canvas) = 0;
    // Notifications after a change of colour, font or caption; each invalidates by default.
    virtual void ColorChanged();
    virtual void FontChanged();
    virtual void TextChanged();

private:
    HWND parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    ControlColor color_{clBtnFace, true};
    FontDesc font_;
    std::string caption_;
    Canvas canvas_;
};

// The parent's WM_PAINT for its windowless controls: BeginPaint, each control that meets the
// update rectangle paints, EndPaint. Returns the value WM_PAINT returns (0).
LRESULT PaintWindowlessControls(HWND parent, std::initializer_list<WindowlessControl*> controls);

} // namespace kolvo
