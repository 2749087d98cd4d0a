#include "Colors.h"

#include <cmath>

namespace kolvo {

int RoundHalfEven(double value) {
    // Worked out by hand rather than through the C library's rounding: its mode is global state,
    // and the Windows runtime has rounded near-halves wrongly before.
    const double below = std::floor(value);
    const double rest = value - below;
    const int lower = int(below);
    if (rest < 0.5) {
        return lower;
    }
    if (rest > 0.5) {
        return lower + 1;
    }
    return lower % 2 == 0 ? lower : lower + 1;
}

} // namespace kolvo
