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
