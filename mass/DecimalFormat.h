// Decimal numbers for the mass table.
#pragma once

#include <string>

namespace kolvo {

// `Value` / 10^`Shift`, rounded to `Decimals` decimals with halves away from zero and written
// with exactly that many ("1.250"). The rounding is decided on the exact value of the double, not
// on a product or quotient that would round first: a quantity held in small units (mm, mg) is
// shifted into large ones (m, kg) digit by digit. A result that rounds to zero carries no sign;
// infinities and NaN, which only a broken drawing can produce, are written "INF", "-INF", "NAN".
std::string FormatScaled(double Value, int Shift, int Decimals);

} // namespace kolvo
