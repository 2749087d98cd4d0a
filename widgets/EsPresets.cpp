#include "EsPresets.h"

namespace kolvo {

std::array<SchemeColors, 6> InitialSchemeTable() {
    const SchemeColors windows{0xFFFFFF, 0x000000, 0x808080};
    return {{
        windows,                        // csCustom: the Windows row until a scheme is applied
        {0xFFFFFF, 0x808080, 0x000000}, // csText
        windows,                        // csWindows
        {0xFFFFFF, 0x000000, 0xC0C0C0}, // csEmbossed
        {0x00FFFF, 0x000000, 0x008080}, // csGold
        {0xFFFF00, 0x800000, 0x808000}, // csSteel
    }};
}

EsEffectPresets::EsEffectPresets() : schemes_(InitialSchemeTable()) {
    // Both presets are set directly: the settings start with the values they describe.
    const SchemeColors& windows = SchemeRow(TEsColorScheme::csWindows);
    settings_.SetHighlightColor(windows.highlight);
    settings_.SetShadowColor(windows.shadow);
    settings_.OnColorChange = [this](TEsCustomSettings&) { SettingsColorChanged(); };
    settings_.OnStyleChange = [this](TEsCustomSettings&) { SettingsStyleChanged(); };
}

void EsEffectPresets::SetColorScheme(TEsColorScheme scheme) {
    if (scheme == colorScheme_) {
        return;
    }
    applyingScheme_ = true;
    settings_.BeginUpdate();
    colorScheme_ = scheme;
    const SchemeColors row = SchemeRow(scheme);
    settings_.SetHighlightColor(row.highlight);
    SetPresetFontColor(row.face);
    settings_.SetShadowColor(row.shadow);
    if (scheme != TEsColorScheme::csCustom) {
        schemes_[size_t(TEsColorScheme::csCustom)] = row;
    }
    settings_.EndUpdate();
    applyingScheme_ = false;
    PresetTextChanged();
}

void EsEffectPresets::SetAppearance(TEsAppearance appearance) {
    if (appearance == appearance_) {
        return;
    }
    using enum TEsShadeDirection;
    applyingAppearance_ = true;
    settings_.BeginUpdate();
    appearance_ = appearance;
    const SchemeColors& row = SchemeRow(colorScheme_);
    settings_.SetHighlightColor(row.highlight);
    const auto set = [this](TEsShadeDirection highlight, TEsShadeDirection shadow,
                            TEsDepth highlightDepth, TEsDepth shadowDepth) {
        settings_.SetHighlightDirection(highlight);
        settings_.SetShadowDirection(shadow);
        settings_.SetHighlightDepth(highlightDepth);
        settings_.SetShadowDepth(shadowDepth);
    };
    switch (appearance) {
    case TEsAppearance::apNone:
        set(sdNone, sdNone, 0, 0);
        break;
    case TEsAppearance::apCustom:
        break;
    case TEsAppearance::apFlying:
        set(sdDownRight, sdDownRight, 1, 5);
        settings_.SetHighlightColor(row.shadow);
        break;
    case TEsAppearance::apRaised:
        set(sdUpLeft, sdDownRight, 1, 1);
        break;
    case TEsAppearance::apSunken:
        set(sdDownRight, sdUpLeft, 1, 1);
        break;
    case TEsAppearance::apShadow:
        set(sdNone, sdDownRight, 0, 2);
        break;
    }
    settings_.EndUpdate();
    applyingAppearance_ = false;
    PresetTextChanged();
}

void EsEffectPresets::SettingsColorChanged() {
    if (loading_) {
        return;
    }
    PresetInvalidate();
    // A preset's own closing notifications are not a user's change: neither preset turns custom
    // while one is applied.
    if (!ApplyingPreset()) {
        colorScheme_ = TEsColorScheme::csCustom;
        PresetColorChanged();
    }
}

void EsEffectPresets::SettingsStyleChanged() {
    if (loading_) {
        return;
    }
    PresetInvalidate();
    if (!ApplyingPreset()) {
        appearance_ = TEsAppearance::apCustom;
        PresetTextChanged();
    }
}

} // namespace kolvo
