// The banner's motion: timer interval for a speed, start positions, the one-pixel step of each
// tick with its cycle and bounce rules, and the image it copies per frame. MarqueeAnimation
// holds the state and the setters' rules; the control supplies measuring, drawing and the
// system timer through the virtual hooks.
#pragma once

#include "Geometry.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace kolvo {

enum class TEsBehaviors : std::uint8_t { bhCycle, bhBounce, bhOnce };
enum class TEsScrollDirection : std::uint8_t {
    sdRightToLeft,
    sdLeftToRight,
    sdTopToBottom,
    sdBottomToTop
};
using TEsScrollSpeed = std::uint8_t; // 0..10

constexpr unsigned MarqueeTickMessage = 1524; // posted to the message window, wParam: timer id
constexpr int MaxScrollSpeed = 10;

// Milliseconds between ticks: 2 x (10 - speed), at least 2.
unsigned TickInterval(int speed);
// 2 ms brought into the system timer's supported period range.
unsigned MinimumTimerResolution(unsigned periodMin, unsigned periodMax);
inline unsigned TimerResolution(unsigned interval, unsigned minimumResolution) {
    return interval > minimumResolution ? interval : minimumResolution;
}

bool IsHorizontal(TEsScrollDirection direction);

// Client and caption sizes in pixels.
struct MarqueeExtent {
    int clientWidth = 0;
    int clientHeight = 0;
    int textWidth = 0;
    int textHeight = 0;
};

struct MarqueeOffset {
    int x = 0;
    int y = 0;
    friend bool operator==(const MarqueeOffset&, const MarqueeOffset&) = default;
};

// Bouncing needs room: a caption that does not fit cycles instead.
bool Bounces(TEsBehaviors behavior, TEsScrollDirection direction, const MarqueeExtent& extent);
MarqueeOffset StartPosition(TEsScrollDirection direction, TEsBehaviors behavior,
                            const MarqueeExtent& extent);
// One tick's step; true when it wrapped or reversed (direction may change).
bool StepMarquee(MarqueeOffset& offset, TEsScrollDirection& direction, TEsBehaviors behavior,
                 const MarqueeExtent& extent);
// The off-screen text image: one text width (horizontal) and one text height longer than the
// client area, so a copy at any offset covers it apart from the strip behind the text.
struct ImageSize {
    int width = 0;
    int height = 0;
};
ImageSize MarqueeImageSize(TEsScrollDirection direction, const MarqueeExtent& extent);
// The strip the image leaves uncovered and that the frame fills with the background.
std::optional<Rect> UncoveredStrip(TEsScrollDirection direction, MarqueeOffset offset,
                                   const MarqueeExtent& extent);

class MarqueeAnimation {
public:
    MarqueeAnimation() = default;
    MarqueeAnimation(const MarqueeAnimation&) = delete;
    MarqueeAnimation& operator=(const MarqueeAnimation&) = delete;
    virtual ~MarqueeAnimation() = default;

    bool Active() const { return active_; }
    TEsBehaviors Behavior() const { return behavior_; }
    TEsScrollSpeed ScrollSpeed() const { return speed_; }
    TEsScrollDirection ScrollDirection() const { return direction_; }
    MarqueeOffset Offset() const { return offset_; }
    unsigned Interval() const { return interval_; }
    unsigned TimerId() const { return timerId_; }
    unsigned MinimumResolution() const { return minimumResolution_; }

    void SetActive(bool active);
    void SetBehavior(TEsBehaviors behavior);
    void SetScrollDirection(TEsScrollDirection direction);
    // Speeds above 10 and the current speed are ignored; 0 stops the timer.
    void SetScrollSpeed(int speed);
    void StartTimer();
    void StopTimer();
    // One tick message: moves the text when active. False when it was not handled (inactive).
    bool Tick();

    std::function<void()> OnCycle;

protected:
    void SetMinimumResolution(unsigned resolution) { minimumResolution_ = resolution; }
    void SetOffset(MarqueeOffset offset) { offset_ = offset; }
    virtual void DoCycle();

    virtual void MarqueeMeasureText() = 0;
    virtual MarqueeExtent MarqueeSizes() const = 0;
    virtual void MarqueeClearArea() = 0;
    virtual void MarqueeInvalidate() = 0;
    // Returns the id of a started periodic timer, 0 when the system refuses it.
    virtual unsigned StartSystemTimer(unsigned interval, unsigned resolution) = 0;
    virtual void StopSystemTimer(unsigned id) = 0;

private:
    bool active_ = false;
    TEsBehaviors behavior_ = TEsBehaviors::bhCycle;
    TEsScrollSpeed speed_ = 5;
    TEsScrollDirection direction_ = TEsScrollDirection::sdRightToLeft;
    MarqueeOffset offset_;
    unsigned interval_ = 0;
    unsigned timerId_ = 0;
    unsigned minimumResolution_ = 2;
};

} // namespace kolvo
