#include "MarqueeMotion.h"

namespace kolvo {

unsigned TickInterval(int speed) {
    const int interval = ((10 - speed) * 20) / 10;
    return interval < 2 ? 2u : unsigned(interval);
}

unsigned MinimumTimerResolution(unsigned periodMin, unsigned periodMax) {
    unsigned resolution = 2;
    if (periodMin > resolution) {
        resolution = periodMin;
    }
    if (periodMax < resolution) {
        resolution = periodMax;
    }
    return resolution;
}

bool IsHorizontal(TEsScrollDirection direction) {
    return direction == TEsScrollDirection::sdRightToLeft ||
           direction == TEsScrollDirection::sdLeftToRight;
}

bool Bounces(TEsBehaviors behavior, TEsScrollDirection direction, const MarqueeExtent& e) {
    if (behavior != TEsBehaviors::bhBounce) {
        return false;
    }
    return IsHorizontal(direction) ? e.textWidth < e.clientWidth : e.textHeight < e.clientHeight;
}

MarqueeOffset StartPosition(TEsScrollDirection direction, TEsBehaviors behavior,
                            const MarqueeExtent& e) {
    // Decided by the behaviour alone: a bouncing caption too wide to bounce starts at its
    // bouncing place and then cycles.
    const bool bounce = behavior == TEsBehaviors::bhBounce;
    switch (direction) {
    case TEsScrollDirection::sdRightToLeft:
        return {bounce ? e.clientWidth - e.textWidth : e.clientWidth, 0};
    case TEsScrollDirection::sdLeftToRight:
        return {bounce ? 0 : -e.textWidth, 0};
    case TEsScrollDirection::sdTopToBottom:
        return {0, bounce ? 0 : -e.textHeight};
    case TEsScrollDirection::sdBottomToTop:
        return {0, bounce ? e.clientHeight - e.textHeight : e.clientHeight};
    }
    return {};
}

bool StepMarquee(MarqueeOffset& o, TEsScrollDirection& direction, TEsBehaviors behavior,
                 const MarqueeExtent& e) {
    const bool bounce = Bounces(behavior, direction, e);
    switch (direction) {
    case TEsScrollDirection::sdRightToLeft:
        --o.x;
        if (bounce && o.x < 0) {
            direction = TEsScrollDirection::sdLeftToRight;
            return true;
        }
        if (!bounce && o.x < -e.textWidth - 15) {
            o.x = e.clientWidth;
            return true;
        }
        return false;
    case TEsScrollDirection::sdLeftToRight:
        ++o.x;
        if (bounce && o.x > e.clientWidth - e.textWidth) {
            direction = TEsScrollDirection::sdRightToLeft;
            return true;
        }
        if (!bounce && o.x > e.clientWidth + 15) {
            o.x = -e.textWidth;
            return true;
        }
        return false;
    case TEsScrollDirection::sdTopToBottom:
        ++o.y;
        if (bounce && o.y > e.clientHeight - e.textHeight) {
            direction = TEsScrollDirection::sdBottomToTop;
            return true;
        }
        if (!bounce && o.y > e.clientHeight + 15) {
            o.y = -e.textHeight;
            return true;
        }
        return false;
    case TEsScrollDirection::sdBottomToTop:
        --o.y;
        if (bounce && o.y < 0) {
            direction = TEsScrollDirection::sdTopToBottom;
            return true;
        }
        if (!bounce && o.y < -e.textHeight - 15) {
            o.y = e.clientHeight;
            return true;
        }
        return false;
    }
    return false;
}

ImageSize MarqueeImageSize(TEsScrollDirection direction, const MarqueeExtent& e) {
    return {IsHorizontal(direction) ? e.clientWidth + e.textWidth : e.clientWidth,
            e.clientHeight + e.textHeight};
}

std::optional<Rect> UncoveredStrip(TEsScrollDirection direction, MarqueeOffset o,
                                   const MarqueeExtent& e) {
    if (direction == TEsScrollDirection::sdLeftToRight) {
        return Rect{0, 0, o.x, e.clientHeight};
    }
    if (direction == TEsScrollDirection::sdTopToBottom) {
        return Rect{0, 0, e.clientWidth, o.y};
    }
    return std::nullopt;
}

void MarqueeAnimation::SetActive(bool active) {
    if (active != active_) {
        active_ = active;
        offset_ = {};
        if (active_) {
            MarqueeMeasureText();
            offset_ = StartPosition(direction_, behavior_, MarqueeSizes());
        }
        MarqueeClearArea();
        MarqueeInvalidate();
    }
    StartTimer();
}

void MarqueeAnimation::SetBehavior(TEsBehaviors behavior) {
    if (behavior != behavior_) {
        const bool wasActive = active_;
        SetActive(false);
        behavior_ = behavior;
        SetActive(wasActive);
    }
}

void MarqueeAnimation::SetScrollDirection(TEsScrollDirection direction) {
    if (direction != direction_) {
        const bool wasActive = active_;
        SetActive(false);
        direction_ = direction;
        SetActive(wasActive);
    }
}

void MarqueeAnimation::SetScrollSpeed(int speed) {
    if (speed == speed_ || speed < 0 || speed > MaxScrollSpeed) {
        return;
    }
    speed_ = TEsScrollSpeed(speed);
    StopTimer();
    if (speed_ > 0) {
        StartTimer();
    }
    MarqueeInvalidate();
}

void MarqueeAnimation::StartTimer() {
    StopTimer();
    interval_ = TickInterval(speed_);
    if (active_) {
        timerId_ = StartSystemTimer(interval_, TimerResolution(interval_, minimumResolution_));
    }
}

void MarqueeAnimation::StopTimer() {
    if (timerId_ != 0) {
        StopSystemTimer(timerId_);
        timerId_ = 0;
    }
}

bool MarqueeAnimation::Tick() {
    if (!active_) {
        return false;
    }
    if (StepMarquee(offset_, direction_, behavior_, MarqueeSizes())) {
        DoCycle();
    }
    // DoCycle may have switched a bhOnce marquee off, which already repainted it at (0, 0).
    MarqueeInvalidate();
    return true;
}

void MarqueeAnimation::DoCycle() {
    if (OnCycle) {
        OnCycle();
    }
    if (behavior_ == TEsBehaviors::bhOnce) {
        SetActive(false);
    }
}

} // namespace kolvo
