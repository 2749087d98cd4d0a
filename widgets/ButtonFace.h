// The arithmetic of the gradient button's face: gradient rows, caption tops and anchors, the even
// spreading of a caption, the grey of a disabled picture, and which frame and focus mark a style
// draws. Plain code, so that every rule can be checked without a window.
#pragma once

#include "Colors.h"
#include "Geometry.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace kolvo {

enum class TplButtonStyle : std::uint8_t {
    bsNormal,
    bsFlat,
    bsFlatNoFrame,
    bsRoundRect,
    bsRoundRectNoFrame
};
enum class TplBtnFrameType : std::uint8_t { bffFlat, bffEtched, bffBump };
enum class TplBtnAlignment : std::uint8_t { taCenter, taLeft, taRight, taEven };

// Diameter of the corner ellipse of the rounded styles and their window shape.
constexpr int RoundCornerDiameter = 7;

// Row `y` of a gradient `height` rows high between two resolved colours: each byte is
// begin + (y * (end - begin)) div (height - 1), truncated toward zero and wrapped to a byte.
// A gradient one row high is the begin colour.
TColor GradientRowColor(TColor begin, TColor end, int y, int height);

// What the caption tops are computed from.
struct CaptionTopInput {
    int height = 0;         // the button's
    int heightA = 0;        // text height of the first line's caption
    int heightB = 0;        // text height of the second line's caption
    bool hasA = false;      // the first line has a caption
    bool hasB = false;      // the second line has a caption
    int lineSpace = 4;      // CaptionLineSpace
    int captionTop = 0;     // CaptionTop
    bool vertCenter = true; // CaptionVertCenter
};
struct CaptionTops {
    int topA = 0;
    int topB = 0;
    int captionTop = 0; // CaptionTop after painting: centring rewrites it
    friend bool operator==(const CaptionTops&, const CaptionTops&) = default;
};
CaptionTops LayoutCaptionTops(const CaptionTopInput& in);

// Caption and picture move one pixel right and down while the button is held, when it takes part
// in focus handling.
constexpr int PressedOffset(bool hasFocus, bool pressed) {
    return hasFocus && pressed ? 1 : 0;
}

// Where a caption line of `characters` characters is anchored, and how its x is read: the text's
// centre for taCenter, its left edge for taLeft and taEven, its right edge for taRight. A single
// character is never spread.
struct CaptionAnchor {
    int x = 0;
    TplBtnAlignment alignment = TplBtnAlignment::taCenter;
    int available = 0; // taEven: the width the characters are spread over
    friend bool operator==(const CaptionAnchor&, const CaptionAnchor&) = default;
};
CaptionAnchor AnchorCaption(TplBtnAlignment alignment, int characters, int width, int left,
                            int right);

// taEven: the spare width (available - textWidth) shared out between the characters. Every gap
// is `gap` pixels wide beyond the characters, and the first |rem| gaps one pixel wider (rem > 0)
// or narrower (rem < 0). Needs at least two characters.
struct EvenSpacing {
    int gap = 0;
    int rem = 0;
    friend bool operator==(const EvenSpacing&, const EvenSpacing&) = default;
};
EvenSpacing SpreadEvenly(int available, int textWidth, int characters);
// Left edge of each character, starting at `x`, for the characters' own widths.
std::vector<int> EvenCharacterLefts(int x, const std::vector<int>& widths, EvenSpacing spacing);

// The characters of CP932 text, a double-byte character counting as one.
std::vector<std::string_view> SplitCharacters(std::string_view text);

// The grey a pixel of a disabled picture becomes (120 for black, 247 for white).
constexpr int GreyValue(int red, int green, int blue) {
    return (red + green + blue) / 3 / 2 + 120;
}
TColor GreyColor(TColor color);

// A disabled button draws embossed captions and a grey picture only when it takes part in focus
// handling or is told to with DisableImage.
constexpr bool DrawsDisabled(bool enabled, bool hasFocus, bool disableImage) {
    return !enabled && (hasFocus || disableImage);
}

// The offset that centres `inner` pixels in `outer`, truncated toward zero.
constexpr int CentredOffset(int outer, int inner) {
    return (outer - inner) / 2;
}

constexpr bool IsRoundStyle(TplButtonStyle style) {
    return style == TplButtonStyle::bsRoundRect || style == TplButtonStyle::bsRoundRectNoFrame;
}

enum class ButtonFrame : std::uint8_t {
    Raised,     // raised edge, outer and inner
    Pressed,    // one pixel of button shadow, then one of 0x808080 inside
    FlatBorder, // bump edge in flat mode
    Etched,
    Bump,
    RoundRect, // 0x757575 rounded outline
    None
};
ButtonFrame FrameFor(TplButtonStyle style, TplBtnFrameType frameType, bool pressed);

// The focus rectangle of the square styles: the client rectangle shrunk by 2, then grown by 1 at
// the right and bottom for a bump frame, shrunk by 1 there for an etched one.
Rect FocusMarkRect(const Rect& client, TplButtonStyle style, TplBtnFrameType frameType);

} // namespace kolvo
