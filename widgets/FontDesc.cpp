#include "FontDesc.h"

namespace kolvo {

bool FontDesc::SameFace(const FontDesc& other) const {
    FontDesc recoloured = other;
    recoloured.color = color;
    return recoloured == *this;
}

int FontHeightFromPoints(int points, int dpi) {
    // Rounded to nearest as the system's MulDiv does, halves away from zero.
    const long long scaled = 1LL * points * dpi;
    const long long magnitude = (scaled < 0 ? -scaled : scaled) * 2 + 72;
    const int pixels = int(magnitude / 144);
    return scaled < 0 ? pixels : -pixels;
}

} // namespace kolvo
