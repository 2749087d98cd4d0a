#include "RebarMarks.h"

#include <cmath>
#include <numbers>

namespace kolvo::dxfgen {

namespace {

// The point at `distance` from `origin` in the direction of `toward`, turned by `degrees`.
Point Turned(Point origin, Point toward, double distance, double degrees) {
    const double dx = toward.X - origin.X;
    const double dy = toward.Y - origin.Y;
    const double len = std::hypot(dx, dy);
    const double a = degrees * std::numbers::pi / 180.0;
    const double ux = dx / len, uy = dy / len;
    const double rx = ux * std::cos(a) - uy * std::sin(a);
    const double ry = ux * std::sin(a) + uy * std::cos(a);
    return Point{origin.X + rx * distance, origin.Y + ry * distance};
}

} // namespace

void Leader(DxfDocument& doc, const Pen& pen, const std::vector<Point>& points) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        doc.Line(pen, points[i - 1], points[i]);
    }
}

void ArrowTip(DxfDocument& doc, const Pen& pen, Point tip, Point from, double length,
              double halfAngleDegrees) {
    doc.Line(pen, tip, Turned(tip, from, length, halfAngleDegrees));
    doc.Line(pen, tip, Turned(tip, from, length, -halfAngleDegrees));
}

void VMark(DxfDocument& doc, const Pen& pen, Point at, Point towards, double arm, bool heavy) {
    const std::vector<Point> vertices{Turned(at, towards, arm, 45.0), at,
                                      Turned(at, towards, arm, -45.0)};
    if (heavy) {
        doc.Polyline(pen, vertices, 0);
    } else {
        doc.LwPolyline(pen, vertices);
    }
}

} // namespace kolvo::dxfgen
