// Plane geometry for bar tracing: x and y only, z is never used.
#pragma once

namespace kolvo {

// A length or squared length at or below this counts as zero.
constexpr double GeometryEpsilon = 1e-11;

// The infinite line A*x + B*y + C = 0; normalised (A^2 + B^2 = 1) as LineEquation builds it.
struct TLineEquation {
    double A = 0, B = 0, C = 0;
};

double PointDistance(double x1, double y1, double x2, double y2);

// The line through (x1, y1) and (x2, y2), directed from the first point to the second. False,
// with `eq` unchanged, when the points are no more than GeometryEpsilon apart.
bool LineEquation(double x1, double y1, double x2, double y2, TLineEquation& eq);

// Distance of (x, y) from the line: positive on the left of its direction, negative on the
// right; 0 for an all-zero equation.
double SignedDistance(const TLineEquation& eq, double x, double y);

double Circumference(double radius);

} // namespace kolvo
