// The lines of a drawing grouped by direction, for the tracer's bar search (FindBarAt): which
// line's infinite line passes near a tip or a mark point.
#pragma once

#include <cstdint>
#include <vector>

#include "DrawingModel.h"
#include "TraceTolerances.h"

namespace kolvo {

// Each group's lines have nearly one A and B, and are sorted by C. Lines of one equation are kept
// together under one offset: many lines of a drawing lie on one line (outlines, hatching, bars in
// a row), and a search then passes over them at once. A large group also has a directory of cells
// over its offsets, which narrows the search down to a few offsets, and a bit for each narrow slot
// of C that holds an offset (see BuildSlots). Lines in no large group are looked at one by one.
// It holds geometry only; the groups are made at the first search, so a drawing that is never
// searched costs nothing.
class TBarDirections {
public:
    // For the Lines of `drawing` as they stand. The drawing must outlive the groups, and its
    // coordinates must not change while they are used.
    explicit TBarDirections(const TDrawing& drawing);

    // The first line in table order, other than `skipLine` and other than lines too short to
    // have a direction, whose infinite line passes closer than ConnectTolerance to (x, y) (the
    // test of LinePassesNear): for every finite point the very line that ScanForBar finds, ties
    // included. Trace marks play no part, so lines already taken count like any other. True with
    // `line` set when there is such a line; false, with `line` untouched, when there is none.
    // A point that is not finite gets false. The scan says so too unless a line is so long that
    // its length overflows: such a line has an all-zero equation, which the scan's test passes
    // everywhere. The analysis refuses coordinates beyond 2^53, so no traced line is that long.
    // Every point is answered: where one is too far out for the groups to narrow the search
    // down, the search scans the tables itself.
    bool FindBarAt(double x, double y, std::int32_t skipLine, std::int32_t& line);

private:
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
    // One equation and its first two lines by index (the second -1 if it has one line): the
    // search never needs more, as it takes the first line that is not the one to skip. The
    // equation is the lines' own, its signs perhaps turned, which changes no distance: the
    // scan's test is made on it without reading the line.
    struct TOffset {
        double C = 0, A = 0, B = 0;
        std::int32_t First = 0, Second = -1;
    };
    // A group's window of C around a point, and where its search starts: among the offsets from
    // Begin to Last, or (with a directory cell) those of the cell; End is the group's end.
    struct TWindow {
        double Low = 0, High = 0;
        std::int32_t Begin = 0, End = 0;
        std::int32_t Cell = -1;
        std::int32_t Last = 0;
    };

    void Build();
    void BuildSlots(TDirection& direction);
    bool Marked(const TSlots& marks, std::int32_t slot) const {
        return (marks_[static_cast<std::size_t>(marks.First + slot / 64)] >> (slot % 64) & 1) != 0;
    }

    const TDrawing& drawing_;
    bool built_ = false;
    std::vector<TDirection> directions_;
    std::vector<TWindow> windows_;        // room for FindBarAt, kept between calls
    std::vector<TOffset> offsets_;        // each group's, by ascending C
    std::vector<std::int32_t> cellStart_; // the first offset of each cell, and one past the last
    std::vector<std::uint64_t> marks_;    // a bit for each slot of C that holds an offset
    // Lines in no large group, by ascending index, with their equations for a quick rejection.
    std::vector<std::int32_t> looseLines_;
    std::vector<double> looseA_, looseB_, looseC_;
};

} // namespace kolvo
