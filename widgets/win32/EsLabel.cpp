#include "EsLabel.h"

#include "OffscreenImage.h"

#include <algorithm>

namespace kolvo {

UINT AlignmentFlags(TAlignment alignment) {
    switch (alignment) {
    case TAlignment::taRightJustify:
        return DT_RIGHT;
    case TAlignment::taCenter:
        return DT_CENTER;
    case TAlignment::taLeftJustify:
        break;
    }
    return DT_LEFT;
}

TEsCustomLabel::TEsCustomLabel() {
    SetBounds(0, 0, 150, 35);
    FontDesc font;
    font.name = "Times New Roman";
    font.height = FontHeightFromPoints(20);
    font.color = SchemeRow(TEsColorScheme::csWindows).face;
    SetFont(font);
}

void TEsCustomLabel::SetAlignment(TAlignment alignment) {
    if (alignment != alignment_) {
        alignment_ = alignment;
        Invalidate();
    }
}

void TEsCustomLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap != wordWrap_) {
        wordWrap_ = wordWrap;
        Invalidate();
    }
}

void TEsCustomLabel::SetShowAccelChar(bool show) {
    if (show != showAccelChar_) {
        showAccelChar_ = show;
        Invalidate();
    }
}

void TEsCustomLabel::SetTransparent(bool transparent) {
    if (transparent != transparent_) {
        transparent_ = transparent;
        Invalidate();
    }
}

void TEsCustomLabel::SetPresetFontColor(TColor color) {
    FontDesc font = Font();
    font.color = color;
    SetFont(font);
}

EffectColors TEsCustomLabel::ResolvedEffectColors() const {
    const TEsCustomSettings& settings = CustomSettings();
    return {ResolveColor(settings.GraduateFromColor()), ResolveColor(settings.HighlightColor()),
            ResolveColor(settings.ShadowColor()), ResolveColor(Font().color)};
}

namespace {

// Writes the band colour into `work` wherever `mask` holds the key colour inside `band`.
void FillKeyedBand(OffscreenImage& work, OffscreenImage& mask, const Rect& band, TColor colour) {
    const int left = std::max(band.left, 0);
    const int top = std::max(band.top, 0);
    const int right = std::min(band.right, work.Width());
    const int bottom = std::min(band.bottom, work.Height());
    GdiFlush();
    const ColorBytes key = SplitColor(GradientKeyColor);
    const std::uint32_t keyPixel =
        std::uint32_t(key.red) << 16 | std::uint32_t(key.green) << 8 | std::uint32_t(key.blue);
    const ColorBytes bytes = SplitColor(colour);
    const std::uint32_t pixel = std::uint32_t(bytes.red) << 16 | std::uint32_t(bytes.green) << 8 |
                                std::uint32_t(bytes.blue);
    const size_t stride = size_t(work.Width());
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t* from = mask.Bits() + size_t(y) * stride;
        std::uint32_t* to = work.Bits() + size_t(y) * stride;
        for (int x = left; x < right; ++x) {
            if ((from[x] & 0xFFFFFF) == keyPixel) {
                to[x] = pixel;
            }
        }
    }
}

} // namespace

void TEsCustomLabel::DrawEffectText(const RECT& rect, UINT flags) {
    Canvas& target = GetCanvas();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (!target.Bound() || width <= 0 || height <= 0) {
        return;
    }
    const std::string text = Caption();
    const EffectColors colors = ResolvedEffectColors();
    const bool graduated = CustomSettings().GraduateStyle() != TEsGraduateStyle::gsNone;

    // Both images are released on every way out of the painter.
    OffscreenImage work(width, height);
    OffscreenImage mask;
    if (work.Empty() || (graduated && !mask.SetSize(width, height))) {
        return;
    }
    Canvas& canvas = work.GetCanvas();
    FontDesc font = Font();
    canvas.SetFont(font);
    canvas.CopyRect({0, 0, width, height}, target.Handle(), rect);
    if (!Transparent()) {
        canvas.FillRect({0, 0, width, height}, Color());
    }
    canvas.SetBrushClear();

    const EffectPlan plan = PlanEffectText(CustomSettings(), colors, flags, width, height,
                                           graduated ? canvas.TextWidth(text) : 0);
    const auto drawAt = [&text, flags, width, height](Canvas& on, int dx, int dy, TColor colour,
                                                      FontDesc& desc) {
        desc.color = colour;
        on.SetFont(desc);
        RECT moved{dx, dy, width + dx, height + dy};
        on.DrawTextRect(text, moved, flags);
    };
    for (const TextCopy& copy : plan.copies) {
        drawAt(canvas, copy.dx, copy.dy, copy.color, font);
    }
    if (!graduated) {
        drawAt(canvas, plan.faceDx, plan.faceDy, colors.font, font);
    } else {
        Canvas& maskCanvas = mask.GetCanvas();
        maskCanvas.CopyRect({0, 0, width, height}, work.Dc(), {0, 0, width, height});
        maskCanvas.SetBrushClear();
        drawAt(maskCanvas, plan.faceDx, plan.faceDy, GradientKeyColor, font);
        for (const GradientBand& band : plan.bands) {
            FillKeyedBand(work, mask, band.rect, band.color);
        }
    }
    target.CopyRect(rect, work.Dc(), {0, 0, width, height});
}

void TEsCustomLabel::RenderEffectText(HDC surface, const RECT& rect, UINT flags) {
    const CanvasBinding binding(GetCanvas(), surface);
    Canvas& canvas = GetCanvas();
    canvas.SetFont(Font());
    if (!Transparent()) {
        canvas.SetBrushColor(Color());
        canvas.FillRect({0, 0, rect.right, rect.bottom});
    }
    canvas.SetBrushClear();
    DrawEffectText(rect, flags);
}

void TEsCustomLabel::Paint(Canvas&) {
    UINT flags = DT_EXPANDTABS | AlignmentFlags(Alignment());
    if (WordWrap()) {
        flags |= DT_WORDBREAK;
    }
    if (!ShowAccelChar()) {
        flags |= DT_NOPREFIX;
    }
    DrawEffectText(ClientRect(), flags);
}

} // namespace kolvo
