// The effect label's rules: where the painter puts its text copies and gradient bands, and how
// settings changes and presets mark each other.
#include "EffectLayout.h"
#include "EsPresets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kolvo {
namespace {

using enum TEsShadeDirection;
using enum TEsShadeStyle;

constexpr unsigned Centre = 1;
constexpr unsigned Right = 2;

EffectColors DefaultColors() {
    return {clGray, clWhite, clBlack, clGray};
}

TEST(EffectPlan, CopiesLieWhereTheEffectsPutThem) {
    TEsCustomSettings raised; // the defaults: highlight up-left 1, shadow down-right 1
    const EffectPlan left = PlanEffectText(raised, DefaultColors(), 0, 300, 35, 0);
    EXPECT_EQ(left.minOff, -1);
    EXPECT_EQ(left.maxOff, 1);
    EXPECT_EQ(left.adj, 0);
    EXPECT_EQ(left.copies, (std::vector<TextCopy>{{2, 2, clBlack}, {0, 0, clWhite}}))
        << "shadow first, the highlight covers it";
    EXPECT_EQ(left.faceDx, 1);
    EXPECT_EQ(left.faceDy, 1);

    const EffectPlan centred = PlanEffectText(raised, DefaultColors(), Centre, 300, 35, 0);
    EXPECT_EQ(centred.adj, 1);
    EXPECT_EQ(centred.faceDx, 0) << "the face stays centred";
    EXPECT_EQ(centred.copies, (std::vector<TextCopy>{{1, 2, clBlack}, {-1, 0, clWhite}}));
    EXPECT_EQ(PlanEffectText(raised, DefaultColors(), Right, 300, 35, 0).adj, 2);

    TEsCustomSettings extruded;
    extruded.SetShadowStyle(ssExtrude);
    extruded.SetShadowDepth(3);
    const EffectPlan extrude = PlanEffectText(extruded, DefaultColors(), 0, 300, 35, 0);
    EXPECT_EQ(extrude.copies,
              (std::vector<TextCopy>{
                  {4, 4, clBlack}, {3, 3, clBlack}, {2, 2, clBlack}, {0, 0, clWhite}}));

    // Graduated: shadow colour at the farthest copy, the face colour at the nearest; halves
    // of the colour steps go to the even byte.
    TEsCustomSettings graduated;
    graduated.SetShadowStyle(ssGraduated);
    graduated.SetShadowDepth(3);
    graduated.SetHighlightDepth(0);
    const EffectPlan steps =
        PlanEffectText(graduated, {clGray, clWhite, 0x000000, 0x050301}, 0, 300, 35, 0);
    ASSERT_EQ(steps.copies.size(), 4u);
    EXPECT_EQ(steps.copies[0], (TextCopy{3, 3, 0x000000}));
    EXPECT_EQ(steps.copies[1], (TextCopy{2, 2, 0x020200})) << "0.5 -> 0, 1.5 -> 2, 2.5 -> 2";
    EXPECT_EQ(steps.copies[2], (TextCopy{1, 1, 0x050301}));
    EXPECT_EQ(steps.copies[3], (TextCopy{0, 0, clWhite})) << "depth 0 lies under the face";

    TEsCustomSettings upward; // both shades up: only the negative side moves the text
    upward.SetShadowDirection(sdUp);
    upward.SetHighlightDirection(sdLeft);
    upward.SetShadowDepth(4);
    const EffectPlan up = PlanEffectText(upward, DefaultColors(), 0, 300, 35, 0);
    EXPECT_EQ(up.minOff, -4);
    EXPECT_EQ(up.maxOff, 0);
    EXPECT_EQ(up.copies, (std::vector<TextCopy>{{4, 0, clBlack}, {3, 4, clWhite}}));
    EXPECT_EQ(up.faceDx, 4);
}

TEST(EffectPlan, SixteenBandsRunFromTheFromColourToTheFontColour) {
    TEsCustomSettings settings;
    settings.SetGraduateStyle(TEsGraduateStyle::gsHorizontal);
    const EffectColors colors{0x0000F0, clWhite, clBlack, 0xF00000};
    const EffectPlan horizontal = PlanEffectText(settings, colors, 0, 400, 35, 151);
    ASSERT_EQ(horizontal.bands.size(), 16u);
    EXPECT_EQ(horizontal.bands[0], (GradientBand{{1, 0, 11, 35}, 0x0000F0}))
        << "from the text's left edge";
    EXPECT_EQ(horizontal.bands[1], (GradientBand{{11, 0, 21, 35}, 0x1000E0}));
    EXPECT_EQ(horizontal.bands[15], (GradientBand{{151, 0, 161, 35}, 0xF00000}));

    EXPECT_EQ(PlanEffectText(settings, colors, Centre, 400, 35, 151).bands[0].rect.left,
              124 + 1 - 1);
    EXPECT_EQ(PlanEffectText(settings, colors, Right, 400, 35, 151).bands[0].rect.left,
              400 - 1 - 151);

    settings.SetGraduateStyle(TEsGraduateStyle::gsVertical);
    const EffectPlan vertical = PlanEffectText(settings, colors, 0, 300, 35, 151);
    ASSERT_EQ(vertical.bands.size(), 16u);
    // 34 / 15 = 2.27 pixels a band, rounded at each edge.
    const int edges[] = {0, 2, 5, 7, 9, 11, 14, 16, 18, 20, 23, 25, 27, 29, 32, 34, 36};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(vertical.bands[i].rect, (Rect{0, 1 + edges[i], 300, 1 + edges[i + 1]})) << i;
    }
    EXPECT_EQ(vertical.bands[7].color, JoinColor({240 - 112, 0, 112})) << "7 x 16 per byte";
}

