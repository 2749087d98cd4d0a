// The tracer's searches over point trees (PointTree.h): the free line nearest a label's centre,
// and the texts inside a label circle.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "DrawingModel.h"
#include "PointTree.h"
#include "TraceTolerances.h"

namespace kolvo {

// The start, end and middle points of every line, for NearestFreeLine. It holds where the points
// lie and nothing else: whether a line is free is read from the table at each search. The tree is
// built at the first search, so a drawing that is never searched costs nothing.
class TLinePoints {
public:
    // For the Lines of `drawing` as they stand. The drawing must outlive the points, and its
    // coordinates must not change while they are used.
    explicit TLinePoints(const TDrawing& drawing) : drawing_(drawing) {}

    // The free line (TraceState LineFree at the time of the search) whose start, end or middle
    // point has the smallest PointDistance from (x, y), the earlier line in table order on equal
    // distances; a line whose points are all NearestLineStart or further away is never found.
    // That is always the very line that ScanNearestFreeLine finds, ties included. Found with
    // `line` set; NotFound, with `line` untouched, when there is no such line, which is always so
    // for a point that is not finite. Every point is answered: it never says Unanswered.
    TIndexAnswer NearestFreeLine(double x, double y, std::int32_t& line);

private:
    const TDrawing& drawing_;
    std::unique_ptr<TPointTree> points_; // null until the first search
};

// The insertion points of every text, for the texts of a label circle. The tree is built at the
// first search.
class TTextPoints {
public:
    // For the Texts of `drawing` as they stand. The drawing must outlive the points, and its
    // coordinates must not change while they are used.
    explicit TTextPoints(const TDrawing& drawing) : drawing_(drawing) {}

    // Every text whose insertion point has a PointDistance from (x, y) of `radius` or less, and
    // perhaps others further away, each once and by ascending index. A caller that judges each
    // text handed over as the plain scan of the Texts does, in this order, therefore gets exactly
    // the scan's answer, ties of height included. Found when `texts` holds any; NotFound when it
    // is left empty. Unanswered, with `texts` untouched, when (x, y) or `radius` is not finite:
    // the caller must then scan the table itself.
    TIndexAnswer TextsNear(double x, double y, double radius, std::vector<std::int32_t>& texts);

private:
    const TDrawing& drawing_;
    std::unique_ptr<TPointTree> points_; // null until the first search
};

} // namespace kolvo
