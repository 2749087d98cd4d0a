// What a control asks of a font: the canvas makes the system font from it when text is drawn.
#pragma once

#include "Colors.h"

#include <string>

namespace kolvo {

// Character sets as the system numbers them.
constexpr int DefaultCharset = 1;
constexpr int ShiftJisCharset = 128;

struct FontDesc {
    std::string name = "Times New Roman"; // CP932 bytes
    // Negative: character height in pixels (without internal leading); positive: cell height.
    int height = -27;
    int charset = DefaultCharset;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    // Off: no edge smoothing, every pixel of a glyph is the text colour (exact pixel checks).
    bool antialiased = true;
    TColor color = clWindowText; // the text colour; not part of the system font

    friend bool operator==(const FontDesc&, const FontDesc&) = default;
    // Only the colour differs: the same system font serves both.
    bool SameFace(const FontDesc& other) const;
};

// Height for a size in points on a screen of `dpi` dots per inch (20 points at 96 -> -27).
int FontHeightFromPoints(int points, int dpi = 96);

} // namespace kolvo
