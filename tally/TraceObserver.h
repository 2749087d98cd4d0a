// A window on the tracer's path for those who want to show what the analysis did (the check
// outputs of kolvo-tally). The tracer holds a pointer to an observer, null unless one is set,
// and calls it only between its steps, never inside a search, so an analysis without an
// observer pays one test of a null pointer per step. Nothing an observer does reaches the
// tracer: it is told, it cannot steer.
#pragma once

#include <cstdint>
#include <string_view>

#include "DrawingModel.h"

namespace kolvo {

class TVisitedLines;

class TTraceObserver {
public:
    virtual ~TTraceObserver() = default;

    // A label circle (a circle with at least one text inside), in the order the tracer handles
    // the circles, with its label as read from its texts (the reports keep its first 60 bytes).
    // Every other call but the first of a drawing follows one of these and belongs to it.
    virtual void LabelCircle(const TDxfCircle& circle, std::string_view label) = 0;
    // No free line was left to start the leader from; the label is done.
    virtual void NoLeader() = 0;
    // A walk of the leader found a tip it had not had before; the points probed for it follow.
    virtual void Tip(std::int32_t tipSegment, double x, double y) = 0;
    // A point probed for a bar (the tip, then each mark point) and the bar line found there, or
    // -1.
    virtual void Probed(double x, double y, std::int32_t bar) = 0;
    // The label is done; `walked` holds every line its walks entered (a line may stand twice).
    virtual void LabelDone(const TVisitedLines& walked) = 0;
};

} // namespace kolvo
