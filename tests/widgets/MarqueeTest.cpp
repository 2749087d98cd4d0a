// The banner under Wine: ticks posted to its message window move it one pixel each, the system
// timer drives it by itself, each frame covers its area, and ticks left over when it goes are
// dropped. Nothing here depends on how fast the timer runs: waits are for a condition, with a
// generous bound.
#include "EsMarque.h"

#include "ProcessWindows.h"

#include <gtest/gtest.h>

#include <functional>

namespace kolvo {
namespace {

using test::PumpMessages;
using test::PumpUntil;

class Marquee : public ::testing::Test {
protected:
    Marquee() {
        // A parent that is never shown: measuring needs its context, painting goes to a bitmap.
        parent.Reset(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
        marquee = std::make_unique<TEsScrollingMarquee>();
        marquee->SetParent(parent.Get());
        marquee->ParentColorChanged(Background);
        marquee->SetBounds(0, 0, 329, 35);
        FontDesc font = marquee->Font();
        font.antialiased = false;
        marquee->SetFont(font);
        marquee->SetCaption("HI");
    }
    ~Marquee() override {
        marquee.reset();
        PumpMessages();
    }

    void PostTicks(int count) {
        for (int i = 0; i < count; ++i) {
            PostMessageA(marquee->MessageWindow(), MarqueeTickMessage, 0, 0);
        }
        PumpMessages();
    }

    // One frame onto a surface prefilled with `under` (by default a colour the banner never
    // uses).
    OffscreenImage& Frame(TColor under = 0x0000FF) {
        surface.SetSize(329, 35);
        surface.GetCanvas().FillRect({0, 0, 329, 35}, under);
        marquee->PaintOn(surface.Dc(), RECT{0, 0, 329, 35});
        return surface;
    }

    // Columns in which the frame shows anything but the background.
    std::pair<int, int> InkColumns() {
        int first = -1;
        int last = -1;
        for (int x = 0; x < surface.Width(); ++x) {
            for (int y = 0; y < surface.Height(); ++y) {
                if (surface.PixelAt(x, y) != Background) {
                    first = first < 0 ? x : first;
                    last = x;
                    break;
                }
            }
        }
        return {first, last};
    }

    static constexpr TColor Background = 0xE0E0E0;
    WindowHandle parent;
    std::unique_ptr<TEsScrollingMarquee> marquee;
    OffscreenImage surface;
};

TEST_F(Marquee, PostedTicksMoveTheTextOnePixelEach) {
    marquee->SetActive(true);
    EXPECT_EQ(marquee->Interval(), 10u);
    EXPECT_NE(marquee->TimerId(), 0u);
    marquee->SetScrollSpeed(0); // no timer from here on: only the posted ticks move it
    EXPECT_EQ(marquee->TimerId(), 0u);
    PumpMessages();
    const int start = marquee->Offset().x;
    EXPECT_EQ(start, 329) << "starts beyond the right edge";
    EXPECT_GT(marquee->TextWidth(), 20);
    // Right to left, the area before the text keeps what activation cleared it to.
    Frame(Background);
    EXPECT_EQ(InkColumns(), std::make_pair(-1, -1)) << "nothing in view yet";

    PostTicks(100);
    EXPECT_EQ(marquee->Offset().x, start - 100);
    Frame(Background);
    const auto [first, last] = InkColumns();
    EXPECT_GE(first, 229) << "the image is copied at the offset";
    EXPECT_LE(last, 229 + marquee->TextWidth() + 2);
    Frame();
    EXPECT_EQ(surface.PixelAt(229, 0), Background) << "the image covers the area from X on";
    EXPECT_EQ(surface.PixelAt(328, 34), Background);
}

TEST_F(Marquee, LeftToRightFillsTheStripBehindTheText) {
    marquee->SetScrollDirection(TEsScrollDirection::sdLeftToRight);
    marquee->SetActive(true);
    marquee->SetScrollSpeed(0);
    PumpMessages();
    EXPECT_EQ(marquee->Offset().x, -marquee->TextWidth());
    PostTicks(marquee->TextWidth() + 50);
    EXPECT_EQ(marquee->Offset().x, 50);
    Frame();
    for (int x = 0; x < 50; ++x) {
        ASSERT_EQ(surface.PixelAt(x, 17), Background) << x;
    }
    EXPECT_GE(InkColumns().first, 50);
}

TEST_F(Marquee, InactiveMarqueeIgnoresTicksAndShowsItsTextAtTheOrigin) {
    PostTicks(5);
    EXPECT_EQ(marquee->Offset().x, 0);
    Frame();
    EXPECT_LE(InkColumns().first, 3) << "the caption at (0, 0)";
}

TEST_F(Marquee, TheTimerMovesItByItself) {
    marquee->SetActive(true);
    const int start = marquee->Offset().x;
    EXPECT_TRUE(PumpUntil([&] { return marquee->Offset().x <= start - 20; }));
}

TEST_F(Marquee, TicksLeftWhenItGoesAreDropped) {
    marquee->SetActive(true);
    marquee->SetScrollSpeed(10); // 2 ms: ticks are certainly pending
    for (int i = 0; i < 20; ++i) {
        PostMessageA(marquee->MessageWindow(), MarqueeTickMessage, 0, 0);
    }
    HWND messageWindow = marquee->MessageWindow();
    marquee.reset();
    EXPECT_FALSE(IsWindow(messageWindow));
    Sleep(50);
    PumpMessages(); // nothing may reach the destroyed control
}

} // namespace
} // namespace kolvo
