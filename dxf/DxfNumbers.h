// Strict conversion of DXF group codes and numeric values.
//
// A DXF file written by the CAD host right-aligns its numbers, so leading blanks are part of the
// format; anything else around a number means the file is damaged and must not be read as if it
// were whole. The throwing forms raise EConvertError with the offending line quoted in the
// message the user sees.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kolvo {

// Group codes as the host writes them, the commonest integers by far: at most three characters,
// blanks then digits. Returns false for anything else, which TryParseDxfInteger then decides; it
// is inline because a drawing has one group code every other line.
inline bool TryParseGroupCode(std::string_view line, std::int32_t& value) {
    if (line.size() == 3) {
        // "  0", " 10", "100": a record's codes come in the same few shapes again and again.
        const unsigned d0 = static_cast<unsigned char>(line[0]) - unsigned{'0'};
        const unsigned d1 = static_cast<unsigned char>(line[1]) - unsigned{'0'};
        const unsigned d2 = static_cast<unsigned char>(line[2]) - unsigned{'0'};
        if (d2 > 9) {
            return false;
        }
        if (line[1] == ' ') {
            if (line[0] != ' ') {
                return false;
            }
            value = static_cast<std::int32_t>(d2);
            return true;
        }
        if (d1 > 9 || (line[0] != ' ' && d0 > 9)) {
            return false;
        }
        value = static_cast<std::int32_t>((line[0] == ' ' ? 0 : d0 * 100) + d1 * 10 + d2);
        return true;
    }
    if (line.empty() || line.size() > 3) {
        return false;
    }
    std::int32_t code = 0;
    bool seenDigit = false;
    for (const char c : line) {
        const unsigned d = static_cast<unsigned char>(c) - unsigned{'0'};
        if (d <= 9) {
            code = code * 10 + static_cast<std::int32_t>(d);
            seenDigit = true;
        } else if (c != ' ' || seenDigit) {
            return false;
        }
    }
    value = code;
    return seenDigit;
}

// Powers of ten a double holds exactly.
inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The reader's quick way to the commonest reals, plain decimals ("4100.0", "-12.5",
// "1071.213203435596"): blanks, a sign, digits and a fraction, nothing else. Their digits, with
// the fraction's trailing zeros dropped, make a whole number; when it is at most 2^53 a double
// holds it exactly, as it does every power of ten up to 1e22, so one division gives the correctly
// rounded result, and a value without a fraction needs none. The line must stand before its line
// break (the byte after it is CR or LF), as the reader's value lines do: the break stops every
// run, so no character is compared with the line's end. Returns false for anything else, which
// DxfStrToFloat then decides.
inline bool TryParseRealBeforeBreak(std::string_view line, double& value) {
    const char* at = line.data();
    while (*at == ' ') {
        ++at;
    }
    const bool negative = *at == '-';
    at += negative ? 1 : 0;
    const char* const numberStart = at;
    std::uint64_t digits = 0;
    for (unsigned d = 0; (d = static_cast<unsigned char>(*at) - unsigned{'0'}) <= 9; ++at) {
        digits = digits * 10 + d;
    }
    std::ptrdiff_t count = at - numberStart;
    // The digits up to the fraction's last non-zero one, and how many of them are fraction.
    std::uint64_t kept = digits;
    std::ptrdiff_t keptFraction = 0;
    if (*at == '.') {
        const char* const fractionStart = ++at;
        for (unsigned d = 0; (d = static_cast<unsigned char>(*at) - unsigned{'0'}) <= 9; ++at) {
            digits = digits * 10 + d;
            if (d != 0) {
                kept = digits;
                keptFraction = at + 1 - fractionStart;
            }
        }
        count += at - fractionStart;
    }
    // Up to 19 digits `digits` cannot have wrapped.
    if (at != line.data() + line.size() || count == 0 || count > 19 ||
        kept > (std::uint64_t{1} << 53) || keptFraction > 22) {
        return false;
    }
    const double magnitude = keptFraction == 0
                                 ? static_cast<double>(kept)
                                 : static_cast<double>(kept) / kExactPowersOfTen[keptFraction];
    value = negative ? -magnitude : magnitude;
    return true;
}

// Group codes and integer values: optional leading blanks, an optional sign, at least one
// digit, and nothing after the digits. Values outside the 32-bit range are refused.
bool TryParseDxfInteger(std::string_view line, std::int32_t& value);

// Real values: optional leading blanks, an optional sign, digits with an optional period and
// fraction (at least one digit in all), an optional exponent (E or e, an optional sign, digits),
// optional trailing blanks. The result is the correctly rounded double; a value too large for a
// double is refused, one too small to be held becomes zero.
bool TryParseDxfReal(std::string_view line, double& value);

// The most of an offending line a message quotes; a longer one is cut at a character boundary
// and marked with "…".
inline constexpr std::size_t MaxQuotedBytes = 80;
std::string QuotedLine(std::string_view line);

// "'<line>' は整数ではありません"
std::string NotAnIntegerMessage(std::string_view line);
// "'<line>' は浮動小数点数ではありません"
std::string NotARealMessage(std::string_view line);

// The throwing forms: EConvertError with the messages above.
std::int32_t DxfStrToInt(std::string_view line);
double DxfStrToFloat(std::string_view line);

} // namespace kolvo
