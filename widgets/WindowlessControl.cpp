#include "WindowlessControl.h"

#include "WinHandles.h"

namespace kolvo {

WindowlessControl::~WindowlessControl() {
    canvas_.Unbind();
}

void WindowlessControl::SetParent(HWND parent) {
    if (parent == parent_) {
        return;
    }
    Invalidate();
    parent_ = parent;
    Invalidate();
}

void WindowlessControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
}

void WindowlessControl::SetVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        // Hidden, the area shows the parent again: it must be erased.
        if (parent_ != nullptr) {
            const RECT bounds = BoundsRect();
            InvalidateRect(parent_, &bounds, TRUE);
        }
    }
}

void WindowlessControl::SetColor(TColor color) {
    if (color_.Set(color)) {
        ColorChanged();
    }
}

void WindowlessControl::SetParentColor(bool parentColor) {
    color_.SetFollowsParent(parentColor);
}

void WindowlessControl::ParentColorChanged(TColor parentColor) {
    if (color_.ParentChanged(parentColor)) {
        ColorChanged();
    }
}

void WindowlessControl::SetFont(const FontDesc& font) {
    if (!(font == font_)) {
        font_ = font;
        FontChanged();
    }
}

void WindowlessControl::SetCaption(std::string caption) {
    if (caption != caption_) {
        caption_ = std::move(caption);
        TextChanged();
    }
}

void WindowlessControl::Invalidate() {
    if (parent_ != nullptr && IsWindow(parent_)) {
        const RECT bounds = BoundsRect();
        InvalidateRect(parent_, &bounds, FALSE);
    }
}

void WindowlessControl::Repaint() {
    Invalidate();
    if (parent_ != nullptr && IsWindow(parent_)) {
        UpdateWindow(parent_);
    }
}

void WindowlessControl::ColorChanged() {
    Invalidate();
}
void WindowlessControl::FontChanged() {
    Invalidate();
}
void WindowlessControl::TextChanged() {
    Invalidate();
}

void WindowlessControl::PaintOn(HDC parentDc, const RECT& update) {
    const RECT bounds = BoundsRect();
    RECT common{};
    if (!visible_ || !IntersectRect(&common, &bounds, &update)) {
        return;
    }
    const int saved = SaveDC(parentDc);
    IntersectClipRect(parentDc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    OffsetViewportOrgEx(parentDc, left_, top_, nullptr);
    canvas_.Bind(parentDc);
    canvas_.SetFont(font_);
    canvas_.SetBrushColor(color_.Value());
    Paint(canvas_);
    canvas_.Unbind();
    RestoreDC(parentDc, saved);
}

LRESULT PaintWindowlessControls(HWND parent, std::initializer_list<WindowlessControl*> controls) {
    const PaintDc paint(parent);
    for (WindowlessControl* control : controls) {
        if (control != nullptr) {
            control->PaintOn(paint.Get(), paint.UpdateRect());
        }
    }
    return 0;
}

} // namespace kolvo
