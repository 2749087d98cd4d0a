#include "DecimalFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace kolvo {

namespace {
// A double has at most 1074 decimals, so this many give its exact value.
constexpr int kExactDecimals = 1074;
} // namespace

std::string FormatScaled(double Value, int Shift, int Decimals) {
    if (std::isnan(Value)) {
        return "NAN";
    }
    if (std::isinf(Value)) {
        return Value < 0 ? "-INF" : "INF";
    }
    // 309 integer digits, the point and every decimal.
    std::array<char, 1400> buffer;
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(Value),
                      std::chars_format::fixed, kExactDecimals);
    const std::string_view exact(buffer.data(), error == std::errc() ? end - buffer.data() : 0);
    const std::size_t point = exact.find('.');

    // The digits without the point; `units` of them stand before the shifted point.
    std::string digits(exact.substr(0, point));
    digits += exact.substr(point + 1);
    long units = static_cast<long>(point) - Shift;
    if (units < 1) {
        digits.insert(0, static_cast<std::size_t>(1 - units), '0');
        units = 1;
    }
    const std::size_t kept = static_cast<std::size_t>(units) + Decimals;
    const bool roundUp = kept < digits.size() && digits[kept] >= '5';
    digits.resize(kept, '0');
    if (roundUp) {
        std::size_t i = kept;
        while (i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (i == 0) {
            digits.insert(0, 1, '1');
            ++units;
        } else {
            ++digits[i - 1];
        }
    }
    const std::size_t leadingZeros = digits.find_first_not_of('0');
    const bool zero = leadingZeros == std::string::npos;
    std::size_t first = zero ? units - 1 : std::min<std::size_t>(leadingZeros, units - 1);

    std::string result = (Value < 0 && !zero) ? "-" : "";
    result.append(digits, first, units - first);
    if (Decimals > 0) {
        result += '.';
        result.append(digits, units, Decimals);
    }
    return result;
}

} // namespace kolvo
