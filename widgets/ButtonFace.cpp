#include "ButtonFace.h"

namespace kolvo {

namespace {

int GradientByte(int begin, int end, int y, int height) {
    // C++ division truncates toward zero, as the rule wants for falling bytes.
    return WrapByte(begin + (y * (end - begin)) / (height - 1));
}

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

} // namespace

TColor GradientRowColor(TColor begin, TColor end, int y, int height) {
    if (height <= 1) {
        return begin;
    }
    const ColorBytes from = SplitColor(begin);
    const ColorBytes to = SplitColor(end);
    return JoinColor({GradientByte(from.red, to.red, y, height),
                      GradientByte(from.green, to.green, y, height),
                      GradientByte(from.blue, to.blue, y, height)});
}

CaptionTops LayoutCaptionTops(const CaptionTopInput& in) {
    CaptionTops tops;
    tops.captionTop = in.captionTop;
    if (in.vertCenter) {
        // A single first line gets one pixel more than a pair, which is centred as a block.
        tops.topA = in.hasB ? (in.height - 2 * in.heightA - in.lineSpace) / 2
                            : (in.height - in.heightA) / 2 + 1;
        tops.captionTop = tops.topA;
        if (in.hasA) {
            tops.topB = tops.topA + in.heightA + in.lineSpace;
        } else {
            tops.topB = (in.height - in.heightB) / 2;
            tops.captionTop = tops.topB;
        }
    } else {
        tops.topA = in.captionTop;
        tops.topB = in.hasA ? in.captionTop + in.heightA + in.lineSpace : in.captionTop;
    }
    return tops;
}

CaptionAnchor AnchorCaption(TplBtnAlignment alignment, int characters, int width, int left,
                            int right) {
    CaptionAnchor anchor;
    anchor.alignment = alignment == TplBtnAlignment::taEven && characters == 1
                           ? TplBtnAlignment::taCenter
                           : alignment;
    switch (anchor.alignment) {
    case TplBtnAlignment::taEven:
        anchor.available = width - left - right - 4;
        anchor.x = left + 2;
        break;
    case TplBtnAlignment::taLeft:
        anchor.x = left + 2;
        break;
    case TplBtnAlignment::taRight:
        anchor.x = width - right - 2;
        break;
    case TplBtnAlignment::taCenter:
        anchor.x = width / 2;
        break;
    }
    return anchor;
}

EvenSpacing SpreadEvenly(int available, int textWidth, int characters) {
    if (characters < 2) {
        return {};
    }
    const int spare = available - textWidth;
    return {spare / (characters - 1), spare % (characters - 1)};
}

std::vector<int> EvenCharacterLefts(int x, const std::vector<int>& widths, EvenSpacing spacing) {
    std::vector<int> lefts;
    lefts.reserve(widths.size());
    int cx = x;
    int rem = spacing.rem;
    for (int width : widths) {
        lefts.push_back(cx);
        cx += width + spacing.gap;
        if (rem > 0) {
            ++cx;
            --rem;
        } else if (rem < 0) {
            --cx;
            ++rem;
        }
    }
    return lefts;
}

std::vector<std::string_view> SplitCharacters(std::string_view text) {
    std::vector<std::string_view> characters;
    for (size_t i = 0; i < text.size();) {
        // A lead byte standing last has no second byte: it is a character of its own.
        const size_t length =
            IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

TColor GreyColor(TColor color) {
    const ColorBytes bytes = SplitColor(color);
    const int grey = GreyValue(bytes.red, bytes.green, bytes.blue);
    return JoinColor({grey, grey, grey});
}

ButtonFrame FrameFor(TplButtonStyle style, TplBtnFrameType frameType, bool pressed) {
    switch (style) {
    case TplButtonStyle::bsNormal:
        return pressed ? ButtonFrame::Pressed : ButtonFrame::Raised;
    case TplButtonStyle::bsFlat:
        switch (frameType) {
        case TplBtnFrameType::bffFlat:
            return ButtonFrame::FlatBorder;
        case TplBtnFrameType::bffEtched:
            return ButtonFrame::Etched;
        case TplBtnFrameType::bffBump:
            return ButtonFrame::Bump;
        }
        break;
    case TplButtonStyle::bsRoundRect:
        return ButtonFrame::RoundRect;
    case TplButtonStyle::bsFlatNoFrame:
    case TplButtonStyle::bsRoundRectNoFrame:
        break;
    }
    return ButtonFrame::None;
}

Rect FocusMarkRect(const Rect& client, TplButtonStyle style, TplBtnFrameType frameType) {
    Rect mark{client.left + 2, client.top + 2, client.right - 2, client.bottom - 2};
    if (style == TplButtonStyle::bsFlat) {
        const int grow = frameType == TplBtnFrameType::bffBump     ? 1
                         : frameType == TplBtnFrameType::bffEtched ? -1
                                                                   : 0;
        mark.right += grow;
        mark.bottom += grow;
    }
    return mark;
}

} // namespace kolvo
