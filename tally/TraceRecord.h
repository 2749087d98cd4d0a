// The tracer's path as a record: what happened at each label circle, and how often each bar line
// was tallied. Kept by an observer of the tracer, so the analysis and its results are unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "TraceObserver.h"

namespace kolvo {

enum class TLabelOutcome {
    Ok,       // at least one tip, and a bar at every probed point
    Partial,  // bars at some probed points, none at others
    NoBar,    // tips found, but no bar at any probed point
    NoTip,    // the first walk found no tip
    NoLeader, // no free line to start from
};

// "OK", "PARTIAL", "NO_BAR", "NO_TIP", "NO_LEADER".
std::string_view OutcomeCode(TLabelOutcome outcome);
// A short remark for the user (CP932); empty for Ok.
std::string_view OutcomeRemark(TLabelOutcome outcome);

struct TProbe {
    double X = 0, Y = 0;
    std::int32_t Bar = -1; // the bar line found there, or -1
    bool AtTip = false;    // the tip itself, not a mark point on its line
};

struct TLabelTrace {
    std::string Label; // as the reports write it
    double CX = 0, CY = 0, Radius = 0;
    bool NoLeader = false;
    std::int32_t Tips = 0;
    std::int32_t Probes = 0;
    std::int32_t Misses = 0; // probed points without a bar
    // Kept only by a detailed record:
    std::vector<std::int32_t> Walked; // lines entered, each once, in the order first entered
    std::vector<TProbe> TipPoints;    // the tips, with their tip segment as Bar
    std::vector<TProbe> ProbedPoints;

    TLabelOutcome Outcome() const;
};

// How much of the tracer's path an analysis keeps.
enum class TTraceKeeping {
    Nothing,    // no record at all: the tally alone, at the least cost
    Outcomes,   // per label circle only what its outcome needs
    Everything, // also the lines walked, the tips and the probed points, and the tallies of
                // every bar line, for the check outputs
};

class TTraceRecord final : public TTraceObserver {
public:
    explicit TTraceRecord(TTraceKeeping keeping = TTraceKeeping::Nothing)
        : detailed_(keeping == TTraceKeeping::Everything) {}

    const std::vector<TLabelTrace>& Labels() const { return labels_; }
    // Whether it kept everything (TTraceKeeping::Everything).
    bool Detailed() const { return detailed_; }
    // How often the bar line `line` was tallied (detailed record only; 0 otherwise).
    std::int32_t TimesTallied(std::int32_t line) const;
    // This label's probes whose bar was tallied more than once in the whole analysis.
    std::int32_t Doubles(const TLabelTrace& label) const;

    void LabelCircle(const TDxfCircle& circle, std::string_view label) override;
    void NoLeader() override;
    void Tip(std::int32_t tipSegment, double x, double y) override;
    void Probed(double x, double y, std::int32_t bar) override;
    void LabelDone(const TVisitedLines& walked) override;

private:
    bool detailed_;
    std::vector<TLabelTrace> labels_;
    std::vector<std::int32_t> timesTallied_; // by line index, grown as bars appear
    std::vector<unsigned char> seen_;        // lines of the current label, while LabelDone runs
    bool tipProbe_ = false;                  // the next probe is the tip just found
};

} // namespace kolvo
