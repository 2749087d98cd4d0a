#include "BarDirections.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "PlainScans.h"

// A hint that the next round of the search reads there; without the builtin the rounds only lose
// the overlap of their misses of the cache.
#if defined(__GNUC__)
#define KOLVO_PREFETCH(address) __builtin_prefetch(address)
#else
#define KOLVO_PREFETCH(address) static_cast<void>(address)
#endif

namespace kolvo {

namespace {

// The side of the squares of A and B that make one group of directions (see Build): wide
// enough for the rounding of any drawing's coordinates, narrow enough that the spread it brings
// to a search (at most this times the point's coordinates) stays far below 1.0.
constexpr double DirectionCell = 1.0 / (1 << 24);

// Lines of a direction shared by fewer lines than this are looked at one by one.
constexpr std::size_t MinDirectionLines = 4;

// A group of lines of one direction gets slots over its offsets (see BuildSlots) from this many
// offsets on.
constexpr std::int32_t MinSlotOffsets = 64;

// The most offsets at each end of a group left out of the span of its slots: enough for a few
// far lines, few enough that the first and the last slot stay small.
constexpr std::int32_t MaxOutside = 8;

// The width of the slots of C: a little wider than the window of a point, so that a window spans
// at most two of them. A group has from a quarter to twice as many cells as offsets, and at most
// 64 bits an offset and MaxMarks in all.
constexpr double SlotWidth = 5.0;
constexpr double MaxMarks = 1 << 26;

// The first k in [begin, end) with values[k].C >= value, as std::lower_bound finds it, but without
// a branch that depends on the values, which a processor mispredicts half the time.
template <class Keyed>
std::int32_t LowerBound(const Keyed* values, std::int32_t begin, std::int32_t end, double value) {
    const Keyed* first = values + begin;
    std::int32_t count = end - begin;
    while (count > 1) {
        const std::int32_t half = count / 2;
        // As a product, which the compiler does not turn back into a branch.
        first += half * static_cast<std::int32_t>(first[half - 1].C < value);
        count -= half;
    }
    return static_cast<std::int32_t>(first - values) + (count == 1 && first->C < value ? 1 : 0);
}

} // namespace

TBarDirections::TBarDirections(const TDrawing& drawing) : drawing_(drawing) {}

// Lines are grouped by direction. A line and its reverse have equations of opposite sign and are
// put together with the signs turned, which changes no distance. Lines of one direction mostly
// differ in the last bits of A and B, as their ends were rounded: a drawing's slanted lines of one
// angle have as many versions of it as it has lines, nearly. So a group takes every equation
// whose A and B fall in one small square of side DirectionCell, and keeps how far they stray from
// its first equation (A0, B0). For a point, A0 x + B0 y then differs from each line's own A x + B y
// by at most that spread times |x| and |y|, and the lines that can pass within 1.0 of it are those
// whose C lies in a narrow window around -(A0 x + B0 y).
void TBarDirections::Build() {
    built_ = true;
    struct TKeyed {
        std::int64_t Cell; // of the square of A and B
        double A, B, C;
        std::int32_t Line;
    };
    // Reserved whole: grown by doubling, the two copies would set the analysis's peak memory.
    std::vector<TKeyed> keyed;
    keyed.reserve(static_cast<std::size_t>(drawing_.LineCount()));
    std::vector<std::int32_t> loose;
    for (std::int32_t i = 0; i < drawing_.LineCount(); ++i) {
        const TDxfLine& line = drawing_.Lines[i];
        TLineEquation eq;
        if (!LineEquation(line.X1, line.Y1, line.X2, line.Y2, eq)) {
            continue; // never a bar
        }
        if (!Judgeable(eq) || !std::isfinite(eq.A) || !std::isfinite(eq.B)) {
            loose.push_back(i);
            continue;
        }
        // The larger of A and B is made positive, so that the signs of a direction do not
        // change between its versions.
        if (std::fabs(eq.A) >= std::fabs(eq.B) ? eq.A < 0 : eq.B < 0) {
            eq.A = -eq.A;
            eq.B = -eq.B;
            eq.C = -eq.C;
        }
        // Adding zero makes a negative zero positive, so that both fall in one group. The squares
        // are centred on the multiples of DirectionCell, so that the versions of the directions
        // drawn most, along the axes and where A or B is 0 or 1, share one. A and B lie within
        // [-2, 2], so the cell numbers fit in 32 bits each.
        eq.A += 0.0;
        eq.B += 0.0;
        const auto cellA = static_cast<std::int64_t>(std::floor(eq.A / DirectionCell + 0.5));
        const auto cellB = static_cast<std::int64_t>(std::floor(eq.B / DirectionCell + 0.5));
        keyed.push_back(TKeyed{cellA * (std::int64_t{1} << 32) + cellB, eq.A, eq.B, eq.C, i});
    }
    std::sort(keyed.begin(), keyed.end(), [](const TKeyed& a, const TKeyed& b) {
        if (a.Cell != b.Cell) {
            return a.Cell < b.Cell;
        }
        if (a.C != b.C) {
            return a.C < b.C;
        }
        if (a.A != b.A) {
            return a.A < b.A;
        }
        return a.B != b.B ? a.B < b.B : a.Line < b.Line;
    });
    // One offset for each equation, counted first: grown by doubling, the offsets would hold
    // twice their room beside the keyed lines at the analysis's peak.
    auto sameEquation = [](const TKeyed& a, const TKeyed& b) {
        return a.C == b.C && a.A == b.A && a.B == b.B;
    };
    std::size_t equations = keyed.empty() ? 0 : 1;
    for (std::size_t k = 1; k < keyed.size(); ++k) {
        equations += sameEquation(keyed[k], keyed[k - 1]) ? 0 : 1;
    }
    offsets_.reserve(equations);
    for (std::size_t first = 0; first < keyed.size();) {
        std::size_t last = first + 1;
        while (last < keyed.size() && keyed[last].Cell == keyed[first].Cell) {
            ++last;
        }
        if (last - first < MinDirectionLines) {
            for (std::size_t k = first; k < last; ++k) {
                loose.push_back(keyed[k].Line);
            }
        } else {
            TDirection direction;
            direction.A = keyed[first].A;
            direction.B = keyed[first].B;
            direction.MinC = keyed[first].C;
            direction.MaxC = keyed[last - 1].C;
            direction.Begin = static_cast<std::int32_t>(offsets_.size());
            for (std::size_t k = first; k < last; ++k) {
                const TKeyed& e = keyed[k];
                direction.SpreadA = std::max(direction.SpreadA, std::fabs(e.A - direction.A));
                direction.SpreadB = std::max(direction.SpreadB, std::fabs(e.B - direction.B));
                // Lines of one equation go under one offset; other equations of the same C get
                // an offset each, as the scan's test may tell them apart.
                if (k == first || !sameEquation(e, keyed[k - 1])) {
                    offsets_.push_back(TOffset{e.C, e.A, e.B, e.Line, -1});
                } else if (offsets_.back().Second < 0) {
                    offsets_.back().Second = e.Line;
                }
            }
            direction.End = static_cast<std::int32_t>(offsets_.size());
            BuildSlots(direction);
            directions_.push_back(direction);
        }
        first = last;
    }
    std::sort(loose.begin(), loose.end());
    looseLines_ = std::move(loose);
    // For a quick rejection of loose lines: their equation where it can be judged, all zeros
    // (never rejected) where it cannot.
    for (const std::int32_t i : looseLines_) {
        const TDxfLine& line = drawing_.Lines[i];
        TLineEquation eq;
        LineEquation(line.X1, line.Y1, line.X2, line.Y2, eq);
        if (!Judgeable(eq) || !std::isfinite(eq.A) || !std::isfinite(eq.B)) {
            eq = TLineEquation{};
        }
        looseA_.push_back(eq.A);
        looseB_.push_back(eq.B);
        looseC_.push_back(eq.C);
    }
}

// A large group's binary search missed the cache at nearly every step. Its offsets are therefore
// also cut into cells of equal width, and each cell's first offset is kept: a search then starts
// from the few offsets of one cell. Most points have no offset of a group in their window at all,
// and a bit for each slot of C as wide as a window tells so from a table small enough to stay in
// the cache. Both span the bulk of the offsets, leaving out a few at each end, so that one far
// line cannot put all the others in one slot; the offsets beyond lie in the first and the last
// slot, where the search finds them as before.
//
// Any slots give the same answers. TSlots::Of never decreases as C grows, so every offset before
// the slot of a value is below the value and every offset after it above: the first offset not
// below the value lies in that cell or is the next cell's first, and the offsets in a window lie
// in the slots from its low end's to its high end's.
void TBarDirections::BuildSlots(TDirection& direction) {
    const std::int32_t count = direction.End - direction.Begin;
    if (count < MinSlotOffsets) {
        return;
    }
    const TOffset* offsets = offsets_.data() + direction.Begin;
    const std::int32_t outside = std::min(count / 64, MaxOutside); // left out of the bulk
    const double low = offsets[outside].C;
    const double high = offsets[count - 1 - outside].C;
    auto slots = [&](double count, std::int32_t first) {
        TSlots made;
        const double scale = count / (high - low);
        if (high > low && std::isfinite(scale)) {
            made = TSlots{low, scale, static_cast<std::int32_t>(count), first};
        }
        return made;
    };
    // As many cells as fit in the bulk at SlotWidth each, but from a quarter to twice as many as
    // there are offsets.
    const double fit = std::ceil((high - low) / SlotWidth);
    direction.Cells = slots(std::clamp(fit, count / 4.0, 2.0 * count),
                            static_cast<std::int32_t>(cellStart_.size()));
    if (direction.Cells.Count == 0) {
        return;
    }
    std::int32_t next = 0;
    for (std::int32_t k = 0; k < count; ++k) {
        for (const std::int32_t cell = direction.Cells.Of(offsets[k].C); next <= cell; ++next) {
            cellStart_.push_back(direction.Begin + k);
        }
    }
    for (; next <= direction.Cells.Count; ++next) {
        cellStart_.push_back(direction.End);
    }
    // As many slots as fit in the bulk at SlotWidth each, but not more bits than 64 an offset.
    direction.Marks = slots(std::max(1.0, std::min({fit, 64.0 * count, MaxMarks})),
                            static_cast<std::int32_t>(marks_.size()));
    marks_.resize(marks_.size() + static_cast<std::size_t>(direction.Marks.Count / 64 + 1), 0);
    for (std::int32_t k = 0; k < count; ++k) {
        const std::int32_t bit = direction.Marks.Of(offsets[k].C);
        marks_[static_cast<std::size_t>(direction.Marks.First + bit / 64)] |= std::uint64_t{1}
                                                                              << (bit % 64);
    }
}

std::int32_t TBarDirections::TSlots::Of(double c) const {
    const double t = (c - Base) * Scale;
    if (!(t >= 0)) {
        return 0;
    }
    return t < Count ? static_cast<std::int32_t>(t) : Count - 1;
}

bool TBarDirections::FindBarAt(double x, double y, std::int32_t skipLine, std::int32_t& line) {
    // No line passes within 1.0 of a point that is not finite: its distance from every line
    // comes out infinite or NaN (but for a line whose length overflows, whose equation is all
    // zeros; the analysis refuses coordinates large enough for that).
    if (!Finite(x, y)) {
        return false;
    }
    if (!built_) {
        Build();
    }
    std::int32_t best = std::numeric_limits<std::int32_t>::max();
    // In three rounds over the groups, so that the misses of the cache on a large drawing come
    // together: first each group's window, with its directory cell asked for; then where the
    // cells begin, with their offsets asked for; then the search.
    windows_.clear();
    for (const TDirection& direction : directions_) {
        const double ax = direction.A * x;
        const double by = direction.B * y;
        const double s = ax + by;
        if (!std::isfinite(s)) {
            return ScanForBar(drawing_, x, y, skipLine, line); // too far out to narrow down
        }
        // Outside the window |A x + B y + C| is surely 2 or more, for every equation of the
        // group.
        const double width = 2.0 +
                             Slack * (std::fabs(ax) + std::fabs(by) + std::fabs(x) + std::fabs(y)) +
                             direction.SpreadA * std::fabs(x) + direction.SpreadB * std::fabs(y);
        TWindow window{-s - width, -s + width, direction.Begin, direction.End, -1, direction.End};
        // Most directions have no line near the point; their range of offsets tells so at once.
        if (window.High < direction.MinC || window.Low > direction.MaxC) {
            continue;
        }
        if (direction.Cells.Count > 0) {
            const std::int32_t from = direction.Marks.Of(window.Low);
            const std::int32_t to = direction.Marks.Of(window.High);
            if (to - from <= 1 && !Marked(direction.Marks, from) && !Marked(direction.Marks, to)) {
                continue;
            }
            window.Cell = direction.Cells.First + direction.Cells.Of(window.Low);
            KOLVO_PREFETCH(cellStart_.data() + window.Cell);
        }
        windows_.push_back(window);
    }
    for (TWindow& window : windows_) {
        if (window.Cell >= 0) {
            window.Begin = cellStart_[static_cast<std::size_t>(window.Cell)];
            window.Last = cellStart_[static_cast<std::size_t>(window.Cell) + 1];
            KOLVO_PREFETCH(offsets_.data() + window.Begin);
        }
    }
    for (const TWindow& window : windows_) {
        for (std::int32_t k = LowerBound(offsets_.data(), window.Begin, window.Last, window.Low);
             k < window.End && offsets_[static_cast<std::size_t>(k)].C <= window.High; ++k) {
            // The lines of one offset share their equation, so the scan's test gives all of them
            // the same answer: only the first that may be taken needs it.
            const TOffset& offset = offsets_[static_cast<std::size_t>(k)];
            const std::int32_t i = offset.First != skipLine ? offset.First : offset.Second;
            if (i >= 0 && i < best &&
                std::fabs(SignedDistance(TLineEquation{offset.A, offset.B, offset.C}, x, y)) <
                    ConnectTolerance) {
                best = i;
            }
        }
    }

    // Loose lines, in table order up to the best found so far, through a quick rejection first:
    // |d| >= 2 over a norm between 0.5 and 2 leaves a distance of at least 1.
    for (std::size_t k = 0; k < looseLines_.size() && looseLines_[k] < best; ++k) {
        const std::int32_t i = looseLines_[k];
        if (std::fabs(looseA_[k] * x + looseB_[k] * y + looseC_[k]) >= 2.0 || i == skipLine) {
            continue;
        }
        if (LinePassesNear(drawing_.Lines[i], x, y)) {
            best = i;
            break;
        }
    }
    if (best == std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    line = best;
    return true;
}

} // namespace kolvo
