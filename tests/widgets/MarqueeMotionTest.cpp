// The banner's arithmetic: timer interval and resolution, start positions, the tick table with
// its wrap and bounce rules, and what the setters do to the timer.
#include "MarqueeMotion.h"

#include <gtest/gtest.h>

#include <vector>

namespace kolvo {
namespace {

using enum TEsScrollDirection;
using enum TEsBehaviors;

TEST(MarqueeMotion, SpeedGivesTheTickIntervalAndResolution) {
    const unsigned intervals[] = {20, 18, 16, 14, 12, 10, 8, 6, 4, 2, 2};
    for (int speed = 0; speed <= 10; ++speed) {
        EXPECT_EQ(TickInterval(speed), intervals[speed]) << speed;
    }
    EXPECT_EQ(MinimumTimerResolution(1, 1000000), 2u);
    EXPECT_EQ(MinimumTimerResolution(5, 1000000), 5u);
    EXPECT_EQ(MinimumTimerResolution(1, 1), 1u) << "lowered to the largest supported period";
    EXPECT_EQ(TimerResolution(10, 2), 10u);
    EXPECT_EQ(TimerResolution(2, 5), 5u);
}

TEST(MarqueeMotion, StartPositionsAndImageSizes) {
    const MarqueeExtent e{329, 35, 200, 30};
    const struct {
        TEsScrollDirection direction;
        TEsBehaviors behavior;
        MarqueeOffset start;
    } cases[] = {
        {sdRightToLeft, bhBounce, {129, 0}}, {sdRightToLeft, bhCycle, {329, 0}},
        {sdLeftToRight, bhBounce, {0, 0}},   {sdLeftToRight, bhOnce, {-200, 0}},
        {sdTopToBottom, bhBounce, {0, 0}},   {sdTopToBottom, bhCycle, {0, -30}},
        {sdBottomToTop, bhBounce, {0, 5}},   {sdBottomToTop, bhCycle, {0, 35}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StartPosition(c.direction, c.behavior, e), c.start)
            << int(c.direction) << " " << int(c.behavior);
    }
    EXPECT_EQ(MarqueeImageSize(sdRightToLeft, e).width, 529);
    EXPECT_EQ(MarqueeImageSize(sdTopToBottom, e).width, 329);
    EXPECT_EQ(MarqueeImageSize(sdBottomToTop, e).height, 65);
    EXPECT_EQ(UncoveredStrip(sdLeftToRight, {40, 0}, e), (Rect{0, 0, 40, 35}));
    EXPECT_EQ(UncoveredStrip(sdTopToBottom, {0, 7}, e), (Rect{0, 0, 329, 7}));
    EXPECT_FALSE(UncoveredStrip(sdRightToLeft, {40, 0}, e));
    EXPECT_FALSE(UncoveredStrip(sdBottomToTop, {0, 7}, e));
}

TEST(MarqueeMotion, EveryRowOfTheTickTable) {
    const MarqueeExtent e{100, 40, 30, 10}; // fits both ways
    const MarqueeExtent wide{100, 40, 130, 50};
    const struct {
        TEsScrollDirection direction;
        TEsBehaviors behavior;
        MarqueeExtent extent;
        MarqueeOffset before;
        MarqueeOffset after;
        bool cycled;
        TEsScrollDirection directionAfter;
    } cases[] = {
        // Cycling: the step, the last step that stays, and the wrap.
        {sdRightToLeft, bhCycle, e, {10, 0}, {9, 0}, false, sdRightToLeft},
        {sdRightToLeft, bhCycle, e, {-44, 0}, {-45, 0}, false, sdRightToLeft},
        {sdRightToLeft, bhCycle, e, {-45, 0}, {100, 0}, true, sdRightToLeft},
        {sdLeftToRight, bhCycle, e, {114, 0}, {115, 0}, false, sdLeftToRight},
        {sdLeftToRight, bhCycle, e, {115, 3}, {-30, 3}, true, sdLeftToRight},
        {sdTopToBottom, bhCycle, e, {0, 54}, {0, 55}, false, sdTopToBottom},
        {sdTopToBottom, bhOnce, e, {0, 55}, {0, -10}, true, sdTopToBottom},
        {sdBottomToTop, bhCycle, e, {0, -24}, {0, -25}, false, sdBottomToTop},
        {sdBottomToTop, bhCycle, e, {0, -25}, {0, 40}, true, sdBottomToTop},
        // Bouncing reverses at the edges and keeps the stepped offset.
        {sdRightToLeft, bhBounce, e, {1, 0}, {0, 0}, false, sdRightToLeft},
        {sdRightToLeft, bhBounce, e, {0, 0}, {-1, 0}, true, sdLeftToRight},
        {sdLeftToRight, bhBounce, e, {70, 0}, {71, 0}, true, sdRightToLeft},
        {sdLeftToRight, bhBounce, e, {69, 0}, {70, 0}, false, sdLeftToRight},
        {sdTopToBottom, bhBounce, e, {0, 30}, {0, 31}, true, sdBottomToTop},
        {sdBottomToTop, bhBounce, e, {0, 0}, {0, -1}, true, sdTopToBottom},
        // A bouncing caption that does not fit cycles.
        {sdRightToLeft, bhBounce, wide, {-145, 0}, {100, 0}, true, sdRightToLeft},
        {sdRightToLeft, bhBounce, wide, {0, 0}, {-1, 0}, false, sdRightToLeft},
        {sdBottomToTop, bhBounce, wide, {0, 0}, {0, -1}, false, sdBottomToTop},
        {sdTopToBottom, bhBounce, wide, {0, 55}, {0, -50}, true, sdTopToBottom},
    };
    for (const auto& c : cases) {
        MarqueeOffset offset = c.before;
        TEsScrollDirection direction = c.direction;
        const bool cycled = StepMarquee(offset, direction, c.behavior, c.extent);
        SCOPED_TRACE(testing::Message()
                     << "direction " << int(c.direction) << " behaviour " << int(c.behavior)
                     << " from " << c.before.x << "," << c.before.y);
        EXPECT_EQ(offset, c.after);
        EXPECT_EQ(cycled, c.cycled);
        EXPECT_EQ(direction, c.directionAfter);
    }
}

// The marquee's state with the control's drawing and the system timer written down instead.
class RecordingMarquee : public MarqueeAnimation {
public:
    MarqueeExtent extent{329, 35, 200, 30};
    std::vector<std::string> calls;
    std::vector<unsigned> intervals; // of each timer started
    unsigned nextId = 7;
    bool refuseTimer = false;
    int cycles = 0;

