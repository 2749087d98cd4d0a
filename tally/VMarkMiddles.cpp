#include "VMarkMiddles.h"

#include <algorithm>
#include <cmath>

namespace kolvo {

namespace {

// A direction of tip segments gets its V-mark middles sorted once it has been asked about this
// often; at most this many directions are sorted.
constexpr std::int32_t SortAfterAsked = 8;
constexpr std::size_t MaxSortedDirections = 16;

} // namespace

// Tip segments mostly share a few directions (across or along the bars), so for a direction
// asked about often the middles are sorted by A x + B y once: the ones within 1.0 of a line of
// that direction then lie in a narrow window of that value. Other directions go through the
// tree, which looks at the boxes the strip along the line crosses.
TIndexAnswer TVMarkMiddles::VMarksAlong(const TLineEquation& eq,
                                        std::vector<std::int32_t>& polylines) {
    if (!Judgeable(eq) || !std::isfinite(eq.A) || !std::isfinite(eq.B)) {
        return TIndexAnswer::Unanswered;
    }
    if (!points_) {
        std::vector<TTreePoint> points;
        for (std::int32_t i = 0; i < drawing_.PolylineCount(); ++i) {
            const TDxfPolyline& polyline = drawing_.Polylines[i];
            // A middle vertex that is not finite is at no finite distance from any line.
            if (polyline.VertexCount() == 3 && Finite(polyline.Vertex(2).X, polyline.Vertex(2).Y)) {
                const TDxfVertex& m = polyline.Vertex(2);
                points.push_back(TTreePoint{m.X, m.Y, i});
                reach_ = std::max({reach_, std::fabs(m.X), std::fabs(m.Y)});
            }
        }
        points_ = std::make_unique<TPointTree>(std::move(points));
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
    const double width = 2.0 + Slack * (2 * reach_ + std::fabs(key.C));
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
        points_->Search(
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

} // namespace kolvo
