// The scrolling banner: the effect label's caption rendered once into an off-screen text image
// and moved one pixel per tick of a periodic system timer. The timer's callback only posts the
// tick message to a hidden message window of the control, so every move and every paint happens
// on the user-interface thread.
#pragma once

#include "EsLabel.h"
#include "MarqueeMotion.h"
#include "OffscreenImage.h"
#include "WinHandles.h"

namespace kolvo {

class TEsCustomScrollingMarquee : public TEsCustomLabel, public MarqueeAnimation {
public:
    TEsCustomScrollingMarquee();
    ~TEsCustomScrollingMarquee() override;

    // Base invalidation of the area, and the text image must be rendered again.
    void Invalidate() override;
    void SetAlignment(TAlignment alignment) override;
    void MeasureText();

    int TextWidth() const { return textWidth_; }
    int TextHeight() const { return textHeight_; }
    HWND MessageWindow() const { return messageWindow_.Get(); }
    const OffscreenImage& TextImage() const { return textImage_; }

protected:
    void Paint(Canvas& canvas) override;
    void ColorChanged() override;
    void FontChanged() override;
    void TextChanged() override;

    void MarqueeMeasureText() override { MeasureText(); }
    MarqueeExtent MarqueeSizes() const override;
    void MarqueeClearArea() override;
    void MarqueeInvalidate() override { Invalidate(); }
    unsigned StartSystemTimer(unsigned interval, unsigned resolution) override;
    void StopSystemTimer(unsigned id) override;

private:
    static LRESULT CALLBACK MessageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WindowHandle messageWindow_;
    OffscreenImage textImage_;
    bool stale_ = true;
    int textWidth_ = 0;
    int textHeight_ = 0;
};

// The banner as the dialog places it; everything it offers is its base's.
class TEsScrollingMarquee : public TEsCustomScrollingMarquee {
public:
    static constexpr const char* Version() { return "1.11"; }
};

} // namespace kolvo
