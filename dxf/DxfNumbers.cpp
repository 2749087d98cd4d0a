#include "DxfNumbers.h"

#include <charconv>
#include <cstdint>
#include <system_error>

#include "Errors.h"

namespace kolvo {

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    return pos;
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    return pos;
}

// Decimal exponent of the leading significant digit of a mantissa that from_chars found out of
// range: negative means the value was too small, not too large.
long long LeadingDigitExponent(std::string_view intDigits, std::string_view fracDigits,
                               long long exponent) {
    const std::size_t firstInt = intDigits.find_first_not_of('0');
    if (firstInt != std::string_view::npos) {
        return exponent + static_cast<long long>(intDigits.size() - firstInt) - 1;
    }
    const std::size_t firstFrac = fracDigits.find_first_not_of('0');
    if (firstFrac == std::string_view::npos) {
        return -1; // a zero mantissa is zero whatever its exponent
    }
    return exponent - static_cast<long long>(firstFrac) - 1;
}
// Most values are plain decimals ("4100.0", "-12.5", "1071.213203435596"): blanks, a sign,
// digits and a fraction, nothing else. Their digits, with the fraction's trailing zeros dropped,
// make a whole number; when it is at most 2^53 a double holds it exactly, as it does every power
// of ten up to 1e22, so one division gives the correctly rounded result, and a value without a
// fraction needs none. Other plain decimals of up to 19 digits go to from_chars as they stand.
// Returns false for anything else, which the full conversion then decides.
bool TryParsePlainReal(std::string_view line, double& value) {
    const char* at = line.data();
    const char* const end = at + line.size();
    while (at != end && *at == ' ') {
        ++at;
    }
    const bool negative = at != end && *at == '-';
    at += negative ? 1 : 0;
    const char* const numberStart = at;
    std::uint64_t digits = 0;
    unsigned d = 0;
    for (; at != end && (d = static_cast<unsigned char>(*at) - unsigned{'0'}) <= 9; ++at) {
        digits = digits * 10 + d;
    }
    std::ptrdiff_t count = at - numberStart;
    // The digits up to the fraction's last non-zero one, and how many of them are fraction.
    std::uint64_t kept = digits;
    std::ptrdiff_t keptFraction = 0;
    if (at != end && *at == '.') {
        const char* const fractionStart = ++at;
        for (; at != end && (d = static_cast<unsigned char>(*at) - unsigned{'0'}) <= 9; ++at) {
            digits = digits * 10 + d;
            if (d != 0) {
                kept = digits;
                keptFraction = at + 1 - fractionStart;
            }
        }
        count += at - fractionStart;
    }
    // Up to 19 digits `digits` cannot have wrapped.
    if (at != end || count == 0 || count > 19) {
        return false;
    }
    double magnitude = 0;
    if (kept <= (std::uint64_t{1} << 53) && keptFraction <= 22) {
        magnitude = keptFraction == 0 ? static_cast<double>(kept)
                                      : static_cast<double>(kept) / kExactPowersOfTen[keptFraction];
    } else {
        // Nineteen digits cannot be out of a double's range.
        const auto result = std::from_chars(numberStart, end, magnitude, std::chars_format::fixed);
        if (result.ec != std::errc{} || result.ptr != end) {
            return false;
        }
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

} // namespace

bool TryParseDxfInteger(std::string_view line, std::int32_t& value) {
    std::size_t pos = SkipBlanks(line, 0);
    bool negative = false;
    if (pos < line.size() && (line[pos] == '+' || line[pos] == '-')) {
        negative = line[pos] == '-';
        ++pos;
    }
    const std::size_t digitsStart = pos;
    // Accumulates in 64 bits and stops growing once past the 32-bit range, so any number of
    // digits (leading zeros included) is safe.
    constexpr std::int64_t kLimit = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (; pos < line.size() && IsDigit(line[pos]); ++pos) {
        if (magnitude <= kLimit) {
            magnitude = magnitude * 10 + (line[pos] - '0');
        }
    }
    if (pos == digitsStart || pos != line.size()) {
        return false;
    }
    if (magnitude > (negative ? kLimit : kLimit - 1)) {
        return false;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

bool TryParseDxfReal(std::string_view line, double& value) {
    if (TryParsePlainReal(line, value)) {
        return true;
    }
    std::size_t pos = SkipBlanks(line, 0);
    bool negative = false;
    if (pos < line.size() && (line[pos] == '+' || line[pos] == '-')) {
        negative = line[pos] == '-';
        ++pos;
    }
    const std::size_t numberStart = pos;
    const std::size_t intEnd = SkipDigits(line, pos);
    std::string_view intDigits = line.substr(pos, intEnd - pos);
    std::string_view fracDigits;
    pos = intEnd;
    if (pos < line.size() && line[pos] == '.') {
        const std::size_t fracEnd = SkipDigits(line, pos + 1);
        fracDigits = line.substr(pos + 1, fracEnd - pos - 1);
        pos = fracEnd;
    }
    if (intDigits.empty() && fracDigits.empty()) {
        return false;
    }
    long long exponent = 0;
    if (pos < line.size() && (line[pos] == 'E' || line[pos] == 'e')) {
        ++pos;
        bool negativeExponent = false;
        if (pos < line.size() && (line[pos] == '+' || line[pos] == '-')) {
            negativeExponent = line[pos] == '-';
            ++pos;
        }
        const std::size_t expEnd = SkipDigits(line, pos);
        if (expEnd == pos) {
            return false;
        }
        for (std::size_t i = pos; i < expEnd && exponent < 100000; ++i) {
            exponent = exponent * 10 + (line[i] - '0');
        }
        exponent = negativeExponent ? -exponent : exponent;
        pos = expEnd;
    }
    const std::size_t numberEnd = pos;
    if (SkipBlanks(line, pos) != line.size()) {
        return false;
    }
    double magnitude = 0;
    const char* first = line.data() + numberStart;
    const char* last = line.data() + numberEnd;
    const auto result = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        if (LeadingDigitExponent(intDigits, fracDigits, exponent) >= 0) {
            return false;
        }
        magnitude = 0;
    } else if (result.ec != std::errc{} || result.ptr != last) {
        return false;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

std::string NotAnIntegerMessage(std::string_view line) {
    std::string message = "'";
    message.append(line);
    message.append("' は整数ではありません");
    return message;
}

std::string NotARealMessage(std::string_view line) {
    std::string message = "'";
    message.append(line);
    message.append("' は浮動小数点数ではありません");
    return message;
}

std::int32_t DxfStrToInt(std::string_view line) {
    std::int32_t value = 0;
    if (!TryParseGroupCode(line, value) && !TryParseDxfInteger(line, value)) {
        throw EConvertError(NotAnIntegerMessage(line));
    }
    return value;
}

double DxfStrToFloat(std::string_view line) {
    double value = 0;
    if (!TryParsePlainReal(line, value) && !TryParseDxfReal(line, value)) {
        throw EConvertError(NotARealMessage(line));
    }
    return value;
}

} // namespace kolvo
