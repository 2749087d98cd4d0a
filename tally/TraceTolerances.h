// What the tracer, its plain scans and its search indexes share: the tolerance at which ends
// meet, the kinds of stroke ends, what an index answers, and the arithmetic with which an index
// tells that a record it passes over is out of reach. The indexes know nothing of tracing, so
// they include this and not the tracer.
#pragma once

#include <cmath>
#include <cstdint>

#include "Geometry.h"

namespace kolvo {

// Two ends meet, and a point lies on a line, when closer than this; a V mark further than this
// from the tip is a mark point of its own.
constexpr double ConnectTolerance = 1.0;

// Stroke-end kinds reported by FindConnections.
constexpr std::int32_t StrokeLineStart = 1;
constexpr std::int32_t StrokeLineEnd = 2;
constexpr std::int32_t StrokeVMark = 3;

// The distance at which the nearest-line search starts; a line further away is never found.
constexpr double NearestLineStart = 1e11;

// A line start, a line end, or the middle vertex of a three-vertex polyline. Its point is read
// from the drawing where it is needed: the record is looked at then anyway, and the index of a
// million lines is a third the size without the coordinates.
struct TStrokeEnd {
    std::int32_t Index = 0; // into Lines, or into Polylines for a V mark
    std::int32_t Kind = 0;  // StrokeLineStart, StrokeLineEnd or StrokeVMark
};

// An index's answer to one search. Found and NotFound are the plain scan's own answer; Unanswered
// means the index cannot narrow this search down (a point too far out, a value not finite), and
// the caller must scan the tables itself.
enum class TIndexAnswer { Found, NotFound, Unanswered };

// Relative slack for rounding when a search window is worked out: far more than the few rounding
// steps of any value compared.
constexpr double Slack = 1e-9;

inline bool Finite(double x, double y) {
    return std::isfinite(x) && std::isfinite(y);
}

// An equation whose norm is near 1 and whose values are finite: a computed |A x + B y + C| of 2
// or more then means a distance of at least 1 whatever the rounding.
inline bool Judgeable(const TLineEquation& eq) {
    const double norm = eq.A * eq.A + eq.B * eq.B;
    return std::isfinite(eq.C) && norm >= 0.5 && norm <= 2.0;
}

} // namespace kolvo
