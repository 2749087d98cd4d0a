// Faster answers to the tracer's searches on large drawings.
//
// Every answer here is the one the plain scan of the tables in table order gives, ties and
// boundary cases included: the index only narrows down which records are looked at, and the
// records that remain are judged with the very same arithmetic as the scan. It holds geometry
// only (coordinates never change during an analysis); trace marks are read from the tables at
// the time of each search.
#pragma once

#include <cstdint>
#include <vector>

#include "DrawingModel.h"
#include "Geometry.h"

namespace kolvo {

// A line start, a line end, or the middle vertex of a three-vertex polyline.
struct TStrokeEnd {
    std::int32_t Index = 0; // into Lines, or into Polylines for a V mark
    std::int32_t Kind = 0;  // StrokeLineStart, StrokeLineEnd or StrokeVMark
    double X = 0, Y = 0;
};

enum class TIndexAnswer { Found, NotFound, Unanswered };

class TTraceSearchIndex {
public:
    // Built from the Lines and Polylines of `drawing` as they stand. The drawing must outlive the
    // index; its trace marks are read at each search.
    explicit TTraceSearchIndex(const TDrawing& drawing);

    // Every stroke end that can lie within ConnectTolerance of (x, y) (and some further away),
    // in no particular order. False, with `ends` untouched, for a point too far out for the
    // grid: the caller then scans.
    bool EndsNear(double x, double y, std::vector<TStrokeEnd>& ends) const;

    // As NearestFreeLine; Unanswered for a point too far out, which the caller then scans.
    TIndexAnswer NearestFreeLine(double x, double y, std::int32_t& line) const;

    // As FindBarAt.
    bool FindBarAt(double x, double y, std::int32_t skipLine, std::int32_t& line) const;

private:
    const TDrawing& drawing_;

    // --- Stroke ends, in cells as wide as the connect tolerance ---
    struct TCell {
        std::int64_t X = 0, Y = 0;
        friend bool operator<(const TCell& a, const TCell& b) {
            return a.X != b.X ? a.X < b.X : a.Y < b.Y;
        }
    };
    struct TCellEntry {
        TCell Cell;
        TStrokeEnd End;
    };
    static bool CellOf(double x, double y, TCell& cell);
    std::vector<TCellEntry> ends_; // sorted by cell

    // --- Start, end and middle points of every line, on a grid sized to their number ---
    struct TLinePoint {
        double X = 0, Y = 0;
        std::int32_t Line = 0;
    };
    void BuildPointGrid();
    std::vector<TLinePoint> farPoints_;       // beyond the grid's reach; always looked at
    std::vector<TLinePoint> gridPoints_;      // grouped by cell
    std::vector<std::int32_t> gridCellStart_; // cell c holds gridPoints_[start[c], start[c+1])
    double gridLeft_ = 0, gridBottom_ = 0, gridCellSize_ = 1;
    std::int64_t gridColumns_ = 0, gridRows_ = 0;

    // --- Each line's equation, formed once ---
    std::vector<TLineEquation> equations_;
    std::vector<unsigned char> hasEquation_;
    // For a quick rejection: A, B and C of each equation; C infinite for lines without one,
    // all zero for an equation the rejection cannot judge.
    std::vector<double> quickA_, quickB_, quickC_;
};

} // namespace kolvo