// A label's preset side with the control's notifications written down.
class RecordingLabel : public EsEffectPresets {
public:
    TColor fontColor = clGray;
    std::vector<std::string> calls;

protected:
    TColor PresetFontColor() const override { return fontColor; }
    void SetPresetFontColor(TColor color) override { fontColor = color; }
    void PresetInvalidate() override { calls.push_back("invalidate"); }
    void PresetColorChanged() override { calls.push_back("colour changed"); }
    void PresetTextChanged() override { calls.push_back("text changed"); }
};

TEST(EffectPresets, ConstructionSetsBothPresetsAndTheDefaultSettings) {
    RecordingLabel label;
    EXPECT_EQ(label.Appearance(), TEsAppearance::apRaised);
    EXPECT_EQ(label.ColorScheme(), TEsColorScheme::csWindows);
    const TEsCustomSettings& s = label.CustomSettings();
    EXPECT_EQ(s.GraduateFromColor(), 0x808080u);
    EXPECT_EQ(s.GraduateStyle(), TEsGraduateStyle::gsNone);
    EXPECT_EQ(s.HighlightColor(), 0xFFFFFFu);
    EXPECT_EQ(s.HighlightDepth(), 1);
    EXPECT_EQ(s.HighlightDirection(), sdUpLeft);
    EXPECT_EQ(s.HighlightStyle(), ssPlain);
    EXPECT_EQ(s.ShadowColor(), 0x000000u);
    EXPECT_EQ(s.ShadowDepth(), 1);
    EXPECT_EQ(s.ShadowDirection(), sdDownRight);
    EXPECT_EQ(s.ShadowStyle(), ssPlain);
    EXPECT_EQ(label.SchemeRow(TEsColorScheme::csCustom),
              label.SchemeRow(TEsColorScheme::csWindows));
    EXPECT_TRUE(label.calls.empty());
}

