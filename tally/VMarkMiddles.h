// The middle vertices of a drawing's V marks, for the tracer's search of the marks that lie on a
// tip segment's infinite line (CollectMarkPoints).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "DrawingModel.h"
#include "PointTree.h"
#include "TraceTolerances.h"

namespace kolvo {

// The middle vertex of every three-vertex polyline, in a point tree, and sorted by A x + B y for
// the directions of tip segments asked about most. It holds where the middles lie and nothing
// else: whether a V mark is used is read from the table at each search. The tree is built at the
// first search, each sorted direction once it has been asked about often.
class TVMarkMiddles {
public:
    // For the Polylines of `drawing` as they stand. The drawing must outlive the middles, and
    // its coordinates must not change while they are used.
    explicit TVMarkMiddles(const TDrawing& drawing) : drawing_(drawing) {}

    // Every three-vertex polyline whose middle vertex lies closer than ConnectTolerance to the
    // infinite line `eq` (of LineEquation) by SignedDistance, and perhaps others further away,
    // each once and by ascending index, whatever its flags. A caller that judges each polyline
    // handed over as the plain scan of the Polylines does (flags included), in this order,
    // therefore gets exactly the scan's answer. Found when `polylines` holds any; NotFound when
    // it is left empty. Unanswered, with `polylines` untouched, when `eq` cannot be judged (its
    // norm outside [0.5, 2] or a value not finite): the caller must then scan the table itself.
    TIndexAnswer VMarksAlong(const TLineEquation& eq, std::vector<std::int32_t>& polylines);

private:
    struct TProjection {
        double P = 0;
        std::int32_t Polyline = 0;
    };
    struct TProjected {
        double A = 0, B = 0;
        std::int32_t Asked = 0;
        std::vector<TProjection> Sorted; // empty until the direction has been asked often
    };

    const TDrawing& drawing_;
    std::unique_ptr<TPointTree> points_; // null until the first search
    std::vector<TProjected> projections_;
    double reach_ = 0; // the largest coordinate of a middle, by absolute value
};

} // namespace kolvo