    RecordingMarquee() {
        OnCycle = [this] { ++cycles; };
    }
    unsigned RunningTimers() const { return running; }

protected:
    void MarqueeMeasureText() override { calls.push_back("measure"); }
    MarqueeExtent MarqueeSizes() const override { return extent; }
    void MarqueeClearArea() override { calls.push_back("clear"); }
    void MarqueeInvalidate() override { calls.push_back("invalidate"); }
    unsigned StartSystemTimer(unsigned interval, unsigned) override {
        if (refuseTimer) {
            return 0;
        }
        intervals.push_back(interval);
        ++running;
        return nextId++;
    }
    void StopSystemTimer(unsigned) override { --running; }

private:
    unsigned running = 0;
};

TEST(MarqueeAnimation, RightToLeftCaptionWrapsOnThe545thTick) {
    RecordingMarquee marquee;
    EXPECT_EQ(marquee.TimerId(), 0u) << "nothing runs while inactive";
    marquee.SetActive(true);
    EXPECT_EQ(marquee.calls, (std::vector<std::string>{"measure", "clear", "invalidate"}));
    EXPECT_EQ(marquee.Offset(), (MarqueeOffset{329, 0}));
    EXPECT_EQ(marquee.intervals, std::vector<unsigned>{10});
    EXPECT_EQ(marquee.RunningTimers(), 1u);
    for (int tick = 1; tick <= 544; ++tick) {
        ASSERT_TRUE(marquee.Tick());
    }
    EXPECT_EQ(marquee.Offset().x, -215) << "15 pixels beyond the left edge does not wrap yet";
    EXPECT_EQ(marquee.cycles, 0);
    marquee.Tick();
    EXPECT_EQ(marquee.Offset().x, 329);
    EXPECT_EQ(marquee.cycles, 1);
    EXPECT_TRUE(marquee.Active());
    EXPECT_EQ(marquee.calls.back(), "invalidate");
}

TEST(MarqueeAnimation, BounceReversesAtBothEdgesAndOnceStopsItself) {
    RecordingMarquee bouncing;
    bouncing.SetBehavior(bhBounce);
    bouncing.SetActive(true);
    EXPECT_EQ(bouncing.Offset().x, 129);
    for (int tick = 0; tick < 130; ++tick) {
        bouncing.Tick();
    }
    EXPECT_EQ(bouncing.ScrollDirection(), sdLeftToRight);
    EXPECT_EQ(bouncing.cycles, 1);
    for (int tick = 0; tick < 131; ++tick) {
        bouncing.Tick();
    }
    EXPECT_EQ(bouncing.ScrollDirection(), sdRightToLeft);
    EXPECT_EQ(bouncing.cycles, 2);

    RecordingMarquee wide;
    wide.extent.textWidth = 400;
    wide.SetBehavior(bhBounce);
    wide.SetActive(true);
    EXPECT_EQ(wide.Offset().x, -71) << "starts at the negative CW - TW and cycles";
    for (int tick = 0; tick < 345; ++tick) {
        wide.Tick();
    }
    EXPECT_EQ(wide.Offset().x, 329);
    EXPECT_EQ(wide.ScrollDirection(), sdRightToLeft);

    RecordingMarquee once;
    once.SetBehavior(bhOnce);
    once.SetActive(true);
    for (int tick = 0; tick < 545; ++tick) {
        once.Tick();
    }
    EXPECT_EQ(once.cycles, 1);
    EXPECT_FALSE(once.Active());
    EXPECT_EQ(once.Offset(), (MarqueeOffset{0, 0}));
    EXPECT_EQ(once.RunningTimers(), 0u);
    EXPECT_FALSE(once.Tick()) << "a late tick of the stopped timer is not handled";
    EXPECT_EQ(once.Offset(), (MarqueeOffset{0, 0}));
}

TEST(MarqueeAnimation, SpeedAndActivationRules) {
    RecordingMarquee marquee;
    marquee.SetActive(true);
    marquee.Tick();
    marquee.SetScrollSpeed(11);
    EXPECT_EQ(marquee.ScrollSpeed(), 5) << "11 is refused";
    marquee.SetScrollSpeed(9);
    EXPECT_EQ(marquee.intervals.back(), 2u);
    EXPECT_EQ(marquee.RunningTimers(), 1u);

    marquee.SetScrollSpeed(0);
    EXPECT_TRUE(marquee.Active());
    EXPECT_EQ(marquee.TimerId(), 0u) << "speed 0 stops the timer while active";
    EXPECT_EQ(marquee.RunningTimers(), 0u);

    const MarqueeOffset kept = marquee.Offset();
    marquee.SetActive(true); // the same value: the timer starts again, the text stays
    EXPECT_EQ(marquee.Offset(), kept);
    EXPECT_EQ(marquee.intervals.back(), 20u);
    EXPECT_EQ(marquee.RunningTimers(), 1u);

    marquee.SetScrollDirection(sdLeftToRight);
    EXPECT_EQ(marquee.Offset(), (MarqueeOffset{-200, 0})) << "restarts from the new start";
    EXPECT_EQ(marquee.RunningTimers(), 1u);

    marquee.SetActive(false);
    EXPECT_EQ(marquee.Offset(), (MarqueeOffset{0, 0}));
    EXPECT_EQ(marquee.RunningTimers(), 0u);
    EXPECT_EQ(marquee.TimerId(), 0u);

    RecordingMarquee refused;
    refused.refuseTimer = true;
    refused.SetActive(true);
    EXPECT_EQ(refused.TimerId(), 0u) << "a refused timer leaves the banner still";
    EXPECT_TRUE(refused.Active());
}

} // namespace
} // namespace kolvo
