// A two-dimensional tree of points for the tracer's searches: near a point, inside a circle, in
// a strip along a line. It only narrows down which points are looked at; the caller judges each
// point it is handed with its own arithmetic, so a search answers exactly what a scan of all the
// points would. Far-off points cost nothing extra: the tree splits by the points, not by space.
#pragma once

#include <cstdint>
#include <vector>

namespace kolvo {

struct TTreePoint {
    double X = 0, Y = 0;
    std::int32_t Id = 0; // what the point stands for, chosen by the caller
};

// The bounding box of the points below one node of the tree.
struct TTreeBox {
    double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;

    // The distance from (x, y) to the nearest point of the box, rounded down a little so that it
    // is never more than the computed distance to any point inside.
    double DistanceFrom(double x, double y) const;
    // The smallest and the largest value of a*x + b*y + c over the box, widened a little for
    // rounding.
    void LinearRange(double a, double b, double c, double& low, double& high) const;
};

class TPointTree {
public:
    TPointTree() = default;
    // Points that are not finite must be left out by the caller.
    explicit TPointTree(std::vector<TTreePoint> points);

    bool Empty() const { return nodes_.empty(); }

    // Hands every point to `visit` except those below a node whose box `skip` refuses. When
    // `nearerFirst`, nearer boxes to (x, y) come first, so a nearest-point search can tighten
    // what it skips as it goes.
    template <class Skip, class Visit>
    void Search(double x, double y, const Skip& skip, const Visit& visit,
                bool nearerFirst = true) const {
        if (nodes_.empty()) {
            return;
        }
        std::int32_t stack[128];
        int depth = 0;
        stack[depth++] = 0;
        while (depth > 0) {
            const TNode& node = nodes_[static_cast<std::size_t>(stack[--depth])];
            if (skip(node.Box)) {
                continue;
            }
            if (node.Left < 0) {
                for (std::int32_t i = node.Begin; i < node.End; ++i) {
                    visit(points_[static_cast<std::size_t>(i)]);
                }
                continue;
            }
            const TNode& left = nodes_[static_cast<std::size_t>(node.Left)];
            const TNode& right = nodes_[static_cast<std::size_t>(node.Left + 1)];
            const bool leftFirst =
                !nearerFirst || left.Box.DistanceFrom(x, y) <= right.Box.DistanceFrom(x, y);
            // The nearer child goes on the stack last, to be taken first.
            stack[depth++] = leftFirst ? node.Left + 1 : node.Left;
            stack[depth++] = leftFirst ? node.Left : node.Left + 1;
        }
    }

private:
    struct TNode {
        TTreeBox Box;
        std::int32_t Begin = 0, End = 0; // the node's points
        std::int32_t Left = -1;          // children at Left and Left + 1; -1 for a leaf
    };
    void Build(std::int32_t node, int depth);

    std::vector<TTreePoint> points_;
    std::vector<TNode> nodes_;
};

} // namespace kolvo
