// The gradient button's arithmetic and input rules, worked out by hand.
#include "ButtonFace.h"
#include "ButtonInput.h"

#include <gtest/gtest.h>

namespace kolvo {
namespace {

TEST(ButtonFace, GradientRowsRunFromBeginToEndTruncatingTowardZero) {
    const struct {
        TColor begin, end;
        int y, height;
        TColor row;
    } cases[] = {
        {0xFFFFFF, 0xC0C0C0, 0, 26, 0xFFFFFF},
        {0xFFFFFF, 0xC0C0C0, 25, 26, 0xC0C0C0},
        // 255 + (13 * (192 - 255)) div 25 = 223, 255 + (13 * (220 - 255)) div 25 = 237.
        {0xFFFFFF, 0xC0DCC0, 13, 26, 0xDFEDDF},
        {0xFFFFFF, 0xC0DCC0, 25, 26, 0xC0DCC0},
        // 255 - 63 / 25 = 253, where rounding down would give 252; rising bytes go down too.
        {0xFFFFFF, 0xC0C0C0, 1, 26, 0xFDFDFD},
        {0x000000, 0x3F3F3F, 1, 26, 0x020202},
        {0x123456, 0xABCDEF, 0, 1, 0x123456}, // one row: the begin colour
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GradientRowColor(c.begin, c.end, c.y, c.height), c.row)
            << std::hex << c.begin << ".." << c.end << " row " << std::dec << c.y;
    }
}

TEST(ButtonFace, CaptionTopsCentreOrFollowCaptionTop) {
    const struct {
        const char* what;
        CaptionTopInput in;
        CaptionTops tops;
    } cases[] = {
        {"one line centred", {26, 12, 12, true, false, 4, 0, true}, {8, 24, 8}},
        {"two lines centred as a block", {26, 12, 12, true, true, 4, 0, true}, {-1, 15, -1}},
        // (25 - 28) div 2 truncates to -1, not -2.
        {"two lines, odd overflow", {25, 12, 12, true, true, 4, 0, true}, {-1, 15, -1}},
        {"second line alone centred", {26, 12, 12, false, true, 4, 3, true}, {-1, 7, 7}},
        {"fixed top", {26, 12, 12, true, true, 4, 8, false}, {8, 24, 8}},
        {"fixed top, second line alone", {26, 12, 12, false, true, 4, 8, false}, {8, 8, 8}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LayoutCaptionTops(c.in), c.tops) << c.what;
    }
    // Held with the left button: drawn one pixel lower, only when taking part in focus.
    EXPECT_EQ(8 + PressedOffset(true, true), 9);
    EXPECT_EQ(PressedOffset(false, true), 0);
    EXPECT_EQ(PressedOffset(true, false), 0);
}

TEST(ButtonFace, CaptionsAnchorAndSpreadEvenly) {
    EXPECT_EQ(AnchorCaption(TplBtnAlignment::taCenter, 3, 75, 5, 6),
              (CaptionAnchor{37, TplBtnAlignment::taCenter, 0}));
    EXPECT_EQ(AnchorCaption(TplBtnAlignment::taLeft, 3, 75, 5, 6),
              (CaptionAnchor{7, TplBtnAlignment::taLeft, 0}));
    EXPECT_EQ(AnchorCaption(TplBtnAlignment::taRight, 3, 75, 5, 6),
              (CaptionAnchor{67, TplBtnAlignment::taRight, 0}));
    EXPECT_EQ(AnchorCaption(TplBtnAlignment::taEven, 3, 75, 5, 6),
              (CaptionAnchor{7, TplBtnAlignment::taEven, 60}));
    EXPECT_EQ(AnchorCaption(TplBtnAlignment::taEven, 1, 75, 5, 6),
              (CaptionAnchor{37, TplBtnAlignment::taCenter, 0}))
        << "a single character is centred";

    // Five characters of 12 pixels in 67: 7 spare, gaps 2, 2, 2 and 1; the last one ends at the
    // right margin (71 - 0 - 2).
    EXPECT_EQ(SpreadEvenly(67, 60, 5), (EvenSpacing{1, 3}));
    const std::vector<int> widths(5, 12);
    EXPECT_EQ(EvenCharacterLefts(2, widths, {1, 3}), (std::vector<int>{2, 16, 30, 44, 57}));
    // Too little room: the remainder keeps the sign of the shortfall and narrows the first gaps.
    EXPECT_EQ(SpreadEvenly(53, 60, 5), (EvenSpacing{-1, -3}));
    EXPECT_EQ(EvenCharacterLefts(2, widths, {-1, -3}), (std::vector<int>{2, 12, 22, 32, 43}));

    EXPECT_EQ(SplitCharacters("\x8e\xc0\x81\x40\x8d\x73").size(), 3u) << "実　行";
    EXPECT_EQ(SplitCharacters("A\x95\x5C"
                              "B"),
              (std::vector<std::string_view>{"A", "\x95\x5C", "B"}));
    EXPECT_EQ(SplitCharacters("x\x82"), (std::vector<std::string_view>{"x", "\x82"}));
    EXPECT_TRUE(SplitCharacters("").empty());
}

TEST(ButtonFace, DisabledButtonsGreyTheirPictureOnlyWhenAsked) {
    EXPECT_EQ(GreyValue(0, 0, 0), 120);
    EXPECT_EQ(GreyValue(255, 255, 255), 247);
    EXPECT_EQ(GreyValue(10, 20, 31), 130); // 61 div 3 = 20, div 2 = 10
    EXPECT_EQ(GreyValue(1, 1, 2), 120);
    EXPECT_EQ(GreyColor(0x00FF0000), TColor(0x00A2A2A2)); // blue 255: 85 div 2 + 120 = 162

    const struct {
        bool enabled, hasFocus, disableImage, disabledLook;
    } cases[] = {
        {true, true, true, false},
        {false, true, false, true},
        {false, false, true, true},
        {false, false, false, false}, // drawn in the normal colours
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DrawsDisabled(c.enabled, c.hasFocus, c.disableImage), c.disabledLook)
            << c.enabled << c.hasFocus << c.disableImage;
    }
    EXPECT_EQ(CentredOffset(26, 16), 5);
    EXPECT_EQ(CentredOffset(26, 33), -3);
}

