// The colour-scheme and appearance presets of the effect label and the rules that mark a preset
// custom. The label supplies what a preset touches outside the settings (its font colour) and
// what it announces (invalidation, colour and text changes) through the virtual hooks.
#pragma once

#include "EsSettings.h"

#include <array>

namespace kolvo {

struct SchemeColors {
    TColor highlight = clWhite;
    TColor shadow = clBlack;
    TColor face = clGray;
    friend bool operator==(const SchemeColors&, const SchemeColors&) = default;
};

// The scheme table as a new label starts with it, one row per TEsColorScheme value.
std::array<SchemeColors, 6> InitialSchemeTable();

class EsEffectPresets {
public:
    EsEffectPresets();
    EsEffectPresets(const EsEffectPresets&) = delete;
    EsEffectPresets& operator=(const EsEffectPresets&) = delete;
    virtual ~EsEffectPresets() = default;

    TEsAppearance Appearance() const { return appearance_; }
    TEsColorScheme ColorScheme() const { return colorScheme_; }
    TEsCustomSettings& CustomSettings() { return settings_; }
    const TEsCustomSettings& CustomSettings() const { return settings_; }
    const SchemeColors& SchemeRow(TEsColorScheme scheme) const { return schemes_[size_t(scheme)]; }

    // Apply a preset; nothing happens when the value is the current one. Neither marks the
    // other kind of preset custom.
    void SetColorScheme(TEsColorScheme scheme);
    void SetAppearance(TEsAppearance appearance);

    // While loading, settings changes neither invalidate nor mark a preset custom.
    void SetLoading(bool loading) { loading_ = loading; }

protected:
    virtual TColor PresetFontColor() const = 0;
    virtual void SetPresetFontColor(TColor color) = 0;
    virtual void PresetInvalidate() = 0;
    virtual void PresetColorChanged() = 0; // the control's own colour-changed notification
    virtual void PresetTextChanged() = 0;  // the control's own text-changed notification

private:
    void SettingsColorChanged();
    void SettingsStyleChanged();
    bool ApplyingPreset() const { return applyingScheme_ || applyingAppearance_; }

    TEsAppearance appearance_ = TEsAppearance::apRaised;
    TEsColorScheme colorScheme_ = TEsColorScheme::csWindows;
    TEsCustomSettings settings_;
    std::array<SchemeColors, 6> schemes_;
    bool applyingScheme_ = false;
    bool applyingAppearance_ = false;
    bool loading_ = false;
};

} // namespace kolvo
