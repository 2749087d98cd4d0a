// The gradient button on a form of this test: the modal result handed to the form, Escape for a
// Cancel button from another focused control, Shift+Enter reaching KeyDown, a button that takes
// no part in focus handling, the rounded window shape, a greyed picture and its colour.
#include "OffscreenImage.h"
#include "plButton.h"

#include <gtest/gtest.h>

#include <vector>

namespace kolvo {
namespace {

class TestForm {
public:
    TestForm() {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "GradientButtonTestForm";
        RegisterClassExA(&windowClass);
        window.Reset(CreateWindowExA(WS_EX_CONTROLPARENT, "GradientButtonTestForm", "form",
                                     WS_POPUP | WS_CAPTION, 0, 0, 300, 120, nullptr, nullptr,
                                     windowClass.hInstance, nullptr));
        SetWindowLongPtrA(window.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    // Posts the key to the focused control and runs a dialog's message loop over it.
    void Press(WPARAM key, bool shift = false) {
        BYTE keys[256] = {};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(window.Get(), &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }

    WindowHandle window;
    std::vector<int> modalResults;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* form = reinterpret_cast<TestForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (form != nullptr && message == ModalResultMessage()) {
            form->modalResults.push_back(int(wParam));
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

struct Clicks {
    void Attach(TplButton& button) {
        button.OnClick = [this](TplButton& b) { clicked.push_back(b.Name()); };
        button.OnKeyDown = [this](TplButton&, int& key, TShiftState) { keys.push_back(key); };
    }
    std::vector<std::string> clicked;
    std::vector<int> keys;
};

TEST(GradientButton, KeysClickAsDialogKeysOrThroughKeyDown) {
    TestForm form;
    TplButton ok, cancel;
    ok.SetName("ok");
    ok.SetModalResult(1);
    cancel.SetName("cancel");
    cancel.SetModalResult(2);
    cancel.SetCancel(true);
    ok.SetParent(form.window.Get());
    cancel.SetParent(form.window.Get());
    Clicks clicks;
    clicks.Attach(ok);
    clicks.Attach(cancel);
    EXPECT_EQ(GetWindowTextLengthA(ok.Handle()), 2) << "named after the button";
    SetFocus(ok.Handle());
    ASSERT_TRUE(ok.Focused());

    form.Press(VK_RETURN);
    EXPECT_EQ(clicks.clicked, std::vector<std::string>{"ok"});
    EXPECT_EQ(form.modalResults, std::vector<int>{1});
    EXPECT_TRUE(clicks.keys.empty()) << "a dialog key never reaches KeyDown";

    form.Press(VK_RETURN, true);
    EXPECT_EQ(clicks.clicked, (std::vector<std::string>{"ok", "ok"}));
    EXPECT_EQ(form.modalResults, std::vector<int>{1}) << "Shift+Enter: no modal result";
    EXPECT_EQ(clicks.keys, std::vector<int>{VK_RETURN});

    // Escape belongs to the Cancel button, also while another one has the focus.
    form.Press(VK_ESCAPE);
    EXPECT_EQ(clicks.clicked, (std::vector<std::string>{"ok", "ok", "cancel"}));
    EXPECT_EQ(form.modalResults, (std::vector<int>{1, 2}));
    EXPECT_FALSE(ok.Pressed()) << "keyboard clicks show no pressed face";

    // Without focus handling: no dialog keys, no focus from a press, no tab stop.
    cancel.SetHasFocus(false);
    form.Press(VK_ESCAPE);
    EXPECT_EQ(clicks.clicked.size(), 3u);
    SendMessageA(cancel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(ok.Focused());
    EXPECT_TRUE(cancel.Pressed());
    SendMessageA(cancel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks.clicked.back(), "cancel") << "but it still clicks";
    EXPECT_EQ(GetWindowLongPtrA(cancel.Handle(), GWL_STYLE) & WS_TABSTOP, 0);

    // The window text is the first caption line, both ways.
    SetWindowTextA(ok.Handle(), "Go");
    EXPECT_EQ(ok.CaptionA().Caption(), "Go");
}

TEST(GradientButton, RoundedStylesShapeTheWindowAndKeepTheShapeOnResize) {
    TestForm form;
    TplButton button;
    button.SetParent(form.window.Get());
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    using S = TplButtonStyle;
    const struct {
        S style;
        bool shaped;
    } steps[] = {{S::bsRoundRect, true},
                 {S::bsRoundRectNoFrame, true},
                 {S::bsFlat, false},
                 {S::bsRoundRect, true},
                 {S::bsNormal, false}};
    for (const auto& step : steps) {
        button.SetButtonStyle(step.style);
        EXPECT_EQ(GetWindowRgn(button.Handle(), probe) != ERROR, step.shaped) << int(step.style);
    }
    button.SetButtonStyle(S::bsRoundRect);
    button.SetBounds(0, 0, 90, 30);
    RECT box{};
    ASSERT_NE(GetWindowRgn(button.Handle(), probe), ERROR);
    GetRgnBox(probe, &box);
    // The shape is made one pixel larger than the button so that it reaches its last column.
    EXPECT_EQ(box.right, 90);
    EXPECT_EQ(box.bottom, 30);
    EXPECT_FALSE(PtInRegion(probe, 0, 0)) << "the corner is cut";
    DeleteObject(probe);
}

TEST(GradientButton, DisabledButtonGreysItsPictureOnlyWhenAsked) {
    TestForm form;
    TplButton button;
    button.SetHasFocus(false);
    button.SetParent(form.window.Get());
    OffscreenImage red(8, 8);
    red.GetCanvas().FillRect({0, 0, 8, 8}, 0x0000FF);
    Picture picture;
    picture.SetBitmap(
        BitmapHandle(static_cast<HBITMAP>(CopyImage(red.Bitmap(), IMAGE_BITMAP, 0, 0, 0))));
    button.Image().SetPicture(picture);
    button.SetEnabled(false);
    const auto pixel = [&] {
        OffscreenImage face(75, 26);
        SendMessageA(button.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(face.Dc()),
                     PRF_CLIENT);
        return face.PixelAt(14, 13);
    };
    EXPECT_EQ(pixel(), TColor(0x0000FF)) << "no focus handling, no DisableImage: in colour";
    EXPECT_EQ(button.Image().Top(), 9) << "centred by painting: (26 - 8) div 2";
    button.SetDisableImage(true);
    EXPECT_EQ(pixel(), GreyColor(0x0000FF));
    EXPECT_EQ(GreyColor(0x0000FF), TColor(0xA2A2A2));
}

// The button shares its colour rules with the windowless controls, but its pixels are its own
// window's: a change invalidates all of that and nothing of the form.
TEST(GradientButton, ColourFollowsTheParentOnlyWhenToldAndInvalidatesTheWholeButton) {
    TestForm form;
    TplButton button;
    button.SetBounds(10, 20, 75, 26);
    button.SetParent(form.window.Get());
    EXPECT_EQ(button.Parent(), form.window.Get());
    ShowWindow(form.window.Get(), SW_SHOWNOACTIVATE);
    UpdateWindow(form.window.Get());
    RECT update{};
    const auto invalid = [&update](HWND window) { return GetUpdateRect(window, &update, FALSE); };
    ASSERT_FALSE(invalid(button.Handle()));

    button.ParentColorChanged(0x123456);
    EXPECT_EQ(button.Color(), clBtnFace) << "a colour of its own from the start";
    EXPECT_FALSE(invalid(button.Handle()));

    button.SetParentColor(true);
    button.ParentColorChanged(0x123456);
    EXPECT_EQ(button.Color(), TColor(0x123456));
    ASSERT_TRUE(invalid(button.Handle()));
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.top, 0);
    EXPECT_EQ(update.right, 75);
    EXPECT_EQ(update.bottom, 26);
    EXPECT_FALSE(invalid(form.window.Get()));

    ValidateRect(button.Handle(), nullptr);
    button.SetColor(0x654321);
    EXPECT_FALSE(button.ParentColor());
    EXPECT_TRUE(invalid(button.Handle()));
    button.ParentColorChanged(0x111111);
    EXPECT_EQ(button.Color(), TColor(0x654321));
}

} // namespace
} // namespace kolvo
