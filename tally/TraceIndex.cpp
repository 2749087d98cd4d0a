#include "TraceIndex.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "BarTrace.h"
#include "DrawingModel.h"

namespace kolvo {

namespace {

// Coordinates beyond this stay out of the stroke-end cells: their cell numbers would not fit in
// 64-bit integers exactly. Searches near them are answered by the scan.
constexpr double GridLimit = 1125899906842624.0; // 2^50

// The distance at which the nearest-line search starts; a line further away is never found.
constexpr double NearestLineStart = 1e11;

// The side of the squares of A and B that make one group of directions (see BuildBars): wide
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

// A direction of tip segments gets its V-mark middles sorted once it has been asked about this
// often; at most this many directions are sorted.
constexpr std::int32_t SortAfterAsked = 8;
constexpr std::size_t MaxSortedDirections = 16;

// Relative slack for rounding when a search window is worked out: far more than the few rounding
// steps of any value compared.
constexpr double Slack = 1e-9;

bool Finite(double x, double y) {
    return std::isfinite(x) && std::isfinite(y);
}

// An equation whose norm is near 1 and whose values are finite: a computed |A x + B y + C| of 2
// or more then means a distance of at least 1 whatever the rounding.
bool Judgeable(const TLineEquation& eq) {
    const double norm = eq.A * eq.A + eq.B * eq.B;
    return std::isfinite(eq.C) && norm >= 0.5 && norm <= 2.0;
}

std::uint64_t CellHash(std::int64_t cx, std::int64_t cy) {
    std::uint64_t h = static_cast<std::uint64_t>(cx) * 0x9E3779B97F4A7C15ull ^
                      static_cast<std::uint64_t>(cy) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    return h ^ (h >> 32);
}

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

// The stroke-end cell of a coordinate: cells are 2.0 wide.
std::int64_t CellNumber(double v) {
    return static_cast<std::int64_t>(std::floor(v * 0.5));
}

// The first of the two cells, along one axis, that hold every coordinate less than 1.0 from v.
// Within the grid v - 2 c is computed exactly, or (for v in [-1, 0)) rounded to no less than 1.0
// from no less than 1.0, so the side is always the right one.
std::int64_t FirstNearCell(double v) {
    const std::int64_t c = CellNumber(v);
    return v - 2.0 * static_cast<double>(c) < 1.0 ? c - 1 : c;
}

} // namespace

bool LinePassesNear(const TDxfLine& line, double x, double y) {
    TLineEquation eq;
    return LineEquation(line.X1, line.Y1, line.X2, line.Y2, eq) &&
           std::fabs(SignedDistance(eq, x, y)) < ConnectTolerance;
}

bool ScanForBar(const TDrawing& drawing, double x, double y, std::int32_t skipLine,
                std::int32_t& line) {
    for (std::int32_t i = 0; i < drawing.LineCount(); ++i) {
        if (i != skipLine && LinePassesNear(drawing.Lines[i], x, y)) {
            line = i;
            return true;
        }
    }
    return false;
}

TTraceSearchIndex::TTraceSearchIndex(const TDrawing& drawing) : drawing_(drawing) {
    static_assert(ConnectTolerance == 1.0,
                  "the stroke-end cells are twice as wide as the tolerance");
}

TTraceSearchIndex::~TTraceSearchIndex() = default;

// --- Stroke ends ---

// The cells are 2.0 wide, numbered by floor(x / 2) and floor(y / 2). An end 1.0 or more from a
// point in x (or y) has a computed difference of coordinates that rounds to at least 1.0, so
// PointDistance of them is at least 1.0 too: every end that the scan would count lies less than
// 1.0 from the point in x and in y, and so in the 2 x 2 cells that cover that square (four
// lookups, where cells 1.0 wide took nine, each a miss of the cache on a large drawing). Cells
// are hashed into about as many buckets as there are ends, so the far-off ones cost no room; the
// ends are put in their buckets by counting, in an order of no consequence (every answer is
// taken from all the ends of a bucket alike).
void TTraceSearchIndex::BuildEnds() {
    endsBuilt_ = true;
    // An end that is not finite or lies beyond the grid is never within 1.0 of a point the grid
    // answers for, so leaving it out changes no answer.
    auto eachEnd = [&](const auto& use) {
        auto offer = [&](std::int32_t index, std::int32_t kind, double x, double y) {
            if (std::fabs(x) < GridLimit && std::fabs(y) < GridLimit) {
                use(TStrokeEnd{index, kind}, x, y);
            }
        };
        for (std::int32_t i = 0; i < drawing_.LineCount(); ++i) {
            const TDxfLine& line = drawing_.Lines[i];
            offer(i, StrokeLineStart, line.X1, line.Y1);
            offer(i, StrokeLineEnd, line.X2, line.Y2);
        }
        for (std::int32_t i = 0; i < drawing_.PolylineCount(); ++i) {
            const TDxfPolyline& polyline = drawing_.Polylines[i];
            if (polyline.VertexCount() == 3) {
                offer(i, StrokeVMark, polyline.Vertex(2).X, polyline.Vertex(2).Y);
            }
        }
    };
    std::size_t count = 0;
    eachEnd([&](const TStrokeEnd&, double, double) { ++count; });
    const std::uint64_t buckets = std::bit_ceil(std::max<std::uint64_t>(count, 1));
    bucketMask_ = buckets - 1;
    auto bucketOf = [&](double x, double y) {
        return static_cast<std::uint32_t>(CellHash(CellNumber(x), CellNumber(y)) & bucketMask_);
    };

    // Placed straight into their buckets, a million ends would miss the cache at every one. They
    // are moved in two steps instead: first by the top bits of their bucket into up to 256
    // parts, then each part into its buckets, whose counts and ends then lie close together.
    struct TPlaced {
        TStrokeEnd End;
        std::uint32_t Bucket = 0;
    };
    const int bucketBits = std::countr_zero(buckets);
    const int partShift = bucketBits - std::min(bucketBits, 8);
    const std::size_t parts = static_cast<std::size_t>(buckets >> partShift);
    std::vector<std::size_t> partStart(parts + 1, 0);
    eachEnd([&](const TStrokeEnd&, double x, double y) {
        ++partStart[(bucketOf(x, y) >> partShift) + 1];
    });
    for (std::size_t p = 1; p <= parts; ++p) {
        partStart[p] += partStart[p - 1];
    }
    std::vector<TPlaced> byPart(count);
    {
        std::vector<std::size_t> fill(partStart.begin(), partStart.end() - 1);
        eachEnd([&](const TStrokeEnd& end, double x, double y) {
            const std::uint32_t bucket = bucketOf(x, y);
            byPart[fill[bucket >> partShift]++] = TPlaced{end, bucket};
        });
    }
    // Within a part: each bucket's count, then where it ends; each end then goes just before the
    // ends placed in its bucket so far, which leaves every bucket's start in place.
    bucketStart_.assign(static_cast<std::size_t>(buckets) + 1, 0);
    ends_.resize(count);
    for (std::size_t p = 0; p < parts; ++p) {
        const auto first = byPart.begin() + static_cast<std::ptrdiff_t>(partStart[p]);
        const auto last = byPart.begin() + static_cast<std::ptrdiff_t>(partStart[p + 1]);
        for (auto e = first; e != last; ++e) {
            ++bucketStart_[e->Bucket];
        }
        auto running = static_cast<std::int32_t>(partStart[p]);
        for (std::size_t b = p << partShift; b < (p + 1) << partShift; ++b) {
            running += bucketStart_[b];
            bucketStart_[b] = running;
        }
        for (auto e = first; e != last; ++e) {
            ends_[static_cast<std::size_t>(--bucketStart_[e->Bucket])] = e->End;
        }
    }
    bucketStart_[buckets] = static_cast<std::int32_t>(count);
}

bool TTraceSearchIndex::EndsNear(double x, double y, std::vector<TStrokeEnd>& ends) {
    // A point well inside the grid has every end within 1.0 of it inside the grid too.
    if (!(std::fabs(x) < GridLimit - 4 && std::fabs(y) < GridLimit - 4)) {
        return false;
    }
    if (!endsBuilt_) {
        BuildEnds();
    }
    const std::int64_t cx = FirstNearCell(x);
    const std::int64_t cy = FirstNearCell(y);
    // Two cells may share a bucket; each bucket is handed out once.
    std::uint64_t seen[4];
    int seenCount = 0;
    ends.clear();
    for (std::int64_t dx = 0; dx <= 1; ++dx) {
        for (std::int64_t dy = 0; dy <= 1; ++dy) {
            const std::uint64_t bucket = CellHash(cx + dx, cy + dy) & bucketMask_;
            if (std::find(seen, seen + seenCount, bucket) != seen + seenCount) {
                continue;
            }
            seen[seenCount++] = bucket;
            ends.insert(ends.end(), ends_.begin() + bucketStart_[bucket],
                        ends_.begin() + bucketStart_[bucket + 1]);
        }
    }
    return true;
}

// --- Nearest free line ---

// The scan makes a line the result whenever one of its points is strictly nearer than the best
// so far, starting from NearestLineStart. Its result is therefore the earliest line that has a
// point at the smallest distance of all, provided that distance is below the start; the points
// are looked at here in any order with that rule, and a box of points is passed over only when
// all of it lies further than the best so far.
TIndexAnswer TTraceSearchIndex::NearestFreeLine(double x, double y, std::int32_t& line) {
    // From a point that is not finite every distance is infinite or NaN: nothing is nearer than
    // the start.
    if (!Finite(x, y)) {
        return TIndexAnswer::NotFound;
    }
    if (!linePoints_) {
        std::vector<TTreePoint> points;
        points.reserve(static_cast<std::size_t>(drawing_.LineCount()) * 3);
        // A point that is not finite is never nearer than the start.
        auto add = [&](double px, double py, std::int32_t i) {
            if (Finite(px, py)) {
                points.push_back(TTreePoint{px, py, i});
            }
        };
        for (std::int32_t i = 0; i < drawing_.LineCount(); ++i) {
            const TDxfLine& l = drawing_.Lines[i];
            add(l.X1, l.Y1, i);
            add(l.X2, l.Y2, i);
            add((l.X1 + l.X2) * 0.5, (l.Y1 + l.Y2) * 0.5, i);
        }
        linePoints_ = std::make_unique<TPointTree>(std::move(points));
    }
    bool found = false;
    double best = NearestLineStart;
    std::int32_t bestLine = -1;
    linePoints_->Search(
        x, y, [&](const TTreeBox& box) { return box.DistanceFrom(x, y) > best; },
        [&](const TTreePoint& p) {
            if (drawing_.Lines[p.Id].TraceState != LineFree) {
                return;
            }
            const double d = PointDistance(x, y, p.X, p.Y);
            if (d < best || (found && d == best && p.Id < bestLine)) {
                best = d;
                bestLine = p.Id;
                found = true;
            }
        });
    if (!found) {
        return TIndexAnswer::NotFound;
    }
    line = bestLine;
    return TIndexAnswer::Found;
}

// --- Texts in a circle ---

TIndexAnswer TTraceSearchIndex::TextsNear(double x, double y, double radius,
                                          std::vector<std::int32_t>& texts) {
    if (!Finite(x, y) || !std::isfinite(radius)) {
        return TIndexAnswer::Unanswered;
    }
    if (!textPoints_) {
        std::vector<TTreePoint> points;
        points.reserve(static_cast<std::size_t>(drawing_.TextCount()));
        for (std::int32_t i = 0; i < drawing_.TextCount(); ++i) {
            const TDxfText& text = drawing_.Texts[i];
            // A text that is not finite is never within a finite radius.
            if (Finite(text.X, text.Y)) {
                points.push_back(TTreePoint{text.X, text.Y, i});
            }
        }
        textPoints_ = std::make_unique<TPointTree>(std::move(points));
    }
    texts.clear();
    textPoints_->Search(
        x, y, [&](const TTreeBox& box) { return box.DistanceFrom(x, y) > radius; },
        [&](const TTreePoint& p) { texts.push_back(p.Id); });
    std::sort(texts.begin(), texts.end());
    return texts.empty() ? TIndexAnswer::NotFound : TIndexAnswer::Found;
}

// --- V marks along a line ---

// Tip segments mostly share a few directions (across or along the bars), so for a direction
// asked about often the middles are sorted by A x + B y once: the ones within 1.0 of a line of
// that direction then lie in a narrow window of that value. Other directions go through the
// tree, which looks at the boxes the strip along the line crosses.
TIndexAnswer TTraceSearchIndex::VMarksAlong(const TLineEquation& eq,
                                            std::vector<std::int32_t>& polylines) {
    if (!Judgeable(eq) || !std::isfinite(eq.A) || !std::isfinite(eq.B)) {
        return TIndexAnswer::Unanswered;
    }
    if (!vMarkPoints_) {
        std::vector<TTreePoint> points;
        for (std::int32_t i = 0; i < drawing_.PolylineCount(); ++i) {
            const TDxfPolyline& polyline = drawing_.Polylines[i];
            // A middle vertex that is not finite is at no finite distance from any line.
            if (polyline.VertexCount() == 3 && Finite(polyline.Vertex(2).X, polyline.Vertex(2).Y)) {
                const TDxfVertex& m = polyline.Vertex(2);
                points.push_back(TTreePoint{m.X, m.Y, i});
                vMarkReach_ = std::max({vMarkReach_, std::fabs(m.X), std::fabs(m.Y)});
            }
        }
        vMarkPoints_ = std::make_unique<TPointTree>(std::move(points));
    }
    polylines.clear();
    // A line and its reverse have equations of opposite sign; both are asked as one direction.
    TLineEquation key = eq;
    if (key.A < 0 || (key.A == 0 && key.B < 0)) {
        key = TLineEquation{-key.A, -key.B, -key.C};
    }
    key.A += 0.0;
    key.B += 0.0;
    // Outside this window |A x + B y + C| is surely 2 or more, so the distance at least 1.
    const double width = 2.0 + Slack * (2 * vMarkReach_ + std::fabs(key.C));
    auto projected =
        std::find_if(projections_.begin(), projections_.end(),
                     [&](const TProjected& p) { return p.A == key.A && p.B == key.B; });
    if (projected == projections_.end() && projections_.size() < MaxSortedDirections) {
        projections_.push_back(TProjected{key.A, key.B, 0, {}});
        projected = projections_.end() - 1;
    }
    if (projected != projections_.end() && ++projected->Asked == SortAfterAsked) {
        for (std::int32_t i = 0; i < drawing_.PolylineCount(); ++i) {
            const TDxfPolyline& polyline = drawing_.Polylines[i];
            if (polyline.VertexCount() == 3 && Finite(polyline.Vertex(2).X, polyline.Vertex(2).Y)) {
                const TDxfVertex& m = polyline.Vertex(2);
                projected->Sorted.push_back(TProjection{key.A * m.X + key.B * m.Y, i});
            }
        }
        std::sort(projected->Sorted.begin(), projected->Sorted.end(),
                  [](const TProjection& a, const TProjection& b) { return a.P < b.P; });
    }
    if (projected != projections_.end() && !projected->Sorted.empty()) {
        const auto& sorted = projected->Sorted;
        auto it = std::lower_bound(sorted.begin(), sorted.end(), -key.C - width,
                                   [](const TProjection& p, double value) { return p.P < value; });
        for (; it != sorted.end() && it->P <= -key.C + width; ++it) {
            polylines.push_back(it->Polyline);
        }
    } else {
        vMarkPoints_->Search(
            0, 0,
            [&](const TTreeBox& box) {
                double low = 0, high = 0;
                box.LinearRange(key.A, key.B, key.C, low, high);
                return low >= 2.0 || high <= -2.0;
            },
            [&](const TTreePoint& p) {
                if (std::fabs(key.A * p.X + key.B * p.Y + key.C) < width) {
                    polylines.push_back(p.Id);
                }
            },
            false);
    }
    std::sort(polylines.begin(), polylines.end());
    return polylines.empty() ? TIndexAnswer::NotFound : TIndexAnswer::Found;
}

// --- Bars ---

// Lines are grouped by direction. A line and its reverse have equations of opposite sign and are
// put together with the signs turned, which changes no distance. Lines of one direction mostly
// differ in the last bits of A and B, as their ends were rounded: a drawing's slanted lines of one
// angle have as many versions of it as it has lines, nearly. So a group takes every equation
// whose A and B fall in one small square of side DirectionCell, and keeps how far they stray from
// its first equation (A0, B0). For a point, A0 x + B0 y then differs from each line's own A x + B y
// by at most that spread times |x| and |y|, and the lines that can pass within 1.0 of it are those
// whose C lies in a narrow window around -(A0 x + B0 y).
void TTraceSearchIndex::BuildBars() {
    barsBuilt_ = true;
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
void TTraceSearchIndex::BuildSlots(TDirection& direction) {
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

std::int32_t TTraceSearchIndex::TSlots::Of(double c) const {
    const double t = (c - Base) * Scale;
    if (!(t >= 0)) {
        return 0;
    }
    return t < Count ? static_cast<std::int32_t>(t) : Count - 1;
}

bool TTraceSearchIndex::FindBarAt(double x, double y, std::int32_t skipLine, std::int32_t& line) {
    // No line passes within 1.0 of a point that is not finite: its distance from every line
    // comes out infinite or NaN.
    if (!Finite(x, y)) {
        return false;
    }
    if (!barsBuilt_) {
        BuildBars();
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
            __builtin_prefetch(cellStart_.data() + window.Cell);
        }
        windows_.push_back(window);
    }
    for (TWindow& window : windows_) {
        if (window.Cell >= 0) {
            window.Begin = cellStart_[static_cast<std::size_t>(window.Cell)];
            window.Last = cellStart_[static_cast<std::size_t>(window.Cell) + 1];
            __builtin_prefetch(offsets_.data() + window.Begin);
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
