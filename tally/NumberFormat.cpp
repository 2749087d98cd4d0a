#include "NumberFormat.h"

#include <cmath>
#include <cstdio>

namespace kolvo {

namespace {
// Rounds halves away from zero. The C library's round() is not used: some runtimes compute it
// as floor(x + 0.5), which turns 0.49999999999999994 into 1. Splitting off the fraction is
// exact for every double.
double RoundHalfAway(double value) {
    double whole = 0;
    const double fraction = std::modf(value, &whole);
    if (fraction >= 0.5) {
        whole += 1;
    } else if (fraction <= -0.5) {
        whole -= 1;
    }
    return whole;
}
} // namespace

std::string FormatWhole(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    const double whole = RoundHalfAway(value);
    if (whole == 0) {
        return value < 0 ? "-0" : "0";
    }
    // The largest double has 309 digits.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", whole);
    return buffer;
}

std::string PadLeft(std::string_view text, std::size_t width) {
    std::string result;
    if (text.size() < width) {
        result.assign(width - text.size(), ' ');
    }
    result.append(text);
    return result;
}

} // namespace kolvo
