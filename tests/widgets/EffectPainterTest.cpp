// The effect painter drawing on a memory bitmap. The font is drawn without edge smoothing, so
// each copy of the text is exactly its colour and the copies can be found by their colours.
#include "EsLabel.h"
#include "OffscreenImage.h"

#include <gtest/gtest.h>

#include <set>

namespace kolvo {
namespace {

constexpr TColor Background = 0x00FF00;

struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    bool Empty() const { return right < left; }
};

// The smallest box around the pixels of exactly that colour.
Box InkOf(const OffscreenImage& image, TColor colour) {
    Box box;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (image.PixelAt(x, y) == colour) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                       std::max(box.bottom, y)};
            }
        }
    }
    return box;
}

class EffectPainter : public ::testing::Test {
protected:
    EffectPainter() {
        label.SetCaption("HI");
        FontDesc font = label.Font();
        font.antialiased = false;
        font.bold = true;
        label.SetFont(font);
        label.SetTransparent(false);
        label.SetColor(Background);
    }

    void Render(UINT flags, int width = 160, int height = 40) {
        image.SetSize(width, height);
        image.GetCanvas().FillRect({0, 0, width, height}, clBlack);
        label.RenderEffectText(image.Dc(), {0, 0, width, height}, flags);
    }

    // The face alone, where the effects would put it with no offsets at all.
    Box PlainFace(UINT flags) {
        label.SetAppearance(TEsAppearance::apNone);
        Render(flags);
        const Box face = InkOf(image, clGray);
        label.SetAppearance(TEsAppearance::apRaised);
        return face;
    }

    TEsCustomLabel label;
    OffscreenImage image;
};

TEST_F(EffectPainter, RaisedTextHasItsHighlightUpLeftAndItsShadowDownRight) {
    const Box plain = PlainFace(DT_LEFT);
    ASSERT_FALSE(plain.Empty());
    Render(DT_LEFT);
    const Box face = InkOf(image, clGray);
    const Box highlight = InkOf(image, clWhite);
    const Box shadow = InkOf(image, clBlack);
    EXPECT_EQ(face.left, plain.left + 1);
    EXPECT_EQ(face.top, plain.top + 1);
    EXPECT_EQ(face.right, plain.right + 1);
    EXPECT_EQ(face.bottom, plain.bottom + 1);
    EXPECT_EQ(highlight.left, plain.left) << "highlight copy at (0, 0)";
    EXPECT_EQ(highlight.top, plain.top);
    EXPECT_EQ(shadow.right, plain.right + 2) << "shadow copy at (2, 2)";
    EXPECT_EQ(shadow.bottom, plain.bottom + 2);
    EXPECT_EQ(image.PixelAt(0, 0), Background) << "the background fills the rest";
}

TEST_F(EffectPainter, CentredTextKeepsItsFaceCentred) {
    const Box plain = PlainFace(DT_CENTER);
    Render(DT_CENTER);
    const Box face = InkOf(image, clGray);
    EXPECT_EQ(face.left, plain.left) << "adj = 1 takes the minOff shift back";
    EXPECT_EQ(face.top, plain.top + 1);
    EXPECT_EQ(InkOf(image, clWhite).left, plain.left - 1);
    EXPECT_EQ(InkOf(image, clBlack).right, plain.right + 1);
}

TEST_F(EffectPainter, ExtrudedShadowReachesFromTheFaceToItsDepth) {
    const Box plain = PlainFace(DT_LEFT);
    label.CustomSettings().SetShadowStyle(TEsShadeStyle::ssExtrude);
    label.CustomSettings().SetShadowDepth(3);
    Render(DT_LEFT);
    const Box shadow = InkOf(image, clBlack);
    // Copies at depths 3, 2 and 1 lie at 4, 3 and 2 (minOff = -1): the nearest shows just below
    // the face's top, the farthest ends three pixels beyond it.
    EXPECT_EQ(shadow.top, plain.top + 2);
    EXPECT_EQ(shadow.right, plain.right + 4);
    EXPECT_EQ(shadow.bottom, plain.bottom + 4);
    EXPECT_EQ(InkOf(image, clGray).left, plain.left + 1);

    label.CustomSettings().SetShadowStyle(TEsShadeStyle::ssPlain);
    Render(DT_LEFT);
    EXPECT_EQ(InkOf(image, clBlack).top, plain.top + 4) << "a plain shadow is one copy";
}

TEST_F(EffectPainter, GraduatedFaceRunsThroughSixteenBands) {
    label.SetCaption("\x81\xA1\x81\xA1\x81\xA1\x81\xA1"); // ■■■■: solid ink across the text
    label.SetAppearance(TEsAppearance::apNone);
    const TColor from = 0x0000F0;
    const TColor to = 0xF00000;
    label.CustomSettings().SetGraduateFromColor(from);
    FontDesc font = label.Font();
    font.color = to;
    label.SetFont(font);
    label.CustomSettings().SetGraduateStyle(TEsGraduateStyle::gsHorizontal);
    Render(DT_LEFT, 200, 40);

    // Every ink pixel has the colour of its band: from + round(i x (to - from) / 15) per byte,
    // bands of (text width - 1) / 15 pixels from the text's left edge.
    image.GetCanvas().SetFont(label.Font());
    const int textWidth = image.GetCanvas().TextWidth(label.Caption());
    std::set<TColor> seen;
    int wrong = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const TColor pixel = image.PixelAt(x, y);
            if (pixel == Background) {
                continue;
            }
            const double band = (textWidth - 1) / 15.0;
            int i = 0;
            while (i < 15 && x >= RoundHalfEven((i + 1) * band)) {
                ++i;
            }
            const ColorBytes a = SplitColor(from);
            const ColorBytes b = SplitColor(to);
            const TColor expected =
                JoinColor({a.red + RoundHalfEven(i * (b.red - a.red) / 15.0), 0,
                           a.blue + RoundHalfEven(i * (b.blue - a.blue) / 15.0)});
            if (pixel != expected && wrong++ < 5) {
                ADD_FAILURE() << x << "," << y << " " << std::hex << pixel << " " << expected;
            }
            seen.insert(pixel);
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GE(seen.size(), 14u) << "the glyphs' side bearings may hide a band at either end";
    EXPECT_LE(seen.size(), 16u);
}

} // namespace
} // namespace kolvo
