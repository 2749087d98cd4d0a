// The stroke ends of a drawing in square cells, for the tracer's search of the ends that meet at
// a point (FindConnections).
#pragma once

#include <cstdint>
#include <vector>

#include "DrawingModel.h"
#include "TraceTolerances.h"

namespace kolvo {

// Both ends of every line and the middle vertex of every three-vertex polyline, in cells 2.0 wide
// hashed into buckets. It holds where the ends lie and nothing else: trace marks are left to the
// caller, who reads them from the tables at each search. The cells are filled at the first search,
// so a drawing that is never searched costs nothing.
class TStrokeEndGrid {
public:
    // For the Lines and Polylines of `drawing` as they stand. The drawing must outlive the grid,
    // and its coordinates must not change while the grid is used.
    explicit TStrokeEndGrid(const TDrawing& drawing);

    // Every stroke end whose PointDistance from (x, y) is less than ConnectTolerance, and some
    // further away, each once and in no particular order, whatever the trace marks of its line
    // or polyline. A caller that judges each end handed over as the plain scan judges the ends of
    // the tables (marks included) and keeps the last hit in table order therefore gets exactly
    // the scan's answer, ties included. False, with `ends` untouched, for a point that is not
    // finite or lies too far out for the cells (2^50 - 4 or more in x or y, either way): the caller
    // must then scan the tables itself.
    bool EndsNear(double x, double y, std::vector<TStrokeEnd>& ends);

private:
    void Build();

    const TDrawing& drawing_;
    bool built_ = false;
    std::vector<TStrokeEnd> ends_;          // grouped by bucket
    std::vector<std::int32_t> bucketStart_; // bucket b holds ends_[start[b], start[b+1])
    std::uint64_t bucketMask_ = 0;
};

} // namespace kolvo
