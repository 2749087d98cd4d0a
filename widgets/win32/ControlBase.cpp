#include "ControlBase.h"

namespace kolvo {

void ControlBase::StoreBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void ControlBase::SetColor(TColor color) {
    if (color_.Set(color)) {
        ColorChanged();
    }
}

void ControlBase::SetParentColor(bool parentColor) {
    color_.SetFollowsParent(parentColor);
}

void ControlBase::ParentColorChanged(TColor parentColor) {
    if (color_.ParentChanged(parentColor)) {
        ColorChanged();
    }
}

void ControlBase::Invalidate() {
    HWND surface = SurfaceWindow();
    if (surface != nullptr && IsWindow(surface)) {
        const std::optional<RECT> area = SurfaceArea();
        InvalidateRect(surface, area ? &*area : nullptr, FALSE);
    }
}

void ControlBase::Repaint() {
    Invalidate();
    HWND surface = SurfaceWindow();
    if (surface != nullptr && IsWindow(surface)) {
        UpdateWindow(surface);
    }
}

void ControlBase::ColorChanged() {
    Invalidate();
}

} // namespace kolvo
