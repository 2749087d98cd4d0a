#include "TraceIndex.h"

#include <algorithm>
#include <cmath>

#include "BarTrace.h"
#include "DrawingModel.h"

namespace kolvo {

namespace {

// Coordinates beyond this stay out of the grid: their cells would not fit in 64-bit integers
// exactly. A search near them falls back to the scan.
constexpr double GridLimit = 1125899906842624.0; // 2^50

const TTraceSearchIndex* activeIndex = nullptr;

} // namespace

// The grid's cells are ConnectTolerance (1.0) wide, numbered by floor(x) and floor(y). Two
// points whose cells differ by two or more in x (or y) are more than 1.0 apart there, and the
// computed difference of their coordinates then rounds to at least 1.0, so PointDistance of
// them is at least 1.0 too: every end that the scan would count lies in the 3 x 3 cells around
// the point.
bool TTraceSearchIndex::CellOf(double x, double y, TCell& cell) {
    if (!(std::fabs(x) < GridLimit && std::fabs(y) < GridLimit)) {
        return false; // also for NaN
    }
    cell.X = static_cast<std::int64_t>(std::floor(x));
    cell.Y = static_cast<std::int64_t>(std::floor(y));
    return true;
}

TTraceSearchIndex::TTraceSearchIndex() {
    static_assert(ConnectTolerance == 1.0, "the grid cells are as wide as the tolerance");
    const std::int32_t lineCount = LineCount();
    ends_.reserve(static_cast<std::size_t>(lineCount) * 2);
    equations_.resize(static_cast<std::size_t>(lineCount));
    norms_.resize(static_cast<std::size_t>(lineCount));
    hasEquation_.resize(static_cast<std::size_t>(lineCount));

    // An end that is not finite or lies beyond the grid is never within 1.0 of a point the
    // grid answers for, so leaving it out changes no answer.
    auto addEnd = [this](std::int32_t index, std::int32_t kind, double x, double y) {
        TCell cell;
        if (CellOf(x, y, cell)) {
            ends_.push_back(TCellEntry{cell, TStrokeEnd{index, kind, x, y}});
        }
    };
    for (std::int32_t i = 0; i < lineCount; ++i) {
        const TDxfLine& line = Lines[i];
        addEnd(i, StrokeLineStart, line.X1, line.Y1);
        addEnd(i, StrokeLineEnd, line.X2, line.Y2);
        const auto slot = static_cast<std::size_t>(i);
        TLineEquation& eq = equations_[slot];
        hasEquation_[slot] = LineEquation(line.X1, line.Y1, line.X2, line.Y2, eq) ? 1 : 0;
        norms_[slot] = eq.A * eq.A + eq.B * eq.B;
    }
    for (std::int32_t i = 0; i < PolylineCount(); ++i) {
        const TDxfPolyline& polyline = Polylines[i];
        if (polyline.VertexCount() == 3) {
            addEnd(i, StrokeVMark, polyline.Vertex(2).X, polyline.Vertex(2).Y);
        }
    }
    std::stable_sort(ends_.begin(), ends_.end(),
                     [](const TCellEntry& a, const TCellEntry& b) { return a.Cell < b.Cell; });
}

bool TTraceSearchIndex::EndsNear(double x, double y, std::vector<TStrokeEnd>& ends) const {
    // A point well inside the grid has every end within 1.0 of it inside the grid too.
    if (!(std::fabs(x) < GridLimit - 4 && std::fabs(y) < GridLimit - 4)) {
        return false;
    }
    TCell centre;
    CellOf(x, y, centre);
    ends.clear();
    for (std::int64_t cx = centre.X - 1; cx <= centre.X + 1; ++cx) {
        auto it = std::lower_bound(
            ends_.begin(), ends_.end(), TCell{cx, centre.Y - 1},
            [](const TCellEntry& entry, const TCell& cell) { return entry.Cell < cell; });
        for (; it != ends_.end() && it->Cell.X == cx && it->Cell.Y <= centre.Y + 1; ++it) {
            ends.push_back(it->End);
        }
    }
    return true;
}

bool TTraceSearchIndex::FindBarAt(double x, double y, std::int32_t skipLine,
                                  std::int32_t& line) const {
    const auto count = static_cast<std::int32_t>(equations_.size());
    for (std::int32_t i = 0; i < count; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (i == skipLine || hasEquation_[slot] == 0) {
            continue;
        }
        const TLineEquation& eq = equations_[slot];
        // A quick rejection with a wide margin: |d| >= 2 over a norm of at most 2 leaves a
        // distance of at least 1 whatever the rounding, so only points that may be closer go
        // through the exact test below, which is the scan's own.
        const double d = eq.A * x + eq.B * y + eq.C;
        const double norm = norms_[slot];
        if (std::fabs(d) >= 2.0 && norm >= 0.5 && norm <= 2.0) {
            continue;
        }
        if (std::fabs(SignedDistance(eq, x, y)) < ConnectTolerance) {
            line = i;
            return true;
        }
    }
    return false;
}

TActiveTraceIndex::TActiveTraceIndex() : previous_(activeIndex) {
    activeIndex = &index_;
}

TActiveTraceIndex::~TActiveTraceIndex() {
    activeIndex = previous_;
}

const TTraceSearchIndex* ActiveTraceIndex() {
    return activeIndex;
}

} // namespace kolvo
