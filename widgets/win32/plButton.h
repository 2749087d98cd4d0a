// The gradient button: a focusable push button with a window of its own class that paints every
// pixel itself (a vertical gradient or a plain fill, an optional picture, up to two caption
// lines, a frame of one of five styles and the focus mark) into an off-screen image copied in one
// operation. It reports a click to its parent as a push button does (WM_COMMAND with
// BN_CLICKED, and BM_CLICK clicks it), hands its modal result to the form it sits on, answers
// Enter and Escape as dialog keys and shows a pressed face while the left mouse button holds it.
// Its window text is its first caption line.
#pragma once

#include "ButtonFace.h"
#include "ButtonInput.h"
#include "Colors.h"
#include "ControlBase.h"
#include "FontDesc.h"
#include "Picture.h"
#include "WinHandles.h"

#include <windows.h>

#include <functional>
#include <string>

namespace kolvo {

class Canvas;
class TplButton;

// One caption line. Each setter that changes a value repaints the button.
class TplBtnCaption {
public:
    explicit TplBtnCaption(TplButton* button) : button_(button) {}
    TplBtnCaption(const TplBtnCaption&) = delete;
    TplBtnCaption& operator=(const TplBtnCaption&) = delete;

    const std::string& Caption() const { return caption_; } // CP932 bytes
    void SetCaption(std::string caption);
    TplBtnAlignment Alignment() const { return alignment_; }
    void SetAlignment(TplBtnAlignment alignment);
    int Left() const { return left_; } // margin for taLeft and taEven
    void SetLeft(int left);
    int Right() const { return right_; } // margin for taRight and taEven
    void SetRight(int right);
    // Copies caption, alignment and margins, and repaints.
    void Assign(const TplBtnCaption& other);

private:
    void Changed();

    TplButton* button_;
    std::string caption_;
    TplBtnAlignment alignment_ = TplBtnAlignment::taCenter;
    int left_ = 0;
    int right_ = 0;
};

// The picture and its place. Setting Left or Top by hand ends the matching centring; painting
// rewrites them while centring is on.
class TplBtnImage {
public:
    explicit TplBtnImage(TplButton* button) : button_(button) {}
    TplBtnImage(const TplBtnImage&) = delete;
    TplBtnImage& operator=(const TplBtnImage&) = delete;

    const Picture& GetPicture() const { return picture_; }
    Picture& GetPicture() { return picture_; }
    // Copies the picture's content; repaints.
    void SetPicture(const Picture& picture);
    int Left() const { return left_; }
    void SetLeft(int left);
    int Top() const { return top_; }
    void SetTop(int top);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool TransParent() const { return transParent_; } // bitmaps only; icons always are
    void SetTransParent(bool transParent);
    bool VertCenter() const { return vertCenter_; }
    void SetVertCenter(bool vertCenter);
    bool HorzCenter() const { return horzCenter_; }
    void SetHorzCenter(bool horzCenter);
    // Copies the picture and every setting without repainting (the button's SetImage does).
    void Assign(const TplBtnImage& other);

private:
    friend class TplButton;
    void Repaint();

    TplButton* button_;
    Picture picture_;
    int left_ = 10;
    int top_ = 0;
    bool visible_ = true;
    bool transParent_ = false;
    bool vertCenter_ = true;
    bool horzCenter_ = false;
};

// The message a button sends to the top-level window it sits on when it is clicked: wParam the
// button's modal result, lParam the button's window. A form that runs modally ends with it; the
// others let it pass.
UINT ModalResultMessage();

// Offers a dialog key (Enter, Escape) to every gradient button of `form`, as a form does before
// ordinary key handling; true when one of them took it.
bool OfferDialogKey(HWND form, int key, TShiftState shift);

// Shift, Ctrl, Alt and the mouse buttons as the keyboard state of this thread holds them.
TShiftState KeyboardShiftState();

class TplButton : public ControlBase {
public:
    static constexpr const char* ClassName = "TplButton";

    // 75 x 26 pixels with the defaults; the window is made when the button gets its parent.
    TplButton();
    virtual ~TplButton();
    TplButton(const TplButton&) = delete;
    TplButton& operator=(const TplButton&) = delete;

    HWND Handle() const { return window_; }
    // The button of a window of this class, or null.
    static TplButton* FromHandle(HWND window);

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    // The child-window identifier its clicks are reported with; set before the parent.
    int ControlId() const { return controlId_; }
    void SetControlId(int id) { controlId_ = id; }
    // Creates the window in `parent` the first time (and names CaptionA after the button);
    // moves it to another parent later.
    void SetParent(HWND parent);
    void SetBounds(int left, int top, int width, int height);

    TplButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TplButtonStyle style);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel) { cancel_ = cancel; }
    bool Gradation() const { return gradation_; }
    void SetGradation(bool gradation);
    TColor GradBeginColor() const { return gradBeginColor_; }
    void SetGradBeginColor(TColor color);
    TColor GradEndColor() const { return gradEndColor_; }
    void SetGradEndColor(TColor color);
    bool HasFocus() const { return hasFocus_; }
    void SetHasFocus(bool hasFocus);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    TplBtnImage& Image() { return image_; }
    void SetImage(const TplBtnImage& image);
    bool DisableImage() const { return disableImage_; }
    void SetDisableImage(bool disableImage);
    TplBtnCaption& CaptionA() { return captionA_; }
    TplBtnCaption& CaptionB() { return captionB_; }
    void SetCaptionA(const TplBtnCaption& caption) { captionA_.Assign(caption); }
    void SetCaptionB(const TplBtnCaption& caption) { captionB_.Assign(caption); }
    int CaptionLineSpace() const { return captionLineSpace_; }
    void SetCaptionLineSpace(int space);
    int CaptionTop() const { return captionTop_; }
    void SetCaptionTop(int top);
    bool CaptionVertCenter() const { return captionVertCenter_; }
    void SetCaptionVertCenter(bool vertCenter);
    TplBtnFrameType FlatFrameType() const { return flatFrameType_; }
    void SetFlatFrameType(TplBtnFrameType frameType);

    void SetFont(const FontDesc& font);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    // The left mouse button holds the button down.
    bool Pressed() const { return press_.Pressed(); }
    bool Focused() const;

    std::function<void(TplButton&)> OnClick;
    std::function<void(TplButton&, int& key, TShiftState)> OnKeyDown;
    std::function<void(TplButton&, int& key, TShiftState)> OnKeyUp;
    std::function<void(TplButton&, TShiftState, int x, int y)> OnMouseEnter;
    std::function<void(TplButton&, TShiftState, int x, int y)> OnMouseLeave;
    std::function<void(TplButton&)> OnEnter;
    std::function<void(TplButton&)> OnExit;

    // Clears the pressed face, hands the modal result to the form, reports the click
    // (OnClick and the parent's WM_COMMAND) and invalidates.
    void Click();
    // Takes Enter or Escape as a dialog key when the rules say so, and clicks.
    bool DialogKey(int key, TShiftState shift);
    // Paints the whole face on `dc`, in the button's client coordinates.
    void PaintTo(HDC dc);

protected:
    // Its pixels are the whole of its own window.
    HWND SurfaceWindow() const override { return window_; }
    std::optional<RECT> SurfaceArea() const override { return std::nullopt; }

    virtual void MouseEnter(TShiftState shift, int x, int y);
    virtual void MouseLeave(TShiftState shift, int x, int y);
    virtual void KeyDown(int& key, TShiftState shift);
    virtual void KeyUp(int& key, TShiftState shift);

private:
    friend class TplBtnCaption;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateWindowIn(HWND parent);
    void CaptionChanged(const TplBtnCaption& caption);
    void ApplyWindowShape();
    void ApplyTabStop();
    void BaseClick();
    void MouseMoved(int x, int y);
    void PointerLeft();

    void PaintFace(Canvas& canvas, HDC dc);
    void PaintGradient(Canvas& canvas, HDC dc);
    void PaintPicture(HDC dc);
    void PaintCaption(Canvas& canvas, HDC dc, const TplBtnCaption& caption, int top);
    void PaintFrame(Canvas& canvas, HDC dc);
    void PaintFocusMark(HDC dc);

    HWND window_ = nullptr;
    std::string name_;
    int controlId_ = 0;
    bool named_ = false; // CaptionA has been named after the button

    TplButtonStyle buttonStyle_ = TplButtonStyle::bsNormal;
    bool cancel_ = false;
    bool gradation_ = true;
    TColor gradBeginColor_ = 0xFFFFFF;
    TColor gradEndColor_ = 0xC0C0C0;
    bool hasFocus_ = true;
    int modalResult_ = 0;
    TplBtnImage image_{this};
    bool disableImage_ = false;
    TplBtnCaption captionA_{this};
    TplBtnCaption captionB_{this};
    int captionLineSpace_ = 4;
    int captionTop_ = 0;
    bool captionVertCenter_ = true;
    TplBtnFrameType flatFrameType_ = TplBtnFrameType::bffFlat;

    FontHandle ownFont_;         // made from Font() when it is set by description
    HFONT windowFont_ = nullptr; // what WM_GETFONT answers
    bool tabStop_ = true;
    bool enabled_ = true;
    ButtonPressState press_;
    bool trackingLeave_ = false;
};

} // namespace kolvo
