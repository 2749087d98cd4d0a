#include "PointTree.h"

#include <algorithm>
#include <cmath>

namespace kolvo {

namespace {

// Points in a leaf. A leaf also ends the splitting where the tree would grow too deep for the
// search's stack, which only many equal points can cause.
constexpr std::int32_t LeafSize = 16;
constexpr int MaxDepth = 60;

// Relative slack for the rounding of box distances and linear values: far more than the few
// rounding steps in any of them.
constexpr double Slack = 1e-9;

// Puts the points with the smaller coordinate first and returns where the others start, near
// the middle: the pivot is the median of a few evenly spaced points, and one pass without a
// branch per point moves them. Where the sample misleads (many equal coordinates), the points are
// split at the middle exactly. Any split gives the same answers, since the boxes are those of the
// points themselves; a split near the middle keeps the tree shallow.
template <class Iterator, class Key> Iterator SplitPoints(Iterator first, Iterator last, Key key) {
    const auto count = last - first;
    constexpr int kSample = 15;
    double sample[kSample];
    for (int i = 0; i < kSample; ++i) {
        sample[i] = key(first[count * (2 * i + 1) / (2 * kSample)]);
    }
    std::nth_element(sample, sample + kSample / 2, sample + kSample);
    const double pivot = sample[kSample / 2];
    Iterator split = first;
    for (Iterator p = first; p != last; ++p) {
        const bool before = key(*p) < pivot;
        std::iter_swap(p, split);
        split += before ? 1 : 0;
    }
    // A side with less than a quarter of the points makes the tree too deep.
    if (split - first < count / 4 || last - split < count / 4) {
        split = first + count / 2;
        std::nth_element(first, split, last,
                         [&key](const auto& a, const auto& b) { return key(a) < key(b); });
    }
    return split;
}

} // namespace

double TTreeBox::DistanceFrom(double x, double y) const {
    const double dx = std::max({MinX - x, 0.0, x - MaxX});
    const double dy = std::max({MinY - y, 0.0, y - MaxY});
    return std::sqrt(dx * dx + dy * dy) * (1 - Slack);
}

void TTreeBox::LinearRange(double a, double b, double c, double& low, double& high) const {
    const double ax1 = a * MinX, ax2 = a * MaxX;
    const double by1 = b * MinY, by2 = b * MaxY;
    low = std::min(ax1, ax2) + std::min(by1, by2) + c;
    high = std::max(ax1, ax2) + std::max(by1, by2) + c;
    const double margin = Slack * (std::max(std::fabs(ax1), std::fabs(ax2)) +
                                   std::max(std::fabs(by1), std::fabs(by2)) + std::fabs(c));
    low -= margin;
    high += margin;
}

TPointTree::TPointTree(std::vector<TTreePoint> points) : points_(std::move(points)) {
    if (points_.empty()) {
        return;
    }
    nodes_.reserve(2 * (points_.size() / LeafSize + 1));
    nodes_.push_back(TNode{{}, 0, static_cast<std::int32_t>(points_.size()), -1});
    Build(0, 0);
}

void TPointTree::Build(std::int32_t index, int depth) {
    // The nodes vector may grow below, so the node is looked up again after each push.
    auto node = [&]() -> TNode& { return nodes_[static_cast<std::size_t>(index)]; };
    const auto first = points_.begin() + node().Begin;
    const auto last = points_.begin() + node().End;
    TTreeBox box{first->X, first->Y, first->X, first->Y};
    for (auto p = first; p != last; ++p) {
        box.MinX = std::min(box.MinX, p->X);
        box.MaxX = std::max(box.MaxX, p->X);
        box.MinY = std::min(box.MinY, p->Y);
        box.MaxY = std::max(box.MaxY, p->Y);
    }
    node().Box = box;
    const std::int32_t count = node().End - node().Begin;
    if (count <= LeafSize || depth >= MaxDepth) {
        return;
    }
    const bool alongX = box.MaxX - box.MinX >= box.MaxY - box.MinY;
    const auto middle = alongX ? SplitPoints(first, last, [](const TTreePoint& p) { return p.X; })
                               : SplitPoints(first, last, [](const TTreePoint& p) { return p.Y; });
    const auto split = static_cast<std::int32_t>(middle - points_.begin());
    const auto left = static_cast<std::int32_t>(nodes_.size());
    const std::int32_t begin = node().Begin;
    const std::int32_t end = node().End;
    node().Left = left;
    nodes_.push_back(TNode{{}, begin, split, -1});
    nodes_.push_back(TNode{{}, split, end, -1});
    Build(left, depth + 1);
    Build(left + 1, depth + 1);
}

} // namespace kolvo
