// How large a number the reports can show: the analysis refuses a drawing beyond that rather
// than print "INF", "NAN" or digits that mean nothing.
#pragma once

#include "DrawingModel.h"
#include "Tally.h"

namespace kolvo {

// Shown (as EDamagedDrawing) for a drawing with a coordinate or a bar length beyond
// MaxPrintableMagnitude, or not a number at all.
inline constexpr char TooLargeNumberMessage[] =
    "図面の座標か鉄筋の長さが大きすぎて、集計表に正しく書けません";

// 2^53: up to here every whole number is a double, so each digit a report prints is exact;
// and coordinates within it keep every difference and square the tracer takes finite.
inline constexpr double MaxPrintableMagnitude = 9007199254740992.0;

// Whether `value` is a number no larger than MaxPrintableMagnitude either way (NaN is not).
bool IsPrintableMagnitude(double value);

// Raises EDamagedDrawing when a plane coordinate or radius of any record the tracer looks at
// (lines, texts, circles, arcs, polyline vertices) is not printable.
void RefuseUnprintableCoordinates(const TDrawing& drawing);

// Raises EDamagedDrawing when an end point or a length of a tallied bar is not printable.
void RefuseUnprintableTally(const TTally& tally);

} // namespace kolvo