TEST(EffectPresets, ApplyingOnePresetLeavesTheOtherAlone) {
    RecordingLabel label;
    label.SetColorScheme(TEsColorScheme::csGold);
    EXPECT_EQ(label.ColorScheme(), TEsColorScheme::csGold);
    EXPECT_EQ(label.Appearance(), TEsAppearance::apRaised);
    EXPECT_EQ(label.CustomSettings().HighlightColor(), 0x00FFFFu);
    EXPECT_EQ(label.CustomSettings().ShadowColor(), 0x000000u);
    EXPECT_EQ(label.fontColor, 0x008080u);
    EXPECT_EQ(label.SchemeRow(TEsColorScheme::csCustom), (SchemeColors{0x00FFFF, 0, 0x008080}));
    EXPECT_EQ(label.calls, (std::vector<std::string>{"invalidate", "invalidate", "text changed"}));

    const struct {
        TEsAppearance appearance;
        TEsShadeDirection highlight, shadow;
        int highlightDepth, shadowDepth;
        TColor highlightColor;
    } rows[] = {
        {TEsAppearance::apNone, sdNone, sdNone, 0, 0, 0x00FFFF},
        {TEsAppearance::apFlying, sdDownRight, sdDownRight, 1, 5, 0x000000},
        {TEsAppearance::apSunken, sdDownRight, sdUpLeft, 1, 1, 0x00FFFF},
        {TEsAppearance::apCustom, sdDownRight, sdUpLeft, 1, 1, 0x00FFFF}, // unchanged
        {TEsAppearance::apShadow, sdNone, sdDownRight, 0, 2, 0x00FFFF},
        {TEsAppearance::apRaised, sdUpLeft, sdDownRight, 1, 1, 0x00FFFF},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(int(row.appearance));
        label.SetAppearance(row.appearance);
        const TEsCustomSettings& s = label.CustomSettings();
        EXPECT_EQ(label.Appearance(), row.appearance);
        EXPECT_EQ(label.ColorScheme(), TEsColorScheme::csGold);
        EXPECT_EQ(s.HighlightDirection(), row.highlight);
        EXPECT_EQ(s.ShadowDirection(), row.shadow);
        EXPECT_EQ(s.HighlightDepth(), row.highlightDepth);
        EXPECT_EQ(s.ShadowDepth(), row.shadowDepth);
        EXPECT_EQ(s.HighlightColor(), row.highlightColor);
    }

    label.calls.clear();
    label.SetAppearance(TEsAppearance::apRaised);
    label.SetColorScheme(TEsColorScheme::csGold);
    EXPECT_TRUE(label.calls.empty()) << "the current value applies nothing";

    // csCustom takes its colours from the last scheme applied.
    label.SetColorScheme(TEsColorScheme::csSteel);
    label.SetColorScheme(TEsColorScheme::csCustom);
    EXPECT_EQ(label.CustomSettings().ShadowColor(), 0x800000u);
    EXPECT_EQ(label.fontColor, 0x808000u);
}

TEST(EffectPresets, DirectChangesMarkTheirPresetCustomUnlessLoading) {
    RecordingLabel label;
    label.CustomSettings().SetShadowDepth(1); // the same value: nothing
    EXPECT_TRUE(label.calls.empty());

    label.CustomSettings().SetShadowColor(0x0000FF);
    EXPECT_EQ(label.ColorScheme(), TEsColorScheme::csCustom);
    EXPECT_EQ(label.Appearance(), TEsAppearance::apRaised);
    EXPECT_EQ(label.calls, (std::vector<std::string>{"invalidate", "colour changed"}));

    label.calls.clear();
    label.CustomSettings().SetHighlightStyle(ssExtrude);
    EXPECT_EQ(label.Appearance(), TEsAppearance::apCustom);
    EXPECT_EQ(label.calls, (std::vector<std::string>{"invalidate", "text changed"}));

    RecordingLabel loading;
    loading.SetLoading(true);
    loading.CustomSettings().SetGraduateFromColor(0x123456);
    loading.CustomSettings().SetGraduateStyle(TEsGraduateStyle::gsVertical);
    EXPECT_EQ(loading.ColorScheme(), TEsColorScheme::csWindows);
    EXPECT_EQ(loading.Appearance(), TEsAppearance::apRaised);
    EXPECT_TRUE(loading.calls.empty());
}

TEST(EffectSettings, UpdateLockAndAssign) {
    TEsCustomSettings settings;
    std::vector<std::string> fired;
    settings.OnColorChange = [&](TEsCustomSettings& s) {
        EXPECT_EQ(&s, &settings);
        fired.push_back("colour");
    };
    settings.OnStyleChange = [&](TEsCustomSettings&) { fired.push_back("style"); };
    settings.SetHighlightColor(0x010203);
    settings.SetHighlightDirection(sdDown);
    EXPECT_EQ(fired, (std::vector<std::string>{"colour", "style"}));

    fired.clear();
    settings.BeginUpdate();
    settings.SetShadowDepth(9);
    settings.SetGraduateFromColor(0x0A0B0C);
    EXPECT_TRUE(fired.empty());
    settings.EndUpdate();
    EXPECT_EQ(fired, (std::vector<std::string>{"colour", "style"}));
    fired.clear();
    settings.BeginUpdate();
    settings.EndUpdate();
    EXPECT_EQ(fired, (std::vector<std::string>{"colour", "style"})) << "also without a change";

    fired.clear();
    TEsCustomSettings copy;
    copy.OnColorChange = settings.OnColorChange;
    copy.Assign(settings);
    EXPECT_TRUE(fired.empty());
    EXPECT_EQ(copy.ShadowDepth(), 9);
    EXPECT_EQ(copy.HighlightDirection(), sdDown);
    EXPECT_EQ(copy.GraduateFromColor(), 0x0A0B0Cu);
    EXPECT_EQ(copy.HighlightColor(), 0x010203u);
}

} // namespace
} // namespace kolvo
