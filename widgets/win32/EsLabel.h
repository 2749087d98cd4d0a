// The effect label: a windowless text control that draws its caption as three-dimensional
// text (shadow and highlight copies behind the face, optionally extruded or graduated, and an
// optional colour gradient inside the letters).
#pragma once

#include "EffectLayout.h"
#include "EsPresets.h"
#include "WindowlessControl.h"

#include <windows.h>

namespace kolvo {

enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

// The colour the face text is drawn in on the mask image, where the gradient is to go.
constexpr TColor GradientKeyColor = 0xFE09F1;

// The system text-drawing flag for an alignment (left 0, right 2, centre 1).
UINT AlignmentFlags(TAlignment alignment);

class TEsCustomLabel : public WindowlessControl, public EsEffectPresets {
public:
    TEsCustomLabel();

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool show);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }

    // The effect painter: reads from and draws on the control's canvas, whatever surface it is
    // bound to. `flags`: alignment, DT_WORDBREAK, DT_EXPANDTABS, DT_NOPREFIX.
    void DrawEffectText(const RECT& rect, UINT flags);
    // Draws the effect text onto a surface of its own (background filled unless Transparent).
    void RenderEffectText(HDC surface, const RECT& rect, UINT flags);

protected:
    void Paint(Canvas& canvas) override;
    EffectColors ResolvedEffectColors() const;

    TColor PresetFontColor() const override { return Font().color; }
    void SetPresetFontColor(TColor color) override;
    void PresetInvalidate() override { Invalidate(); }
    void PresetColorChanged() override { ColorChanged(); }
    void PresetTextChanged() override { TextChanged(); }

private:
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool wordWrap_ = true;
    bool showAccelChar_ = true;
    bool transparent_ = true;
    bool autoSize_ = false;
};

} // namespace kolvo
