#include "NumberFormat.h"

#include <cmath>
#include <cstdio>

namespace kolvo {

std::string FormatWhole(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    const double whole = std::round(value); // halves away from zero
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
