#include "WindowlessControl.h"

#include "WinHandles.h"

namespace kolvo {

WindowlessControl::~WindowlessControl() {
    canvas_.Unbind();
}

void WindowlessControl::SetParent(HWND parent) {
    if (parent == Parent()) {
        return;
    }
    Invalidate();
    StoreParent(parent);
    Invalidate();
}

void WindowlessControl::SetBounds(int left, int top, int width, int height) {
    if (left == Left() && top == Top() && width == Width() && height == Height()) {
        return;
    }
    Invalidate();
    StoreBounds(left, top, width, height);
    Invalidate();
}

void WindowlessControl::SetVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        // Hidden, the area shows the parent again: it must be erased.
        if (Parent() != nullptr) {
            const RECT bounds = BoundsRect();
            InvalidateRect(Parent(), &bounds, TRUE);
        }
    }
}

void WindowlessControl::SetFont(const FontDesc& font) {
    if (!(font == Font())) {
        StoreFont(font);
        FontChanged();
    }
}

void WindowlessControl::SetCaption(std::string caption) {
    if (caption != caption_) {
        caption_ = std::move(caption);
        TextChanged();
    }
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
    OffsetViewportOrgEx(parentDc, Left(), Top(), nullptr);
    canvas_.Bind(parentDc);
    canvas_.SetFont(Font());
    canvas_.SetBrushColor(Color());
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
