// The dialog's banner: where it sits, what it shows, that it scrolls right to left with raised
// grey text, and that closing stops it. The banner paints into an off-screen image as it paints
// the dialog: read from the screen, the pixels were those of any window another test process put
// over the dialog. Waits are for what the banner shows, with a generous bound.
#include "DialogBanner.h"
#include "KolvoZokuseiU.h"
#include "OffscreenImage.h"
#include "TestFiles.h"

#include "ProcessWindows.h"

#include <gtest/gtest.h>

#include <functional>

namespace kolvo {
namespace {

class DialogBanner : public ::testing::Test {
protected:
    std::unique_ptr<TKolvoZokuSeiF> Open() {
        DialogServices services;
        services.appDataFolder = [this](HWND) { return scratch.Path(); };
        services.executablePath = [] { return std::string("D:\\Kolvo.exe"); };
        services.localTime = [] { return LocalTime{2024, 3, 7, 9, 5, 3}; };
        services.browseForSave = [](HWND, std::string&) { return false; };
        services.showError = [](HWND, const std::string&) {};
        auto form = std::make_unique<TKolvoZokuSeiF>(GetModuleHandleA(nullptr), nullptr,
                                                     std::move(services), false);
        EXPECT_TRUE(form->Created());
        form->Show();
        return form;
    }

    testing::TTempFolder scratch;
};

using test::PumpMessages;
using test::PumpUntil;

// The banner's visible part (client x 8 to the dialog's right edge, y 8 to 43) as the banner
// paints it on the dialog's face.
void CaptureBanner(TKolvoZokuSeiF& form, OffscreenImage& image) {
    OffscreenImage client(DialogClientWidth, 43);
    for (int y = 0; y < client.Height(); ++y) {
        for (int x = 0; x < client.Width(); ++x) {
            client.SetPixelAt(x, y, GetSysColor(COLOR_BTNFACE));
        }
    }
    const RECT all{0, 0, client.Width(), client.Height()};
    form.EsScrollingMarquee1().PaintOn(client.Dc(), all);
    image.SetSize(DialogClientWidth - 8, 35);
    BitBlt(image.Dc(), 0, 0, image.Width(), image.Height(), client.Dc(), 8, 8, SRCCOPY);
}

// The leftmost column that shows anything but the dialog's face; -1 when there is none.
int LeftmostInk(const OffscreenImage& image) {
    const TColor face = GetSysColor(COLOR_BTNFACE);
    for (int x = 0; x < image.Width(); ++x) {
        for (int y = 0; y < image.Height(); ++y) {
            if (image.PixelAt(x, y) != face) {
                return x;
            }
        }
    }
    return -1;
}

TEST_F(DialogBanner, IsTheGreyTimesBannerRunningFromDialogCreation) {
    auto form = Open();
    const TEsScrollingMarquee& banner = form->EsScrollingMarquee1();
    EXPECT_EQ(banner.Parent(), form->Handle());
    EXPECT_EQ(banner.Left(), 8);
    EXPECT_EQ(banner.Top(), 8);
    EXPECT_EQ(banner.Width(), 329);
    EXPECT_EQ(banner.Height(), 35);
    EXPECT_EQ(banner.Caption(), "選択した配筋の集計値をCSVファイルへ保存します");
    EXPECT_EQ(banner.Font().name, "Times New Roman");
    EXPECT_EQ(banner.Font().height, -27);
    EXPECT_EQ(banner.Font().charset, SHIFTJIS_CHARSET);
    EXPECT_FALSE(banner.Font().bold);
    EXPECT_EQ(banner.Font().color, 0x808080u);
    EXPECT_EQ(banner.Color(), clBtnFace);
    EXPECT_EQ(banner.Alignment(), TAlignment::taLeftJustify);
    EXPECT_EQ(banner.Appearance(), TEsAppearance::apRaised);
    EXPECT_EQ(banner.ColorScheme(), TEsColorScheme::csWindows);
    EXPECT_EQ(banner.ScrollDirection(), TEsScrollDirection::sdRightToLeft);
    EXPECT_EQ(banner.Behavior(), TEsBehaviors::bhCycle);
    EXPECT_EQ(banner.ScrollSpeed(), 5);
    EXPECT_TRUE(banner.Active());
    EXPECT_EQ(banner.Interval(), 10u);
    EXPECT_NE(banner.TimerId(), 0u);
    EXPECT_GT(banner.TextWidth(), 329) << "the caption is longer than the banner";

    form->Close();
    EXPECT_FALSE(IsWindow(form->Handle()));
    EXPECT_FALSE(banner.Active()) << "closing stops the banner before the dialog goes";
    EXPECT_EQ(banner.TimerId(), 0u);
    PumpMessages();
}

TEST_F(DialogBanner, RaisedGreyTextScrollsFromRightToLeft) {
    auto form = Open();
    OffscreenImage shot;
    int firstSeen = -1;
    ASSERT_TRUE(PumpUntil([&] {
        CaptureBanner(*form, shot);
        firstSeen = LeftmostInk(shot);
        return firstSeen >= 0;
    })) << "the text comes into view";
    int now = firstSeen;
    ASSERT_TRUE(PumpUntil([&] {
        CaptureBanner(*form, shot);
        now = LeftmostInk(shot);
        return now >= 0 && now <= 150;
    })) << "first seen at "
        << firstSeen << ", now at " << now;
    EXPECT_GE(firstSeen - now, 20) << "the text moved to the left";

    // A grey face with a white highlight up and left of it and a black shadow down and right:
    // next to the face's grey, white lies up-left far more often than down-right, and black
    // down-right far more often than up-left (smoothing blurs the edges, so not always).
    int whiteUpLeft = 0, whiteDownRight = 0, blackUpLeft = 0, blackDownRight = 0, grey = 0;
    for (int y = 1; y + 1 < shot.Height(); ++y) {
        for (int x = 1; x + 1 < shot.Width(); ++x) {
            if (shot.PixelAt(x, y) != 0x808080) {
                continue;
            }
            ++grey;
            const TColor upLeft = shot.PixelAt(x - 1, y - 1);
            const TColor downRight = shot.PixelAt(x + 1, y + 1);
            whiteUpLeft += upLeft == 0xFFFFFF;
            whiteDownRight += downRight == 0xFFFFFF;
            blackUpLeft += upLeft == 0x000000;
            blackDownRight += downRight == 0x000000;
        }
    }
    SCOPED_TRACE(::testing::Message() << "grey " << grey << ", white up-left " << whiteUpLeft
                                      << " / down-right " << whiteDownRight << ", black up-left "
                                      << blackUpLeft << " / down-right " << blackDownRight);
    ASSERT_GT(grey, 20);
    EXPECT_GT(whiteUpLeft, 10);
    EXPECT_GT(whiteUpLeft, 3 * whiteDownRight);
    EXPECT_GT(blackDownRight, 10);
    EXPECT_GT(blackDownRight, 3 * blackUpLeft);
}

} // namespace
} // namespace kolvo
