// The control layer under Wine: canvas drawing on off-screen images, and a windowless control
// painting through its parent's WM_PAINT inside its own rectangle only.
#include "OffscreenImage.h"
#include "WindowlessControl.h"

#include <gtest/gtest.h>

#include <vector>

namespace kolvo {
namespace {

TEST(ControlLayer, ImageFillsResizesAndCopies) {
    OffscreenImage image(20, 10);
    ASSERT_FALSE(image.Empty());
    Canvas& canvas = image.GetCanvas();
    canvas.SetBrushColor(0x123456);
    canvas.FillRect({0, 0, 20, 10});
    EXPECT_EQ(image.PixelAt(19, 9), TColor(0x123456));
    canvas.FillRect({2, 2, 4, 4}, clBtnFace);
    EXPECT_EQ(image.PixelAt(3, 3), TColor(GetSysColor(COLOR_BTNFACE))) << "system colour resolved";

    HDC dcBefore = image.Dc();
    ASSERT_TRUE(image.SetSize(30, 5));
    EXPECT_EQ(image.Dc(), dcBefore) << "the context outlives a new bitmap";
    EXPECT_EQ(image.Width(), 30);
    canvas.FillRect({0, 0, 30, 5}, 0x00FF00);

    OffscreenImage target(40, 20);
    target.GetCanvas().FillRect({0, 0, 40, 20}, clBlack);
    target.GetCanvas().Draw(5, 7, image);
    EXPECT_EQ(target.PixelAt(5, 7), TColor(0x00FF00));
    EXPECT_EQ(target.PixelAt(34, 11), TColor(0x00FF00));
    EXPECT_EQ(target.PixelAt(4, 7), clBlack);
    EXPECT_EQ(target.PixelAt(35, 12), clBlack);

    image.SetSize(0, 0);
    EXPECT_TRUE(image.Empty());
}

TEST(ControlLayer, TextTakesTheFontColourAndAClearBrushLeavesTheBackground) {
    OffscreenImage image(120, 40);
    Canvas& canvas = image.GetCanvas();
    canvas.FillRect({0, 0, 120, 40}, clWhite);
    FontDesc font;
    font.height = -24;
    font.color = 0x0000FF;
    canvas.SetFont(font);
    canvas.SetBrushClear();
    EXPECT_GT(canvas.TextWidth("WWW"), canvas.TextWidth("W"));
    canvas.TextAt(2, 2, "WWW");
    int red = 0;
    int other = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            const TColor pixel = image.PixelAt(x, y);
            red += pixel == 0x0000FF;
            other += pixel != 0x0000FF && pixel != clWhite && SplitColor(pixel).red != 255;
        }
    }
    EXPECT_GT(red, 20);
    EXPECT_EQ(other, 0) << "only the text colour and its blend with white";
}

// Fills more than its area: the parent's clipping keeps it inside.
class FillControl : public WindowlessControl {
public:
    int paints = 0;

protected:
    void Paint(Canvas& canvas) override {
        ++paints;
        canvas.FillRect({-50, -50, 500, 500}, Color());
    }
};

TEST(ControlLayer, ControlPaintsOnlyInsideItsBounds) {
    OffscreenImage parent(60, 40);
    parent.GetCanvas().FillRect({0, 0, 60, 40}, clBlack);
    FillControl control;
    control.SetBounds(10, 5, 20, 8);
    control.SetColor(0xABCDEF);
    control.PaintOn(parent.Dc(), RECT{0, 0, 60, 40});
    EXPECT_EQ(control.paints, 1);
    EXPECT_EQ(parent.PixelAt(10, 5), TColor(0xABCDEF));
    EXPECT_EQ(parent.PixelAt(29, 12), TColor(0xABCDEF));
    EXPECT_EQ(parent.PixelAt(9, 5), clBlack);
    EXPECT_EQ(parent.PixelAt(30, 12), clBlack);
    EXPECT_EQ(parent.PixelAt(10, 13), clBlack);

    control.PaintOn(parent.Dc(), RECT{40, 0, 60, 40});
    EXPECT_EQ(control.paints, 1) << "an update elsewhere does not paint the control";
    control.SetVisible(false);
    control.PaintOn(parent.Dc(), RECT{0, 0, 60, 40});
    EXPECT_EQ(control.paints, 1);
}

struct ParentLog {
    FillControl* control = nullptr;
    int erases = 0;
};

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* log = reinterpret_cast<ParentLog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (log != nullptr && message == WM_PAINT) {
        return PaintWindowlessControls(window, {log->control});
    }
    if (log != nullptr && message == WM_ERASEBKGND) {
        ++log->erases;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(ControlLayer, InvalidateRepaintsTheControlWithoutErasingTheParent) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KolvoControlLayerParent";
    RegisterClassA(&windowClass);
    WindowHandle parent(CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                        windowClass.lpszClassName, "", WS_POPUP, 0, 0, 80, 60,
                                        nullptr, nullptr, windowClass.hInstance, nullptr));
    ASSERT_TRUE(parent);
    FillControl control;
    ParentLog log{&control};
    SetWindowLongPtrA(parent.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log));
    control.SetParent(parent.Get());
    control.SetBounds(8, 8, 30, 20);
    ShowWindow(parent.Get(), SW_SHOWNOACTIVATE);
    UpdateWindow(parent.Get());
    const int paintsAfterShow = control.paints;
    EXPECT_GE(paintsAfterShow, 1);

    log.erases = 0;
    control.Invalidate();
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(parent.Get(), &update, FALSE));
    EXPECT_EQ(update.left, 8);
    EXPECT_EQ(update.top, 8);
    EXPECT_EQ(update.right, 38);
    EXPECT_EQ(update.bottom, 28);
    UpdateWindow(parent.Get());
    EXPECT_EQ(control.paints, paintsAfterShow + 1);
    EXPECT_EQ(log.erases, 0) << "the control's area is not erased between frames";

    SetWindowLongPtrA(parent.Get(), GWLP_USERDATA, 0);
}

} // namespace
} // namespace kolvo
