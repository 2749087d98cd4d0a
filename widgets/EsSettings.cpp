#include "EsSettings.h"

namespace kolvo {

ShadeStep ShadeOffset(TEsShadeDirection direction) {
    static constexpr ShadeStep steps[] = {{0, 0}, {0, -1}, {1, -1}, {1, 0},  {1, 1},
                                          {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    const auto index = size_t(direction);
    return index < std::size(steps) ? steps[index] : ShadeStep{};
}

template <typename T>
void TEsCustomSettings::Change(T& field, T value, const Notification& notification) {
    if (field == value) {
        return;
    }
    field = value;
    if (!updating_ && notification) {
        notification(*this);
    }
}

void TEsCustomSettings::SetGraduateFromColor(TColor value) {
    Change(graduateFromColor_, value, OnColorChange);
}
void TEsCustomSettings::SetGraduateStyle(TEsGraduateStyle value) {
    Change(graduateStyle_, value, OnStyleChange);
}
void TEsCustomSettings::SetHighlightColor(TColor value) {
    Change(highlightColor_, value, OnColorChange);
}
void TEsCustomSettings::SetHighlightDepth(TEsDepth value) {
    Change(highlightDepth_, value, OnStyleChange);
}
void TEsCustomSettings::SetHighlightDirection(TEsShadeDirection value) {
    Change(highlightDirection_, value, OnStyleChange);
}
void TEsCustomSettings::SetHighlightStyle(TEsShadeStyle value) {
    Change(highlightStyle_, value, OnStyleChange);
}
void TEsCustomSettings::SetShadowColor(TColor value) {
    Change(shadowColor_, value, OnColorChange);
}
void TEsCustomSettings::SetShadowDepth(TEsDepth value) {
    Change(shadowDepth_, value, OnStyleChange);
}
void TEsCustomSettings::SetShadowDirection(TEsShadeDirection value) {
    Change(shadowDirection_, value, OnStyleChange);
}
void TEsCustomSettings::SetShadowStyle(TEsShadeStyle value) {
    Change(shadowStyle_, value, OnStyleChange);
}

void TEsCustomSettings::EndUpdate() {
    updating_ = false;
    if (OnColorChange) {
        OnColorChange(*this);
    }
    if (OnStyleChange) {
        OnStyleChange(*this);
    }
}

void TEsCustomSettings::Assign(const TEsCustomSettings& source) {
    graduateFromColor_ = source.graduateFromColor_;
    graduateStyle_ = source.graduateStyle_;
    highlightColor_ = source.highlightColor_;
    highlightDepth_ = source.highlightDepth_;
    highlightDirection_ = source.highlightDirection_;
    highlightStyle_ = source.highlightStyle_;
    shadowColor_ = source.shadowColor_;
    shadowDepth_ = source.shadowDepth_;
    shadowDirection_ = source.shadowDirection_;
    shadowStyle_ = source.shadowStyle_;
}

} // namespace kolvo
