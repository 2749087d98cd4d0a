// Faster answers to the tracer's searches on large drawings.
//
// Every answer here is the one the plain scan of the tables in table order gives (PlainScans.h),
// ties and boundary cases included: the index only narrows down which records are looked at, and
// the records that remain are judged with the very same arithmetic as the scan. It holds geometry
// only (coordinates never change during an analysis); trace marks are read from the tables at
// the time of each search. Each part is built when its search is first asked, so a drawing with
// nothing to trace costs nothing. Each part's header states what its search answers.
#pragma once

#include <cstdint>
#include <vector>

#include "BarDirections.h"
#include "DrawingModel.h"
#include "Geometry.h"
#include "PointSearches.h"
#include "StrokeEndGrid.h"
#include "TraceTolerances.h"
#include "VMarkMiddles.h"

namespace kolvo {

// The one object the tracer holds for its searches: each of them goes to the part that answers
// it.
class TTraceSearchIndex {
public:
    // For the Lines, Texts and Polylines of `drawing` as they stand. The drawing must outlive the
    // index; its trace marks are read at each search.
    explicit TTraceSearchIndex(const TDrawing& drawing)
        : ends_(drawing), linePoints_(drawing), textPoints_(drawing), vMarks_(drawing),
          bars_(drawing) {}

    // The stroke ends near (x, y), or false where the caller must scan (TStrokeEndGrid).
    bool EndsNear(double x, double y, std::vector<TStrokeEnd>& ends) {
        return ends_.EndsNear(x, y, ends);
    }

    // The free line nearest (x, y) (TLinePoints).
    TIndexAnswer NearestFreeLine(double x, double y, std::int32_t& line) {
        return linePoints_.NearestFreeLine(x, y, line);
    }

    // The first line in table order that passes near (x, y) (TBarDirections).
    bool FindBarAt(double x, double y, std::int32_t skipLine, std::int32_t& line) {
        return bars_.FindBarAt(x, y, skipLine, line);
    }

    // The texts that can lie within `radius` of (x, y) (TTextPoints).
    TIndexAnswer TextsNear(double x, double y, double radius, std::vector<std::int32_t>& texts) {
        return textPoints_.TextsNear(x, y, radius, texts);
    }

    // The V marks whose middle can lie near the line `eq` (TVMarkMiddles).
    TIndexAnswer VMarksAlong(const TLineEquation& eq, std::vector<std::int32_t>& polylines) {
        return vMarks_.VMarksAlong(eq, polylines);
    }

private:
    TStrokeEndGrid ends_;
    TLinePoints linePoints_;
    TTextPoints textPoints_;
    TVMarkMiddles vMarks_;
    TBarDirections bars_;
};

} // namespace kolvo
