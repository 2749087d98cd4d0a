#include "DialogBanner.h"

#include "KolvoZokuseiU.h"

namespace kolvo {

const std::string_view BannerFontName = "Times New Roman";

std::unique_ptr<TEsScrollingMarquee> CreateBanner(HWND dialog, const ControlLayout& layout) {
    auto banner = std::make_unique<TEsScrollingMarquee>();
    banner->SetParent(dialog);
    // The dialog's button-face colour, resolved whenever the banner is drawn.
    banner->ParentColorChanged(clBtnFace);
    banner->SetBounds(layout.left, layout.top, layout.width, layout.height);
    banner->SetAlignment(TAlignment::taLeftJustify);
    banner->SetScrollSpeed(BannerScrollSpeed);
    FontDesc font;
    font.name = std::string(BannerFontName);
    font.height = -BannerFontHeight;
    font.charset = ShiftJisCharset;
    font.color = BannerFontColor;
    banner->SetFont(font);
    banner->SetCaption(layout.text);
    return banner;
}

} // namespace kolvo
