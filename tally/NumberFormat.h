// How the reports write numbers and fields.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kolvo {

// `value` rounded to a whole number, halves away from zero, without a decimal point. A
// negative value that rounds to zero keeps its sign ("-0"). Infinities and NaN, which only a
// broken drawing can produce, are written "INF", "-INF" and "NAN".
std::string FormatWhole(double value);

// `text` with as many leading blanks as `width` exceeds its length in bytes; a longer text is
// returned whole.
std::string PadLeft(std::string_view text, std::size_t width);

} // namespace kolvo
