#include "EffectLayout.h"

#include <algorithm>

namespace kolvo {

TextAlign AlignmentOfFlags(unsigned flags) {
    switch (flags & 3u) {
    case 1:
        return TextAlign::Center;
    case 2:
        return TextAlign::Right;
    default:
        return TextAlign::Left;
    }
}

namespace {

// The copies of one shade pass, from the full depth towards the face.
void AddShadePass(std::vector<TextCopy>& copies, TColor base, TColor face, int depth,
                  TEsShadeStyle style, ShadeStep unit, int minOff, int adj) {
    int last = depth;
    double step[3] = {0, 0, 0};
    const ColorBytes from = SplitColor(base);
    if (style != TEsShadeStyle::ssPlain && depth > 1) {
        last = 1;
        if (style == TEsShadeStyle::ssGraduated) {
            const ColorBytes to = SplitColor(face);
            step[0] = double(to.red - from.red) / (depth - 1);
            step[1] = double(to.green - from.green) / (depth - 1);
            step[2] = double(to.blue - from.blue) / (depth - 1);
        }
    }
    for (int i = depth; i >= last; --i) {
        const ColorBytes colour{from.red + RoundHalfEven((depth - i) * step[0]),
                                from.green + RoundHalfEven((depth - i) * step[1]),
                                from.blue + RoundHalfEven((depth - i) * step[2])};
        copies.push_back({unit.dx * i - minOff - adj, unit.dy * i - minOff, JoinColor(colour)});
    }
}

} // namespace

EffectPlan PlanEffectText(const TEsCustomSettings& settings, const EffectColors& colors,
                          unsigned flags, int width, int height, int textWidth) {
    EffectPlan plan;
    const ShadeStep highlight = ShadeOffset(settings.HighlightDirection());
    const ShadeStep shadow = ShadeOffset(settings.ShadowDirection());
    const int hd = settings.HighlightDepth();
    const int sd = settings.ShadowDepth();
    const int offsets[] = {0, highlight.dx * hd, shadow.dx * sd, highlight.dy * hd, shadow.dy * sd};
    plan.minOff = *std::min_element(std::begin(offsets), std::end(offsets));
    plan.maxOff = *std::max_element(std::begin(offsets), std::end(offsets));
    const TextAlign align = AlignmentOfFlags(flags);
    if (align == TextAlign::Center) {
        plan.adj = (plan.maxOff - plan.minOff) / 2;
    } else if (align == TextAlign::Right) {
        plan.adj = plan.maxOff - plan.minOff;
    }

    AddShadePass(plan.copies, colors.shadow, colors.font, sd, settings.ShadowStyle(), shadow,
                 plan.minOff, plan.adj);
    AddShadePass(plan.copies, colors.highlight, colors.font, hd, settings.HighlightStyle(),
                 highlight, plan.minOff, plan.adj);
    plan.faceDx = -plan.minOff - plan.adj;
    plan.faceDy = -plan.minOff;

    const TEsGraduateStyle graduate = settings.GraduateStyle();
    if (graduate == TEsGraduateStyle::gsNone) {
        return plan;
    }
    const int y0 = -plan.minOff;
    int x0 = -plan.minOff;
    if (align == TextAlign::Center) {
        x0 = (width - textWidth) / 2 - plan.minOff - plan.adj;
    } else if (align == TextAlign::Right) {
        x0 = width - plan.maxOff - textWidth;
    }
    const bool vertical = graduate == TEsGraduateStyle::gsVertical;
    const double band = (vertical ? height - 1 : textWidth - 1) / 15.0;
    const ColorBytes from = SplitColor(colors.graduateFrom);
    const ColorBytes to = SplitColor(colors.font);
    const double step[3] = {(to.red - from.red) / 15.0, (to.green - from.green) / 15.0,
                            (to.blue - from.blue) / 15.0};
    for (int i = 0; i < 16; ++i) {
        const TColor colour = JoinColor({from.red + RoundHalfEven(i * step[0]),
                                         from.green + RoundHalfEven(i * step[1]),
                                         from.blue + RoundHalfEven(i * step[2])});
        const int start = RoundHalfEven(i * band);
        const int end = RoundHalfEven((i + 1) * band);
        const Rect rect =
            vertical ? Rect{0, y0 + start, width, y0 + end} : Rect{x0 + start, 0, x0 + end, height};
        plan.bands.push_back({rect, colour});
    }
    return plan;
}

} // namespace kolvo
