#include "TraceRecord.h"

#include <algorithm>

#include "BarTrace.h"
#include "Tally.h"

namespace kolvo {

std::string_view OutcomeCode(TLabelOutcome outcome) {
    switch (outcome) {
    case TLabelOutcome::Ok:
        return "OK";
    case TLabelOutcome::Partial:
        return "PARTIAL";
    case TLabelOutcome::NoBar:
        return "NO_BAR";
    case TLabelOutcome::NoTip:
        return "NO_TIP";
    case TLabelOutcome::NoLeader:
        break;
    }
    return "NO_LEADER";
}

std::string_view OutcomeRemark(TLabelOutcome outcome) {
    switch (outcome) {
    case TLabelOutcome::Ok:
        return "";
    case TLabelOutcome::Partial:
        return "鉄筋のない点があります";
    case TLabelOutcome::NoBar:
        return "先端に鉄筋がありません";
    case TLabelOutcome::NoTip:
        return "先端が見つかりません";
    case TLabelOutcome::NoLeader:
        break;
    }
    return "引出線がありません";
}

TLabelOutcome TLabelTrace::Outcome() const {
    if (NoLeader) {
        return TLabelOutcome::NoLeader;
    }
    if (Tips == 0) {
        return TLabelOutcome::NoTip;
    }
    if (Misses == 0) {
        return TLabelOutcome::Ok;
    }
    return Misses == Probes ? TLabelOutcome::NoBar : TLabelOutcome::Partial;
}

std::int32_t TTraceRecord::TimesTallied(std::int32_t line) const {
    const auto slot = static_cast<std::size_t>(line);
    return line >= 0 && slot < timesTallied_.size() ? timesTallied_[slot] : 0;
}

std::int32_t TTraceRecord::Doubles(const TLabelTrace& label) const {
    return static_cast<std::int32_t>(
        std::count_if(label.ProbedPoints.begin(), label.ProbedPoints.end(),
                      [this](const TProbe& p) { return TimesTallied(p.Bar) > 1; }));
}

void TTraceRecord::LabelCircle(const TDxfCircle& circle, std::string_view label) {
    TLabelTrace& trace = labels_.emplace_back();
    // As the summary and the detail list write it, so that a row of the check list can be found
    // in them.
    trace.Label = decltype(TTallyRecord::Label)(label).str();
    trace.CX = circle.CX;
    trace.CY = circle.CY;
    trace.Radius = circle.Radius;
}

void TTraceRecord::NoLeader() {
    labels_.back().NoLeader = true;
}

void TTraceRecord::Tip(std::int32_t tipSegment, double x, double y) {
    TLabelTrace& trace = labels_.back();
    ++trace.Tips;
    tipProbe_ = true;
    if (detailed_) {
        trace.TipPoints.push_back(TProbe{x, y, tipSegment});
    }
}

void TTraceRecord::Probed(double x, double y, std::int32_t bar) {
    TLabelTrace& trace = labels_.back();
    ++trace.Probes;
    trace.Misses += bar < 0 ? 1 : 0;
    // The tracer probes a tip itself first, then the mark points on its segment's line.
    const bool atTip = tipProbe_;
    tipProbe_ = false;
    if (!detailed_) {
        return;
    }
    trace.ProbedPoints.push_back(TProbe{x, y, bar, atTip});
    if (bar >= 0) {
        const auto slot = static_cast<std::size_t>(bar);
        if (slot >= timesTallied_.size()) {
            timesTallied_.resize(std::max(slot + 1, 2 * timesTallied_.size()));
        }
        ++timesTallied_[slot];
    }
}

void TTraceRecord::LabelDone(const TVisitedLines& walked) {
    if (!detailed_) {
        return;
    }
    std::vector<std::int32_t>& lines = labels_.back().Walked;
    for (std::int32_t i = 0; i < walked.Count(); ++i) {
        const auto slot = static_cast<std::size_t>(walked[i]);
        if (slot >= seen_.size()) {
            seen_.resize(std::max(slot + 1, 2 * seen_.size()));
        }
        if (!seen_[slot]) {
            seen_[slot] = 1;
            lines.push_back(walked[i]);
        }
    }
    for (const std::int32_t line : lines) {
        seen_[static_cast<std::size_t>(line)] = 0;
    }
}

} // namespace kolvo
