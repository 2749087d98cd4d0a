// Strict conversion of DXF group codes and numeric values.
//
// A DXF file written by the CAD host right-aligns its numbers, so leading blanks are part of the
// format; anything else around a number means the file is damaged and must not be read as if it
// were whole. The throwing forms raise EConvertError with the offending line quoted in the
// message the user sees.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kolvo {

// Group codes as the host writes them, the commonest integers by far: at most three characters,
// blanks then digits. Returns false for anything else, which TryParseDxfInteger then decides; it
// is inline because a drawing has one group code every other line.
inline bool TryParseGroupCode(std::string_view line, std::int32_t& value) {
    if (line.size() == 3) {
        // "  0", " 10", "100": decided without a branch per character.
        const unsigned d0 = static_cast<unsigned char>(line[0]) - unsigned{'0'};
        const unsigned d1 = static_cast<unsigned char>(line[1]) - unsigned{'0'};
        const unsigned d2 = static_cast<unsigned char>(line[2]) - unsigned{'0'};
        const bool digit0 = d0 <= 9;
        const bool digit1 = d1 <= 9;
        const bool blank0 = line[0] == ' ';
        const bool blank1 = line[1] == ' ';
        if (!((d2 <= 9) & (digit1 | (blank1 & blank0)) & (digit0 | blank0))) {
            return false;
        }
        value = static_cast<std::int32_t>((digit0 ? d0 * 100 : 0) + (digit1 ? d1 * 10 : 0) + d2);
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

// Group codes and integer values: optional leading blanks, an optional sign, at least one
// digit, and nothing after the digits. Values outside the 32-bit range are refused.
bool TryParseDxfInteger(std::string_view line, std::int32_t& value);

// Real values: optional leading blanks, an optional sign, digits with an optional period and
// fraction (at least one digit in all), an optional exponent (E or e, an optional sign, digits),
// optional trailing blanks. The result is the correctly rounded double; a value too large for a
// double is refused, one too small to be held becomes zero.
bool TryParseDxfReal(std::string_view line, double& value);

// "'<line>' は整数ではありません"
std::string NotAnIntegerMessage(std::string_view line);
// "'<line>' は浮動小数点数ではありません"
std::string NotARealMessage(std::string_view line);

// The throwing forms: EConvertError with the messages above.
std::int32_t DxfStrToInt(std::string_view line);
double DxfStrToFloat(std::string_view line);

} // namespace kolvo
