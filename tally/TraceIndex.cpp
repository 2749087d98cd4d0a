#include "TraceIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "BarTrace.h"
#include "DrawingModel.h"

namespace kolvo {

namespace {

// Coordinates beyond this stay out of the grids: their cells would not fit in 64-bit integers
// exactly. Searches near them are answered otherwise (see each search).
constexpr double GridLimit = 1125899906842624.0; // 2^50

// The distance at which the nearest-line search starts; a line further away is never found.
constexpr double NearestLineStart = 1e11;

} // namespace

TTraceSearchIndex::TTraceSearchIndex(const TDrawing& drawing) : drawing_(drawing) {
    static_assert(ConnectTolerance == 1.0, "the stroke-end cells are as wide as the tolerance");
    const std::int32_t lineCount = drawing_.LineCount();
    const auto slots = static_cast<std::size_t>(lineCount);
    ends_.reserve(slots * 2);
    equations_.resize(slots);
    hasEquation_.resize(slots);
    quickA_.resize(slots);
    quickB_.resize(slots);
    quickC_.resize(slots);

    // An end that is not finite or lies beyond the grid is never within 1.0 of a point the
    // grid answers for, so leaving it out changes no answer.
    auto addEnd = [this](std::int32_t index, std::int32_t kind, double x, double y) {
        TCell cell;
        if (CellOf(x, y, cell)) {
            ends_.push_back(TCellEntry{cell, TStrokeEnd{index, kind, x, y}});
        }
    };
    for (std::int32_t i = 0; i < lineCount; ++i) {
        const TDxfLine& line = drawing_.Lines[i];
        addEnd(i, StrokeLineStart, line.X1, line.Y1);
        addEnd(i, StrokeLineEnd, line.X2, line.Y2);

        const auto slot = static_cast<std::size_t>(i);
        TLineEquation& eq = equations_[slot];
        hasEquation_[slot] = LineEquation(line.X1, line.Y1, line.X2, line.Y2, eq) ? 1 : 0;
        const double norm = eq.A * eq.A + eq.B * eq.B;
        if (hasEquation_[slot] == 0) {
            quickC_[slot] = std::numeric_limits<double>::infinity();
        } else if (norm >= 0.5 && norm <= 2.0) {
            quickA_[slot] = eq.A;
            quickB_[slot] = eq.B;
            quickC_[slot] = eq.C;
        }
        // An equation the rejection cannot judge keeps all zeros: d = 0, never rejected.
    }
    for (std::int32_t i = 0; i < drawing_.PolylineCount(); ++i) {
        const TDxfPolyline& polyline = drawing_.Polylines[i];
        if (polyline.VertexCount() == 3) {
            addEnd(i, StrokeVMark, polyline.Vertex(2).X, polyline.Vertex(2).Y);
        }
    }
    std::stable_sort(ends_.begin(), ends_.end(),
                     [](const TCellEntry& a, const TCellEntry& b) { return a.Cell < b.Cell; });

    BuildPointGrid();
}

// --- Stroke ends ---

// The cells are 1.0 wide, numbered by floor(x) and floor(y). Two points whose cells differ by
// two or more in x (or y) are more than 1.0 apart there, and the computed difference of their
// coordinates then rounds to at least 1.0, so PointDistance of them is at least 1.0 too: every
// end that the scan would count lies in the 3 x 3 cells around the point.
bool TTraceSearchIndex::CellOf(double x, double y, TCell& cell) {
    if (!(std::fabs(x) < GridLimit && std::fabs(y) < GridLimit)) {
        return false; // also for NaN
    }
    cell.X = static_cast<std::int64_t>(std::floor(x));
    cell.Y = static_cast<std::int64_t>(std::floor(y));
    return true;
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

// --- Nearest free line ---

void TTraceSearchIndex::BuildPointGrid() {
    std::vector<TLinePoint> points;
    points.reserve(static_cast<std::size_t>(drawing_.LineCount()) * 3);
    // The points exactly as the scan computes them. One that is not finite is never nearer
    // than the starting distance, so it is left out.
    auto add = [&](double x, double y, std::int32_t line) {
        if (!std::isfinite(x) || !std::isfinite(y)) {
            return;
        }
        if (std::fabs(x) < GridLimit && std::fabs(y) < GridLimit) {
            points.push_back(TLinePoint{x, y, line});
        } else {
            farPoints_.push_back(TLinePoint{x, y, line});
        }
    };
    for (std::int32_t i = 0; i < drawing_.LineCount(); ++i) {
        const TDxfLine& line = drawing_.Lines[i];
        add(line.X1, line.Y1, i);
        add(line.X2, line.Y2, i);
        add((line.X1 + line.X2) * 0.5, (line.Y1 + line.Y2) * 0.5, i);
    }
    if (points.empty()) {
        return;
    }

    double left = points[0].X, right = left, bottom = points[0].Y, top = bottom;
    for (const TLinePoint& p : points) {
        left = std::min(left, p.X);
        right = std::max(right, p.X);
        bottom = std::min(bottom, p.Y);
        top = std::max(top, p.Y);
    }
    // About two points to a cell.
    const double width = right - left;
    const double height = top - bottom;
    const double wanted = std::max(1.0, static_cast<double>(points.size()) / 2);
    double size = width > 0 && height > 0 ? std::sqrt(width * height / wanted)
                                          : std::max(width, height) / wanted;
    if (!(size > 0)) {
        size = 1; // all points in one place
    }
    const double maxCells = 4.0 * static_cast<double>(points.size()) + 16;
    while ((std::floor(width / size) + 1) * (std::floor(height / size) + 1) > maxCells) {
        size *= 2;
    }
    gridLeft_ = left;
    gridBottom_ = bottom;
    gridCellSize_ = size;
    gridColumns_ = static_cast<std::int64_t>(std::floor(width / size)) + 1;
    gridRows_ = static_cast<std::int64_t>(std::floor(height / size)) + 1;

    auto cellOf = [&](const TLinePoint& p) {
        const auto cx =
            std::min(gridColumns_ - 1, static_cast<std::int64_t>(std::floor((p.X - left) / size)));
        const auto cy =
            std::min(gridRows_ - 1, static_cast<std::int64_t>(std::floor((p.Y - bottom) / size)));
        return static_cast<std::size_t>(cy * gridColumns_ + cx);
    };
    gridCellStart_.assign(static_cast<std::size_t>(gridColumns_ * gridRows_) + 1, 0);
    for (const TLinePoint& p : points) {
        ++gridCellStart_[cellOf(p) + 1];
    }
    for (std::size_t c = 1; c < gridCellStart_.size(); ++c) {
        gridCellStart_[c] += gridCellStart_[c - 1];
    }
    gridPoints_.resize(points.size());
    std::vector<std::int32_t> fill(gridCellStart_.begin(), gridCellStart_.end() - 1);
    for (const TLinePoint& p : points) {
        gridPoints_[static_cast<std::size_t>(fill[cellOf(p)]++)] = p;
    }
}

// The scan makes a line the result whenever one of its points is strictly nearer than the best
// so far, starting from NearestLineStart. Its result is therefore the earliest line that has a
// point at the smallest distance of all, provided that distance is below the start; the
// points are looked at here in any order with that rule. The rings of cells around the point
// are visited until the cells left are surely further away than the best distance: their
// points lie at least (r - 5) cells away, with two cells to spare on each side for rounding.
TIndexAnswer TTraceSearchIndex::NearestFreeLine(double x, double y, std::int32_t& line) const {
    if (!(std::fabs(x) < GridLimit && std::fabs(y) < GridLimit)) {
        return TIndexAnswer::Unanswered;
    }
    bool found = false;
    double best = NearestLineStart;
    std::int32_t bestLine = -1;
    auto consider = [&](const TLinePoint& p) {
        if (drawing_.Lines[p.Line].TraceState != LineFree) {
            return;
        }
        const double d = PointDistance(x, y, p.X, p.Y);
        if (d < best || (found && d == best && p.Line < bestLine)) {
            best = d;
            bestLine = p.Line;
            found = true;
        }
    };
    for (const TLinePoint& p : farPoints_) {
        consider(p);
    }
    if (gridColumns_ > 0) {
        const double qx = std::floor((x - gridLeft_) / gridCellSize_);
        const double qy = std::floor((y - gridBottom_) / gridCellSize_);
        if (!(std::fabs(qx) < 4503599627370496.0 && std::fabs(qy) < 4503599627370496.0)) {
            return TIndexAnswer::Unanswered; // the grid is far too fine for this point
        }
        const auto cx = static_cast<std::int64_t>(qx);
        const auto cy = static_cast<std::int64_t>(qy);
        const std::int64_t lastColumn = gridColumns_ - 1;
        const std::int64_t lastRow = gridRows_ - 1;
        auto scanCell = [&](std::int64_t column, std::int64_t row) {
            const auto c = static_cast<std::size_t>(row * gridColumns_ + column);
            for (std::int32_t i = gridCellStart_[c]; i < gridCellStart_[c + 1]; ++i) {
                consider(gridPoints_[static_cast<std::size_t>(i)]);
            }
        };
        const std::int64_t firstRing =
            std::max({std::int64_t{0}, -cx, cx - lastColumn, -cy, cy - lastRow});
        const std::int64_t lastRing = std::max({cx, lastColumn - cx, cy, lastRow - cy});
        for (std::int64_t r = firstRing; r <= lastRing; ++r) {
            if (static_cast<double>(r - 5) * gridCellSize_ * (1 - 1e-9) > best) {
                break;
            }
            const std::int64_t x0 = std::max(std::int64_t{0}, cx - r);
            const std::int64_t x1 = std::min(lastColumn, cx + r);
            for (const std::int64_t row : {cy - r, cy + r}) {
                if (row >= 0 && row <= lastRow) {
                    for (std::int64_t column = x0; column <= x1; ++column) {
                        scanCell(column, row);
                    }
                }
                if (r == 0) {
                    break;
                }
            }
            const std::int64_t y0 = std::max(std::int64_t{0}, cy - r + 1);
            const std::int64_t y1 = std::min(lastRow, cy + r - 1);
            for (const std::int64_t column : {cx - r, cx + r}) {
                if (r > 0 && column >= 0 && column <= lastColumn) {
                    for (std::int64_t row = y0; row <= y1; ++row) {
                        scanCell(column, row);
                    }
                }
            }
        }
    }
    if (!found) {
        return TIndexAnswer::NotFound;
    }
    line = bestLine;
    return TIndexAnswer::Found;
}

// --- Bars ---

bool TTraceSearchIndex::FindBarAt(double x, double y, std::int32_t skipLine,
                                  std::int32_t& line) const {
    // No line passes within 1.0 of a point that is not finite: its distance from every line
    // comes out infinite or NaN.
    if (!std::isfinite(x) || !std::isfinite(y)) {
        return false;
    }
    // Blocks of lines first go through a quick rejection with a wide margin: |d| >= 2 over a
    // norm between 0.5 and 2 leaves a distance of at least 1 whatever the rounding. Only the
    // lines it keeps, in table order, go through the scan's own test.
    constexpr std::int32_t Block = 32;
    const auto count = static_cast<std::int32_t>(equations_.size());
    const double* a = quickA_.data();
    const double* b = quickB_.data();
    const double* c = quickC_.data();
    auto maybeNear = [&](std::int32_t i) {
        return !(std::fabs(a[i] * x + b[i] * y + c[i]) >= 2.0);
    };
    for (std::int32_t first = 0; first < count; first += Block) {
        const std::int32_t end = std::min(count, first + Block);
        int kept = 0;
        for (std::int32_t i = first; i < end; ++i) {
            kept += maybeNear(i) ? 1 : 0;
        }
        if (kept == 0) {
            continue;
        }
        for (std::int32_t i = first; i < end; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            if (!maybeNear(i) || i == skipLine || hasEquation_[slot] == 0) {
                continue;
            }
            if (std::fabs(SignedDistance(equations_[slot], x, y)) < ConnectTolerance) {
                line = i;
                return true;
            }
        }
    }
    return false;
}

} // namespace kolvo
