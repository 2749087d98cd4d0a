// The marks of a reinforcement drawing, drawn the way draughtsmen draw them: leaders as chains
// of single LINEs, arrow tips as two short strokes meeting at the tip, V marks as three-vertex
// polylines whose middle vertex sits on the bar.
#pragma once

#include <vector>

#include "DxfDocument.h"

namespace kolvo::dxfgen {

// One LINE from each point to the next, each drawn in that direction.
void Leader(DxfDocument& doc, const Pen& pen, const std::vector<Point>& points);

// Two strokes of `length` drawn from `tip` back towards `from`, spread by `halfAngleDegrees`
// to either side of the leader.
void ArrowTip(DxfDocument& doc, const Pen& pen, Point tip, Point from, double length,
              double halfAngleDegrees = 15.0);

// A V mark with its middle vertex at `at` and its two arms of length `arm` opening towards
// `towards`, 45 degrees to either side. An LWPOLYLINE, or a POLYLINE with VERTEX entities
// when `heavy`.
void VMark(DxfDocument& doc, const Pen& pen, Point at, Point towards, double arm,
           bool heavy = false);

} // namespace kolvo::dxfgen
