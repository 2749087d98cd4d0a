// Where and in which colours the effect painter draws its text copies, and the bands of the
// colour gradient inside the letters. Plain arithmetic: the painter only follows the plan.
#pragma once

#include "Colors.h"
#include "EsSettings.h"
#include "Geometry.h"

#include <vector>

namespace kolvo {

// Horizontal alignment bits of the system text-drawing flags.
enum class TextAlign { Left = 0, Center = 1, Right = 2 };
TextAlign AlignmentOfFlags(unsigned flags);

// The effect colours as the painter splits them: system-colour references already resolved.
struct EffectColors {
    TColor graduateFrom = clGray;
    TColor highlight = clWhite;
    TColor shadow = clBlack;
    TColor font = clGray;
};

// One copy of the text, drawn into the drawing rectangle moved by (dx, dy).
struct TextCopy {
    int dx = 0;
    int dy = 0;
    TColor color = 0;
    friend bool operator==(const TextCopy&, const TextCopy&) = default;
};

struct GradientBand {
    Rect rect;
    TColor color = 0;
    friend bool operator==(const GradientBand&, const GradientBand&) = default;
};

struct EffectPlan {
    int minOff = 0;
    int maxOff = 0;
    int adj = 0; // alignment shift
    // Shadow copies (farthest first), then highlight copies: later ones cover earlier ones.
    std::vector<TextCopy> copies;
    int faceDx = 0;
    int faceDy = 0;
    // Empty unless the style graduates the face.
    std::vector<GradientBand> bands;
};

// `width` x `height` is the drawing rectangle, `textWidth` the caption's width in the font.
EffectPlan PlanEffectText(const TEsCustomSettings& settings, const EffectColors& colors,
                          unsigned flags, int width, int height, int textWidth);

} // namespace kolvo
