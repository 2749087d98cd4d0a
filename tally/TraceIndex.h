// Faster answers to the tracer's searches on large drawings.
//
// Every answer here is the one the plain scan of the tables in table order gives, ties and
// boundary cases included: the index only narrows down which records are looked at, and the
// records that remain are judged with the very same arithmetic as the scan. It holds geometry
// only (coordinates never change during an analysis); trace marks are read from the tables at
// the time of each search. Each part is built when its search is first asked, so a drawing with
// nothing to trace costs nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DrawingModel.h"
#include "Geometry.h"
#include "PointTree.h"

namespace kolvo {

// A line start, a line end, or the middle vertex of a three-vertex polyline. Its point is read
// from the drawing where it is needed: the record is looked at then anyway, and the index of a
// million lines is a third the size without the coordinates.
struct TStrokeEnd {
    std::int32_t Index = 0; // into Lines, or into Polylines for a V mark
    std::int32_t Kind = 0;  // StrokeLineStart, StrokeLineEnd or StrokeVMark
};

enum class TIndexAnswer { Found, NotFound, Unanswered };

// The bar search's own test: the infinite line through `line` passes within ConnectTolerance of
// (x, y).
bool LinePassesNear(const TDxfLine& line, double x, double y);

// The bar search as the plain scan makes it: the first line in table order, other than
// `skipLine`, that passes near (x, y).
bool ScanForBar(const TDrawing& drawing, double x, double y, std::int32_t skipLine,
                std::int32_t& line);

class TTraceSearchIndex {
public:
    // For the Lines, Texts and Polylines of `drawing` as they stand. The drawing must outlive the
    // index; its trace marks are read at each search.
    explicit TTraceSearchIndex(const TDrawing& drawing);
    ~TTraceSearchIndex();

    // Every stroke end that can lie within ConnectTolerance of (x, y) (and some further away),
    // each once, in no particular order. False, with `ends` untouched, for a point too far out
    // for the grid: the caller then scans.
    bool EndsNear(double x, double y, std::vector<TStrokeEnd>& ends);

    // As NearestFreeLine; Unanswered where the caller must scan.
    TIndexAnswer NearestFreeLine(double x, double y, std::int32_t& line);

    // As FindBarAt.
    bool FindBarAt(double x, double y, std::int32_t skipLine, std::int32_t& line);

    // The texts that can lie within `radius` of (x, y), by ascending index; Unanswered where
    // the caller must scan.
    TIndexAnswer TextsNear(double x, double y, double radius, std::vector<std::int32_t>& texts);

    // The three-vertex polylines whose middle vertex can lie within ConnectTolerance of the line
    // `eq` (of LineEquation), by ascending index; Unanswered where the caller must scan.
    TIndexAnswer VMarksAlong(const TLineEquation& eq, std::vector<std::int32_t>& polylines);

private:
    void BuildEnds();
    void BuildBars();

    const TDrawing& drawing_;

    // --- Stroke ends, in cells as wide as the connect tolerance, hashed into buckets ---
    bool endsBuilt_ = false;
    std::vector<TStrokeEnd> ends_;          // grouped by bucket
    std::vector<std::int32_t> bucketStart_; // bucket b holds ends_[start[b], start[b+1])
    std::uint64_t bucketMask_ = 0;

    // --- Start, end and middle points of every line; texts; V-mark middles ---
    std::unique_ptr<TPointTree> linePoints_, textPoints_, vMarkPoints_;

    // --- V-mark middles by their value of A x + B y, for the directions most asked about ---
    struct TProjection {
        double P = 0;
        std::int32_t Polyline = 0;
    };
    struct TProjected {
        double A = 0, B = 0;
        std::int32_t Asked = 0;
        std::vector<TProjection> Sorted; // empty until the direction has been asked often
    };
    std::vector<TProjected> projections_;
    double vMarkReach_ = 0; // the largest coordinate of a V-mark middle, by absolute value

    // --- Lines by direction: each group's lines have nearly one A and B, and are sorted by C ---
    // Lines of one equation are kept together under one offset: many lines of a drawing lie on
    // one line (outlines, hatching, bars in a row), and a search then passes over them at once.
    // A large group also has a directory of cells over its offsets, which narrows the search down
    // to a few offsets, and a bit for each narrow slot of C that holds an offset (see BuildSlots).
    bool barsBuilt_ = false;
    // Equal slots over a range of C, numbered by a function that never decreases as C grows;
    // values beyond the range go to the first or the last slot.
    struct TSlots {
        double Base = 0, Scale = 0;
        std::int32_t Count = 0; // none when 0
        std::int32_t First = 0; // of the slots' entries, in the table that holds them
        std::int32_t Of(double c) const;
    };
    struct TDirection {
        double A = 0, B = 0;
        double SpreadA = 0, SpreadB = 0; // how far the group's own A and B stray from these
        double MinC = 0, MaxC = 0;
        std::int32_t Begin = 0, End = 0; // into offsets_
        TSlots Cells;                    // into cellStart_
        TSlots Marks;                    // into marks_
    };
    void BuildSlots(TDirection& direction);
    bool Marked(const TSlots& marks, std::int32_t slot) const {
        return (marks_[static_cast<std::size_t>(marks.First + slot / 64)] >> (slot % 64) & 1) != 0;
    }
    // One equation and its first two lines by index (the second -1 if it has one line): the
    // search never needs more, as it takes the first line that is not the one to skip. The
    // equation is the lines' own, its signs perhaps turned, which changes no distance: the
    // scan's test is made on it without reading the line.
    struct TOffset {
        double C = 0, A = 0, B = 0;
        std::int32_t First = 0, Second = -1;
    };
    std::vector<TDirection> directions_;
    // A group's window of C around a point, and where its search starts: among the offsets from
    // Begin to Last, or (with a directory cell) those of the cell; End is the group's end.
    struct TWindow {
        double Low = 0, High = 0;
        std::int32_t Begin = 0, End = 0;
        std::int32_t Cell = -1;
        std::int32_t Last = 0;
    };
    std::vector<TWindow> windows_;        // room for FindBarAt, kept between calls
    std::vector<TOffset> offsets_;        // each group's, by ascending C
    std::vector<std::int32_t> cellStart_; // the first offset of each cell, and one past the last
    std::vector<std::uint64_t> marks_;    // a bit for each slot of C that holds an offset
    // Lines in no large group, by ascending index, with their equations for a quick rejection.
    std::vector<std::int32_t> looseLines_;
    std::vector<double> looseA_, looseB_, looseC_;
};

} // namespace kolvo
