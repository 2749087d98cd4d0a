// Colours of the display components: 32-bit values laid out as 0x00BBGGRR, where a top byte of
// 0xFF refers to a system colour by its index. Byte arithmetic on colours wraps modulo 256.
#pragma once

#include <cstdint>

namespace kolvo {

using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
// References to system colours (index in the low byte).
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clBtnHighlight = 0xFF000014;

constexpr bool IsSystemColor(TColor color) {
    return (color >> 24) == 0xFF;
}
constexpr int SystemColorIndex(TColor color) {
    return int(color & 0xFF);
}

// A byte value brought back into 0..255 as unsigned byte arithmetic would leave it.
constexpr int WrapByte(int value) {
    return ((value % 256) + 256) % 256;
}

struct ColorBytes {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const ColorBytes&, const ColorBytes&) = default;
};

// The bytes as stored; a system-colour reference must be resolved before it is split.
constexpr ColorBytes SplitColor(TColor color) {
    return {int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF)};
}
constexpr TColor JoinColor(ColorBytes bytes) {
    return TColor(WrapByte(bytes.red)) | TColor(WrapByte(bytes.green)) << 8 |
           TColor(WrapByte(bytes.blue)) << 16;
}

// A control's background colour: its parent's while it follows the parent, its own from the
// moment one is set. Each change says whether the colour moved, for the control to repaint.
class ControlColor {
public:
    constexpr ControlColor(TColor color, bool followsParent)
        : color_(color), followsParent_(followsParent) {}

    constexpr TColor Value() const { return color_; }
    constexpr bool FollowsParent() const { return followsParent_; }
    constexpr void SetFollowsParent(bool follows) { followsParent_ = follows; }

    // A colour of its own: the parent's is followed no longer.
    constexpr bool Set(TColor color) {
        followsParent_ = false;
        return Take(color);
    }
    // The parent's colour, taken while it is followed.
    constexpr bool ParentChanged(TColor parentColor) { return followsParent_ && Take(parentColor); }

private:
    constexpr bool Take(TColor color) {
        const bool moved = color != color_;
        color_ = color;
        return moved;
    }
    TColor color_;
    bool followsParent_;
};

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
int RoundHalfEven(double value);

} // namespace kolvo
