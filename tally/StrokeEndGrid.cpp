#include "StrokeEndGrid.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace kolvo {

namespace {

// Coordinates beyond this stay out of the stroke-end cells: their cell numbers would not fit in
// 64-bit integers exactly. Searches near them are answered by the scan.
constexpr double GridLimit = 1125899906842624.0; // 2^50

std::uint64_t CellHash(std::int64_t cx, std::int64_t cy) {
    std::uint64_t h = static_cast<std::uint64_t>(cx) * 0x9E3779B97F4A7C15ull ^
                      static_cast<std::uint64_t>(cy) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    return h ^ (h >> 32);
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

TStrokeEndGrid::TStrokeEndGrid(const TDrawing& drawing) : drawing_(drawing) {
    static_assert(ConnectTolerance == 1.0,
                  "the stroke-end cells are twice as wide as the tolerance");
}

// The cells are 2.0 wide, numbered by floor(x / 2) and floor(y / 2). An end 1.0 or more from a
// point in x (or y) has a computed difference of coordinates that rounds to at least 1.0, so
// PointDistance of them is at least 1.0 too: every end that the scan would count lies less than
// 1.0 from the point in x and in y, and so in the 2 x 2 cells that cover that square (four
// lookups, where cells 1.0 wide took nine, each a miss of the cache on a large drawing). Cells
// are hashed into about as many buckets as there are ends, so the far-off ones cost no room; the
// ends are put in their buckets by counting, in an order of no consequence (every answer is
// taken from all the ends of a bucket alike).
void TStrokeEndGrid::Build() {
    built_ = true;
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

bool TStrokeEndGrid::EndsNear(double x, double y, std::vector<TStrokeEnd>& ends) {
    // A point well inside the grid has every end within 1.0 of it inside the grid too.
    if (!(std::fabs(x) < GridLimit - 4 && std::fabs(y) < GridLimit - 4)) {
        return false;
    }
    if (!built_) {
        Build();
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

} // namespace kolvo
