#include "DxfNumbers.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <system_error>

#include "Errors.h"
#include "ShiftJis.h"

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
// Plain decimals: blanks, a sign, digits and a fraction, nothing else. Those the reader's quick
// way takes, it takes here too, from a copy standing before a line break; the others of up to 19
// digits (which cannot be out of a double's range) go to from_chars as they stand. Returns false
// for anything else, which the full conversion then decides.
bool TryParsePlainReal(std::string_view line, double& value) {
    line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
    // A sign, 19 digits and a point fit with room to spare: a longer line has more digits.
    char copy[24];
    if (line.size() >= sizeof copy) {
        return false;
    }
    std::memcpy(copy, line.data(), line.size());
    copy[line.size()] = '\n';
    if (TryParseRealBeforeBreak(std::string_view(copy, line.size()), value)) {
        return true;
    }
    const bool negative = !line.empty() && line.front() == '-';
    const std::string_view number = line.substr(negative ? 1 : 0);
    const std::size_t intEnd = SkipDigits(number, 0);
    std::size_t end = intEnd;
    if (end < number.size() && number[end] == '.') {
        end = SkipDigits(number, end + 1);
    }
    const std::size_t digits = end - (end > intEnd ? 1 : 0);
    if (end != number.size() || digits == 0 || digits > 19) {
        return false;
    }
    double magnitude = 0;
    const char* const last = number.data() + number.size();
    const auto result = std::from_chars(number.data(), last, magnitude, std::chars_format::fixed);
    if (result.ec != std::errc{} || result.ptr != last) {
        return false;
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

std::string QuotedLine(std::string_view line) {
    // A file without line breaks can make one line of a whole drawing: the message shows its
    // start, enough to find it, instead of megabytes of it.
    if (line.size() <= MaxQuotedBytes) {
        return std::string(line);
    }
    return SjisCut(line, MaxQuotedBytes) + "…";
}

std::string NotAnIntegerMessage(std::string_view line) {
    return "'" + QuotedLine(line) + "' は整数ではありません";
}

std::string NotARealMessage(std::string_view line) {
    return "'" + QuotedLine(line) + "' は浮動小数点数ではありません";
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
