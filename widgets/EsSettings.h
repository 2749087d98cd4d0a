// The ten values of the three-dimensional text effects, with change notification: colours fire
// the colour notification, depths, directions and styles the style notification.
#pragma once

#include "Colors.h"

#include <cstdint>
#include <functional>

namespace kolvo {

enum class TEsShadeDirection : std::uint8_t {
    sdNone,
    sdUp,
    sdUpRight,
    sdRight,
    sdDownRight,
    sdDown,
    sdDownLeft,
    sdLeft,
    sdUpLeft
};
enum class TEsShadeStyle : std::uint8_t { ssPlain, ssExtrude, ssGraduated };
enum class TEsGraduateStyle : std::uint8_t { gsNone, gsHorizontal, gsVertical };
enum class TEsAppearance : std::uint8_t {
    apNone,
    apCustom,
    apFlying,
    apRaised,
    apSunken,
    apShadow
};
enum class TEsColorScheme : std::uint8_t {
    csCustom,
    csText,
    csWindows,
    csEmbossed,
    csGold,
    csSteel
};
using TEsDepth = std::uint8_t;

// One pixel step in a shade direction: x to the right, y downwards.
struct ShadeStep {
    int dx = 0;
    int dy = 0;
};
ShadeStep ShadeOffset(TEsShadeDirection direction);

class TEsCustomSettings {
public:
    using Notification = std::function<void(TEsCustomSettings&)>;

    TColor GraduateFromColor() const { return graduateFromColor_; }
    TEsGraduateStyle GraduateStyle() const { return graduateStyle_; }
    TColor HighlightColor() const { return highlightColor_; }
    TEsDepth HighlightDepth() const { return highlightDepth_; }
    TEsShadeDirection HighlightDirection() const { return highlightDirection_; }
    TEsShadeStyle HighlightStyle() const { return highlightStyle_; }
    TColor ShadowColor() const { return shadowColor_; }
    TEsDepth ShadowDepth() const { return shadowDepth_; }
    TEsShadeDirection ShadowDirection() const { return shadowDirection_; }
    TEsShadeStyle ShadowStyle() const { return shadowStyle_; }

    void SetGraduateFromColor(TColor value);
    void SetGraduateStyle(TEsGraduateStyle value);
    void SetHighlightColor(TColor value);
    void SetHighlightDepth(TEsDepth value);
    void SetHighlightDirection(TEsShadeDirection value);
    void SetHighlightStyle(TEsShadeStyle value);
    void SetShadowColor(TColor value);
    void SetShadowDepth(TEsDepth value);
    void SetShadowDirection(TEsShadeDirection value);
    void SetShadowStyle(TEsShadeStyle value);

    // Changes between the two fire nothing; EndUpdate then fires colour and style, in that
    // order, whether anything changed or not.
    void BeginUpdate() { updating_ = true; }
    void EndUpdate();
    // Copies the ten values without notification.
    void Assign(const TEsCustomSettings& source);

    Notification OnColorChange;
    Notification OnStyleChange;

private:
    template <typename T> void Change(T& field, T value, const Notification& notification);

    TColor graduateFromColor_ = clGray;
    TEsGraduateStyle graduateStyle_ = TEsGraduateStyle::gsNone;
    TColor highlightColor_ = clWhite;
    TEsDepth highlightDepth_ = 1;
    TEsShadeDirection highlightDirection_ = TEsShadeDirection::sdUpLeft;
    TEsShadeStyle highlightStyle_ = TEsShadeStyle::ssPlain;
    TColor shadowColor_ = clBlack;
    TEsDepth shadowDepth_ = 1;
    TEsShadeDirection shadowDirection_ = TEsShadeDirection::sdDownRight;
    TEsShadeStyle shadowStyle_ = TEsShadeStyle::ssPlain;
    bool updating_ = false;
};

} // namespace kolvo
