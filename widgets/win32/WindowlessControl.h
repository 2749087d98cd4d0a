// A control without a window of its own: it lives in a rectangle of its parent window and paints
// on the parent's surface. The parent hands its WM_PAINT on (PaintWindowlessControls); the
// control's Invalidate invalidates its rectangle on the parent without erasing the background,
// so a control that covers its area never flickers.
#pragma once

#include "Canvas.h"
#include "ControlBase.h"
#include "FontDesc.h"

#include <windows.h>

#include <initializer_list>
#include <string>

namespace kolvo {

class WindowlessControl : public ControlBase {
public:
    // Follows its parent's colour from the start.
    WindowlessControl() : ControlBase({clBtnFace, true}) {}
    WindowlessControl(const WindowlessControl&) = delete;
    WindowlessControl& operator=(const WindowlessControl&) = delete;
    ~WindowlessControl() override;

    void SetParent(HWND parent);

    // Position and size in the parent's client pixels; the old and the new area are invalidated.
    void SetBounds(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    void SetFont(const FontDesc& font);
    const std::string& Caption() const { return caption_; } // CP932 bytes
    void SetCaption(std::string caption);

    // The control's canvas. While Paint runs it is bound to the parent's surface with the origin
    // at the control's top-left corner and drawing clipped to the control's area.
    Canvas& GetCanvas() { return canvas_; }

    // Paints the control onto `parentDc` (the parent's client coordinates) when it is visible and
    // its area meets `update`.
    void PaintOn(HDC parentDc, const RECT& update);

protected:
    virtual void Paint(Canvas& canvas) = 0;
    // Notifications after a change of font or caption (the colour's is the base's); each
    // invalidates by default.
    virtual void FontChanged();
    virtual void TextChanged();

    // Its pixels are its bounds on the parent's surface.
    HWND SurfaceWindow() const override { return Parent(); }
    std::optional<RECT> SurfaceArea() const override { return BoundsRect(); }

private:
    bool visible_ = true;
    std::string caption_;
    Canvas canvas_;
};

// The parent's WM_PAINT for its windowless controls: BeginPaint, each control that meets the
// update rectangle paints, EndPaint. Returns the value WM_PAINT returns (0).
LRESULT PaintWindowlessControls(HWND parent, std::initializer_list<WindowlessControl*> controls);

} // namespace kolvo
