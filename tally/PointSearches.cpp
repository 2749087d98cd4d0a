#include "PointSearches.h"

#include <algorithm>
#include <cmath>

namespace kolvo {

// The scan makes a line the result whenever one of its points is strictly nearer than the best
// so far, starting from NearestLineStart. Its result is therefore the earliest line that has a
// point at the smallest distance of all, provided that distance is below the start; the points
// are looked at here in any order with that rule, and a box of points is passed over only when
// all of it lies further than the best so far.
TIndexAnswer TLinePoints::NearestFreeLine(double x, double y, std::int32_t& line) {
    // From a point that is not finite every distance is infinite or NaN: nothing is nearer than
    // the start.
    if (!Finite(x, y)) {
        return TIndexAnswer::NotFound;
    }
    if (!points_) {
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
        points_ = std::make_unique<TPointTree>(std::move(points));
    }
    bool found = false;
    double best = NearestLineStart;
    std::int32_t bestLine = -1;
    points_->Search(
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

TIndexAnswer TTextPoints::TextsNear(double x, double y, double radius,
                                    std::vector<std::int32_t>& texts) {
    if (!Finite(x, y) || !std::isfinite(radius)) {
        return TIndexAnswer::Unanswered;
    }
    if (!points_) {
        std::vector<TTreePoint> points;
        points.reserve(static_cast<std::size_t>(drawing_.TextCount()));
        for (std::int32_t i = 0; i < drawing_.TextCount(); ++i) {
            const TDxfText& text = drawing_.Texts[i];
            // A text that is not finite is never within a finite radius.
            if (Finite(text.X, text.Y)) {
                points.push_back(TTreePoint{text.X, text.Y, i});
            }
        }
        points_ = std::make_unique<TPointTree>(std::move(points));
    }
    texts.clear();
    points_->Search(
        x, y, [&](const TTreeBox& box) { return box.DistanceFrom(x, y) > radius; },
        [&](const TTreePoint& p) { texts.push_back(p.Id); });
    std::sort(texts.begin(), texts.end());
    return texts.empty() ? TIndexAnswer::NotFound : TIndexAnswer::Found;
}

} // namespace kolvo
