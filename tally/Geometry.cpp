#include "Geometry.h"

#include <cmath>
#include <numbers>

namespace kolvo {

double PointDistance(double x1, double y1, double x2, double y2) {
    return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

bool LineEquation(double x1, double y1, double x2, double y2, TLineEquation& eq) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (std::fabs(length) <= GeometryEpsilon) {
        return false;
    }
    const double i = 1.0 / length;
    eq.A = -dy * i;
    eq.B = dx * i;
    eq.C = x1 * i * y2 - x2 * i * y1;
    return true;
}

double SignedDistance(const TLineEquation& eq, double x, double y) {
    const double e = eq.A * eq.A + eq.B * eq.B;
    if (std::fabs(e) <= GeometryEpsilon) {
        return 0.0;
    }
    const double d = eq.A * x + eq.B * y + eq.C;
    const double distance = std::sqrt(d * d / e);
    return d < 0 ? -distance : distance;
}

double Circumference(double radius) {
    return radius * 2 * std::numbers::pi;
}

} // namespace kolvo