TEST(ButtonFace, FramesAndFocusMarksFollowTheStyle) {
    using S = TplButtonStyle;
    using F = TplBtnFrameType;
    EXPECT_EQ(FrameFor(S::bsNormal, F::bffBump, false), ButtonFrame::Raised);
    EXPECT_EQ(FrameFor(S::bsNormal, F::bffBump, true), ButtonFrame::Pressed);
    EXPECT_EQ(FrameFor(S::bsFlat, F::bffFlat, true), ButtonFrame::FlatBorder);
    EXPECT_EQ(FrameFor(S::bsFlat, F::bffEtched, false), ButtonFrame::Etched);
    EXPECT_EQ(FrameFor(S::bsFlat, F::bffBump, false), ButtonFrame::Bump);
    EXPECT_EQ(FrameFor(S::bsRoundRect, F::bffFlat, true), ButtonFrame::RoundRect);
    EXPECT_EQ(FrameFor(S::bsFlatNoFrame, F::bffFlat, false), ButtonFrame::None);
    EXPECT_EQ(FrameFor(S::bsRoundRectNoFrame, F::bffFlat, false), ButtonFrame::None);

    const Rect client{0, 0, 75, 26};
    EXPECT_EQ(FocusMarkRect(client, S::bsNormal, F::bffBump), (Rect{2, 2, 73, 24}));
    EXPECT_EQ(FocusMarkRect(client, S::bsFlat, F::bffBump), (Rect{2, 2, 74, 25}));
    EXPECT_EQ(FocusMarkRect(client, S::bsFlat, F::bffEtched), (Rect{2, 2, 72, 23}));
    EXPECT_EQ(FocusMarkRect(client, S::bsFlat, F::bffFlat), (Rect{2, 2, 73, 24}));
    EXPECT_TRUE(IsRoundStyle(S::bsRoundRectNoFrame));
    EXPECT_FALSE(IsRoundStyle(S::bsFlat));
}

TEST(ButtonInput, DialogKeysAndKeyDownClickAsTheRulesSay) {
    const struct {
        int key;
        bool focused, cancel;
        TShiftState shift;
        bool hasFocus, clicks;
    } cases[] = {
        {KeyEnter, true, false, 0, true, true},
        {KeyEnter, false, true, 0, true, false}, // Enter only on the focused button
        {KeyEnter, true, false, ssShift, true, false},
        {KeyEnter, true, false, ssCtrl, true, false},
        {KeyEnter, true, false, ssAlt, true, false},
        {KeyEnter, true, false, ssLeft, true, true}, // mouse buttons do not count
        {KeyEnter, true, false, 0, false, false},
        {KeyEscape, false, true, 0, true, true}, // from whichever control has the focus
        {KeyEscape, true, false, 0, true, false},
        {KeyEscape, false, true, ssShift, true, false},
        {KeyEscape, false, true, 0, false, false},
        {' ', true, true, 0, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DialogKeyClicks(c.key, c.focused, c.cancel, c.shift, c.hasFocus), c.clicks)
            << c.key << " focused " << c.focused << " cancel " << c.cancel << " shift " << c.shift
            << " hasFocus " << c.hasFocus;
    }
    EXPECT_TRUE(KeyDownClicks(KeyEnter, true));
    EXPECT_FALSE(KeyDownClicks(KeyEnter, false));
    EXPECT_FALSE(KeyDownClicks(KeyEscape, true));
}

TEST(ButtonInput, PressedFlagFollowsTheLeftButtonAndThePointer) {
    ButtonPressState state;
    EXPECT_EQ(state.MoveTo(true), PointerCrossing::Entered);
    EXPECT_EQ(state.MoveTo(true), PointerCrossing::None);
    state.LeftPress();
    EXPECT_TRUE(state.Pressed());
    // Dragged out: the face comes up; back in while held: it stays up.
    EXPECT_EQ(state.MoveTo(false), PointerCrossing::Left);
    EXPECT_FALSE(state.Pressed());
    EXPECT_EQ(state.MoveTo(true), PointerCrossing::Entered);
    EXPECT_FALSE(state.Pressed());
    EXPECT_TRUE(state.LeftRelease(true)) << "released over the button: a click";
    EXPECT_FALSE(state.LeftRelease(true)) << "no press, no click";

    state.LeftPress();
    EXPECT_FALSE(state.LeftRelease(false)) << "released elsewhere";
    state.LeftPress();
    state.Cancel();
    EXPECT_FALSE(state.Pressed());
    EXPECT_FALSE(state.LeftRelease(true)) << "capture lost";
    state.LeftPress();
    state.Clear(); // a click, or Enter released
    EXPECT_FALSE(state.Pressed());
    EXPECT_TRUE(state.LeftRelease(true));
}

} // namespace
} // namespace kolvo
