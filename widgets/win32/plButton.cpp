#include "plButton.h"

#include "Canvas.h"
#include "OffscreenImage.h"

#include <vector>

namespace kolvo {

namespace {

FontDesc FontDescOf(HFONT font) {
    FontDesc desc;
    LOGFONTA logFont{};
    if (font != nullptr && GetObjectA(font, sizeof logFont, &logFont) == int(sizeof logFont)) {
        desc.name = logFont.lfFaceName;
        desc.height = logFont.lfHeight;
        desc.charset = logFont.lfCharSet;
        desc.bold = logFont.lfWeight >= FW_BOLD;
        desc.italic = logFont.lfItalic != 0;
        desc.underline = logFont.lfUnderline != 0;
        desc.strikeOut = logFont.lfStrikeOut != 0;
    }
    desc.color = clWindowText;
    return desc;
}

bool RegisterButtonClass(WNDPROC procedure) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, TplButton::ClassName, &existing)) {
        return true;
    }
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    // No double-click style: a quick second press is a press and a click of its own.
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = TplButton::ClassName;
    return RegisterClassExA(&windowClass) != 0;
}

bool IsButtonWindow(HWND window) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, TplButton::ClassName) == 0;
}

// The top-level window a control sits on, or null when it is one itself.
HWND FormOf(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    return root != window ? root : nullptr;
}

TShiftState KeyMessageShift(LPARAM lParam) {
    // Alt is part of the key message itself; the rest comes from the keyboard state.
    return KeyboardShiftState() | ((HIWORD(lParam) & KF_ALTDOWN) != 0 ? ssAlt : 0);
}

} // namespace

UINT ModalResultMessage() {
    static const UINT message = RegisterWindowMessageA("KolvoButtonModalResult");
    return message;
}

TShiftState KeyboardShiftState() {
    const auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    TShiftState shift = 0;
    shift |= down(VK_SHIFT) ? ssShift : 0;
    shift |= down(VK_MENU) ? ssAlt : 0;
    shift |= down(VK_CONTROL) ? ssCtrl : 0;
    shift |= down(VK_LBUTTON) ? ssLeft : 0;
    shift |= down(VK_RBUTTON) ? ssRight : 0;
    shift |= down(VK_MBUTTON) ? ssMiddle : 0;
    return shift;
}

bool OfferDialogKey(HWND form, int key, TShiftState shift) {
    std::vector<HWND> buttons;
    EnumChildWindows(
        form,
        [](HWND child, LPARAM list) -> BOOL {
            if (IsButtonWindow(child)) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&buttons));
    for (HWND window : buttons) {
        // A click before may have closed the form.
        TplButton* button = IsWindow(window) ? TplButton::FromHandle(window) : nullptr;
        if (button != nullptr && button->DialogKey(key, shift)) {
            return true;
        }
    }
    return false;
}

// ---- TplBtnCaption ----------------------------------------------------------------------------

void TplBtnCaption::SetCaption(std::string caption) {
    if (caption != caption_) {
        caption_ = std::move(caption);
        Changed();
    }
}

void TplBtnCaption::SetAlignment(TplBtnAlignment alignment) {
    if (alignment != alignment_) {
        alignment_ = alignment;
        Changed();
    }
}

void TplBtnCaption::SetLeft(int left) {
    if (left != left_) {
        left_ = left;
        Changed();
    }
}

void TplBtnCaption::SetRight(int right) {
    if (right != right_) {
        right_ = right;
        Changed();
    }
}

void TplBtnCaption::Assign(const TplBtnCaption& other) {
    if (&other == this) {
        return;
    }
    alignment_ = other.alignment_;
    caption_ = other.caption_;
    left_ = other.left_;
    right_ = other.right_;
    Changed();
}

void TplBtnCaption::Changed() {
    if (button_ != nullptr) {
        button_->CaptionChanged(*this);
    }
}

// ---- TplBtnImage ------------------------------------------------------------------------------

void TplBtnImage::SetPicture(const Picture& picture) {
    picture_.Assign(picture);
    Repaint();
}

void TplBtnImage::SetLeft(int left) {
    if (left != left_) {
        left_ = left;
        horzCenter_ = false;
        Repaint();
    }
}

void TplBtnImage::SetTop(int top) {
    if (top != top_) {
        top_ = top;
        vertCenter_ = false;
        Repaint();
    }
}

void TplBtnImage::SetVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        Repaint();
    }
}

void TplBtnImage::SetTransParent(bool transParent) {
    if (transParent != transParent_) {
        transParent_ = transParent;
        Repaint();
    }
}

void TplBtnImage::SetVertCenter(bool vertCenter) {
    if (vertCenter != vertCenter_) {
        vertCenter_ = vertCenter;
        if (vertCenter) {
            Repaint();
        }
    }
}

void TplBtnImage::SetHorzCenter(bool horzCenter) {
    if (horzCenter != horzCenter_) {
        horzCenter_ = horzCenter;
        if (horzCenter) {
            Repaint();
        }
    }
}

void TplBtnImage::Assign(const TplBtnImage& other) {
    if (&other == this) {
        return;
    }
    picture_.Assign(other.picture_);
    transParent_ = other.transParent_;
    vertCenter_ = other.vertCenter_;
    horzCenter_ = other.horzCenter_;
    top_ = other.top_;
    left_ = other.left_;
    visible_ = other.visible_;
}

void TplBtnImage::Repaint() {
    if (button_ != nullptr) {
        button_->Repaint();
    }
}

// ---- TplButton: properties --------------------------------------------------------------------

TplButton::TplButton() : ControlBase({clBtnFace, false}, 75, 26) {
    StoreFont(FontDescOf(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
}

TplButton::~TplButton() {
    if (window_ != nullptr) {
        HWND window = window_;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        DestroyWindow(window);
    }
}

TplButton* TplButton::FromHandle(HWND window) {
    if (window == nullptr || !IsButtonWindow(window)) {
        return nullptr;
    }
    return reinterpret_cast<TplButton*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void TplButton::SetParent(HWND parent) {
    if (window_ == nullptr) {
        if (!named_) {
            // A new button shows its name until its own caption is given.
            named_ = true;
            captionA_.SetCaption(name_);
        }
        CreateWindowIn(parent);
    } else {
        ::SetParent(window_, parent);
    }
    StoreParent(parent);
}

void TplButton::CreateWindowIn(HWND parent) {
    if (!RegisterButtonClass(&WindowProc)) {
        return;
    }
    if (HFONT parentFont = reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0))) {
        windowFont_ = parentFont;
        StoreFont(FontDescOf(parentFont));
    }
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    style |= tabStop_ && hasFocus_ ? WS_TABSTOP : 0;
    style |= enabled_ ? 0 : WS_DISABLED;
    CreateWindowExA(0, ClassName, captionA_.Caption().c_str(), style, Left(), Top(), Width(),
                    Height(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId_)),
                    GetModuleHandleA(nullptr), this);
    ApplyWindowShape();
}

void TplButton::SetBounds(int left, int top, int width, int height) {
    StoreBounds(left, top, width, height);
    if (window_ != nullptr) {
        MoveWindow(window_, left, top, width, height, TRUE); // WM_SIZE reshapes and repaints
    }
}

void TplButton::SetButtonStyle(TplButtonStyle style) {
    if (style != buttonStyle_) {
        buttonStyle_ = style;
        ApplyWindowShape();
    }
    Repaint();
}

void TplButton::ApplyWindowShape() {
    if (window_ == nullptr) {
        return;
    }
    // The system owns a region once it is the window's shape and frees it with the next one or
    // with the window.
    HRGN shape = IsRoundStyle(buttonStyle_)
                     ? CreateRoundRectRgn(0, 0, Width() + 1, Height() + 1, RoundCornerDiameter,
                                          RoundCornerDiameter)
                     : nullptr;
    SetWindowRgn(window_, shape, TRUE);
}

void TplButton::SetGradation(bool gradation) {
    if (gradation != gradation_) {
        gradation_ = gradation;
        if (gradation) {
            SetParentColor(false);
        }
        Repaint();
    }
}

void TplButton::SetGradBeginColor(TColor color) {
    if (color != gradBeginColor_) {
        gradBeginColor_ = color;
        Repaint();
    }
}

void TplButton::SetGradEndColor(TColor color) {
    if (color != gradEndColor_) {
        gradEndColor_ = color;
        Repaint();
    }
}

void TplButton::SetHasFocus(bool hasFocus) {
    if (hasFocus != hasFocus_) {
        hasFocus_ = hasFocus;
        ApplyTabStop(); // a button that takes no part in focus handling is no tab stop either
        Repaint();
    }
}

void TplButton::SetImage(const TplBtnImage& image) {
    image_.Assign(image);
    Repaint();
}

void TplButton::SetDisableImage(bool disableImage) {
    if (disableImage != disableImage_) {
        disableImage_ = disableImage;
        Repaint();
    }
}

void TplButton::SetCaptionLineSpace(int space) {
    if (space != captionLineSpace_) {
        captionLineSpace_ = space;
        Repaint();
    }
}

void TplButton::SetCaptionTop(int top) {
    if (top != captionTop_) {
        captionTop_ = top;
        captionVertCenter_ = false;
        Repaint();
    }
}

void TplButton::SetCaptionVertCenter(bool vertCenter) {
    if (vertCenter != captionVertCenter_) {
        captionVertCenter_ = vertCenter;
        if (vertCenter) {
            Repaint();
        }
    }
}

void TplButton::SetFlatFrameType(TplBtnFrameType frameType) {
    if (frameType != flatFrameType_) {
        flatFrameType_ = frameType;
        Repaint();
    }
}

void TplButton::SetFont(const FontDesc& font) {
    StoreFont(font);
    ownFont_ = CreateFontFor(font);
    windowFont_ = ownFont_.Get();
    Invalidate();
}

bool TplButton::Enabled() const {
    return window_ != nullptr ? IsWindowEnabled(window_) != FALSE : enabled_;
}

void TplButton::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (window_ != nullptr) {
        EnableWindow(window_, enabled); // WM_ENABLE invalidates
    }
}

void TplButton::SetTabStop(bool tabStop) {
    tabStop_ = tabStop;
    ApplyTabStop();
}

void TplButton::ApplyTabStop() {
    if (window_ == nullptr) {
        return;
    }
    LONG_PTR style = GetWindowLongPtrA(window_, GWL_STYLE) & ~LONG_PTR(WS_TABSTOP);
    SetWindowLongPtrA(window_, GWL_STYLE, style | (tabStop_ && hasFocus_ ? WS_TABSTOP : 0));
}

bool TplButton::Focused() const {
    return window_ != nullptr && GetFocus() == window_;
}

void TplButton::CaptionChanged(const TplBtnCaption& caption) {
    if (&caption == &captionA_ && window_ != nullptr) {
        // Screen readers and test automation find the button by its text.
        SetWindowTextA(window_, captionA_.Caption().c_str());
    }
    Repaint();
}

// ---- TplButton: clicks, keys and the mouse ----------------------------------------------------

void TplButton::Click() {
    press_.Clear();
    HWND window = window_;
    if (HWND form = window != nullptr ? FormOf(window) : nullptr) {
        SendMessageA(form, ModalResultMessage(), WPARAM(modalResult_),
                     reinterpret_cast<LPARAM>(window));
    }
    BaseClick();
    Invalidate(); // the click may have closed the window: Invalidate looks first
}

void TplButton::BaseClick() {
    HWND window = window_;
    if (OnClick) {
        OnClick(*this);
    }
    if (window != nullptr && IsWindow(window)) {
        if (HWND parent = GetParent(window)) {
            SendMessageA(parent, WM_COMMAND, MAKEWPARAM(controlId_, BN_CLICKED),
                         reinterpret_cast<LPARAM>(window));
        }
    }
}

bool TplButton::DialogKey(int key, TShiftState shift) {
    if (!DialogKeyClicks(key, Focused(), cancel_, shift, hasFocus_)) {
        return false;
    }
    Click();
    return true;
}

void TplButton::KeyDown(int& key, TShiftState shift) {
    if (OnKeyDown) {
        OnKeyDown(*this, key, shift);
    }
    if (KeyDownClicks(key, Enabled())) {
        key = 0;
        BaseClick(); // no modal result: Enter with Shift, Ctrl or Alt
    }
}

void TplButton::KeyUp(int& key, TShiftState shift) {
    if (key == KeyEnter) {
        press_.Clear();
        Invalidate();
    }
    if (OnKeyUp) {
        OnKeyUp(*this, key, shift);
    }
}

void TplButton::MouseEnter(TShiftState shift, int x, int y) {
    if (OnMouseEnter) {
        OnMouseEnter(*this, shift, x, y);
    }
    if (GetCapture() == window_) {
        Repaint();
    }
}

void TplButton::MouseLeave(TShiftState shift, int x, int y) {
    if (OnMouseLeave) {
        OnMouseLeave(*this, shift, x, y);
    }
    press_.Clear();
    Repaint();
}

void TplButton::MouseMoved(int x, int y) {
    const bool over = x >= 0 && y >= 0 && x < Width() && y < Height();
    switch (press_.MoveTo(over)) {
    case PointerCrossing::Entered:
        if (!trackingLeave_) {
            // The system tells when the pointer leaves; while the mouse is captured the moves
            // outside tell it first.
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
            trackingLeave_ = TrackMouseEvent(&track) != FALSE;
        }
        MouseEnter(KeyboardShiftState(), x, y);
        break;
    case PointerCrossing::Left:
        MouseLeave(KeyboardShiftState(), x, y);
        break;
    case PointerCrossing::None:
        break;
    }
}

void TplButton::PointerLeft() {
    trackingLeave_ = false;
    if (GetCapture() == window_) {
        return; // the captured moves decide
    }
    if (press_.MoveTo(false) == PointerCrossing::Left) {
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(window_, &cursor);
        MouseLeave(KeyboardShiftState(), cursor.x, cursor.y);
    }
}

LRESULT CALLBACK TplButton::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* button =
            static_cast<TplButton*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(button));
        button->window_ = window;
    }
    auto* button = reinterpret_cast<TplButton*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (button == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return button->HandleMessage(message, wParam, lParam);
}

LRESULT TplButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    switch (message) {
    case WM_ERASEBKGND:
        return 0; // the face covers every pixel
    case WM_PAINT: {
        const PaintDc paint(window);
        PaintTo(paint.Get());
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintTo(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SIZE:
        StoreBounds(Left(), Top(), LOWORD(lParam), HIWORD(lParam));
        ApplyWindowShape();
        Repaint();
        return 0;
    case WM_MOVE:
        StoreBounds(short(LOWORD(lParam)), short(HIWORD(lParam)), Width(), Height());
        return 0;
    case WM_ENABLE:
        enabled_ = wParam != FALSE;
        if (!enabled_) {
            press_.Cancel();
        }
        Invalidate();
        return 0;
    case WM_SETFONT:
        windowFont_ = reinterpret_cast<HFONT>(wParam);
        ownFont_.Reset();
        StoreFont(FontDescOf(windowFont_));
        if (LOWORD(lParam)) {
            Repaint();
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(windowFont_);
    case WM_SETTEXT: {
        // The window text is the first caption line, whoever sets it.
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        const char* text = reinterpret_cast<const char*>(lParam);
        captionA_.SetCaption(text != nullptr ? text : "");
        return result;
    }
    case WM_GETDLGCODE: {
        // Enter and Escape come to the button instead of being turned into the dialog's OK and
        // Cancel commands: it decides itself whether they click.
        const auto* keyMessage = reinterpret_cast<const MSG*>(lParam);
        if (keyMessage != nullptr &&
            (keyMessage->message == WM_KEYDOWN || keyMessage->message == WM_KEYUP ||
             keyMessage->message == WM_CHAR) &&
            (keyMessage->wParam == VK_RETURN || keyMessage->wParam == VK_ESCAPE)) {
            return DLGC_WANTMESSAGE;
        }
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        int key = int(wParam);
        const TShiftState shift = KeyMessageShift(lParam);
        if (key == KeyEnter || key == KeyEscape) {
            // Dialog keys first, offered to every gradient button of the form.
            HWND form = FormOf(window);
            if (form != nullptr ? OfferDialogKey(form, key, shift) : DialogKey(key, shift)) {
                return 0;
            }
        }
        KeyDown(key, shift);
        if (key == 0 || message == WM_KEYDOWN) {
            return 0;
        }
        break; // Alt with other keys: the system's menu keys
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        int key = int(wParam);
        KeyUp(key, KeyMessageShift(lParam));
        if (message == WM_KEYUP) {
            return 0;
        }
        break;
    }
    case WM_CHAR:
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (hasFocus_) {
            const auto& handler = message == WM_SETFOCUS ? OnEnter : OnExit;
            if (handler) {
                handler(*this);
            }
            Invalidate();
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (hasFocus_ && GetFocus() != window) {
            SetFocus(window);
        }
        press_.LeftPress();
        SetCapture(window);
        Repaint();
        return 0;
    case WM_LBUTTONUP: {
        const int x = short(LOWORD(lParam));
        const int y = short(HIWORD(lParam));
        const bool clicks = press_.LeftRelease(x >= 0 && y >= 0 && x < Width() && y < Height());
        if (GetCapture() == window) {
            ReleaseCapture();
        }
        Repaint();
        if (clicks) {
            Click();
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        MouseMoved(short(LOWORD(lParam)), short(HIWORD(lParam)));
        return 0;
    case WM_MOUSELEAVE:
        PointerLeft();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window && press_.Pressed()) {
            press_.Cancel();
            Invalidate();
        }
        return 0;
    case BM_CLICK:
        // As a push button: a click from automation or another program.
        if (Enabled()) {
            Click();
        }
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        trackingLeave_ = false;
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// ---- TplButton: painting ----------------------------------------------------------------------

void TplButton::PaintTo(HDC dc) {
    if (ParentColor()) {
        Canvas canvas;
        canvas.Bind(dc);
        PaintFace(canvas, dc);
        return;
    }
    // One copy of a finished face: nothing half-painted ever shows.
    OffscreenImage image(Width(), Height());
    if (image.Empty()) {
        return;
    }
    PaintFace(image.GetCanvas(), image.Dc());
    BitBlt(dc, 0, 0, Width(), Height(), image.Dc(), 0, 0, SRCCOPY);
}

void TplButton::PaintFace(Canvas& canvas, HDC dc) {
    canvas.SetBrushColor(Color());
    if (gradation_) {
        PaintGradient(canvas, dc);
    } else {
        canvas.FillRect({0, 0, Width(), Height()});
    }
    PaintPicture(dc);
    canvas.SetFont(Font());

    const std::string& textA = captionA_.Caption();
    const std::string& textB = captionB_.Caption();
    CaptionTopInput in;
    in.height = Height();
    in.heightA = canvas.TextHeight(textA);
    in.heightB = canvas.TextHeight(textB);
    in.hasA = !textA.empty();
    in.hasB = !textB.empty();
    in.lineSpace = captionLineSpace_;
    in.captionTop = captionTop_;
    in.vertCenter = captionVertCenter_;
    const CaptionTops tops = LayoutCaptionTops(in);
    captionTop_ = tops.captionTop; // centring rewrites it and stays on
    PaintCaption(canvas, dc, captionA_, tops.topA);
    PaintCaption(canvas, dc, captionB_, tops.topB);

    canvas.SetBrushClear();
    PaintFrame(canvas, dc);
    if (Focused() && hasFocus_) {
        PaintFocusMark(dc);
    }
}

void TplButton::PaintGradient(Canvas& canvas, HDC dc) {
    // The colours the surface can show, as the system resolves them now.
    const TColor begin = GetNearestColor(dc, ResolveColor(gradBeginColor_));
    const TColor end = GetNearestColor(dc, ResolveColor(gradEndColor_));
    for (int y = 0; y < Height(); ++y) {
        canvas.SetPen(GradientRowColor(begin, end, y, Height()));
        canvas.MoveTo(0, y);
        canvas.LineTo(Width(), y);
    }
}

void TplButton::PaintPicture(HDC dc) {
    const Picture& picture = image_.picture_;
    if (!image_.visible_ || picture.Empty()) {
        return;
    }
    const int offset = PressedOffset(hasFocus_, press_.Pressed());
    if (image_.vertCenter_) {
        image_.top_ = CentredOffset(Height(), picture.Height());
    }
    if (image_.horzCenter_) {
        image_.left_ = CentredOffset(Width(), picture.Width());
    }
    OffscreenImage source(picture.Width(), picture.Height());
    if (source.Empty()) {
        return;
    }
    if (picture.Kind() == PictureKind::Icon) {
        source.GetCanvas().FillRect({0, 0, picture.Width(), picture.Height()}, clWhite);
        DrawIconEx(source.Dc(), 0, 0, picture.Icon(), picture.Width(), picture.Height(), 0, nullptr,
                   DI_NORMAL);
    } else {
        const MemoryDcHandle bitmapDc(CreateCompatibleDC(dc));
        const SelectedObject selected(bitmapDc.Get(), picture.Bitmap());
        BitBlt(source.Dc(), 0, 0, picture.Width(), picture.Height(), bitmapDc.Get(), 0, 0, SRCCOPY);
    }
    if (DrawsDisabled(Enabled(), hasFocus_, disableImage_)) {
        for (int y = 0; y < source.Height(); ++y) {
            for (int x = 0; x < source.Width(); ++x) {
                source.SetPixelAt(x, y, GreyColor(source.PixelAt(x, y)));
            }
        }
    }
    const int x = image_.left_ + offset;
    const int y = image_.top_ + offset;
    if (picture.Kind() == PictureKind::Icon || image_.transParent_) {
        const TColor key = source.PixelAt(0, source.Height() - 1);
        TransparentBlt(dc, x, y, source.Width(), source.Height(), source.Dc(), 0, 0, source.Width(),
                       source.Height(), key);
    } else {
        BitBlt(dc, x, y, source.Width(), source.Height(), source.Dc(), 0, 0, SRCCOPY);
    }
}

void TplButton::PaintCaption(Canvas& canvas, HDC dc, const TplBtnCaption& caption, int top) {
    const std::vector<std::string_view> characters = SplitCharacters(caption.Caption());
    const int count = int(characters.size());
    if (count == 0) {
        return;
    }
    canvas.SetBrushClear();
    const CaptionAnchor anchor =
        AnchorCaption(caption.Alignment(), count, Width(), caption.Left(), caption.Right());
    const UINT align = anchor.alignment == TplBtnAlignment::taCenter  ? TA_CENTER
                       : anchor.alignment == TplBtnAlignment::taRight ? TA_RIGHT
                                                                      : TA_LEFT;
    SetTextAlign(dc, align | TA_TOP);
    const int offset = PressedOffset(hasFocus_, press_.Pressed());
    const int x = anchor.x + offset;
    top += offset;

    const bool even = anchor.alignment == TplBtnAlignment::taEven;
    EvenSpacing spacing;
    std::vector<int> widths;
    if (even) {
        spacing = SpreadEvenly(anchor.available, canvas.TextWidth(caption.Caption()), count);
        for (std::string_view character : characters) {
            widths.push_back(canvas.TextWidth(character));
        }
    }
    const auto draw = [&](int left, int y) {
        if (!even) {
            canvas.TextAt(left, y, caption.Caption());
            return;
        }
        // Each pass spreads from the computed remainder again.
        const std::vector<int> lefts = EvenCharacterLefts(left, widths, spacing);
        for (int i = 0; i < count; ++i) {
            canvas.TextAt(lefts[size_t(i)], y, characters[size_t(i)]);
        }
    };
    if (DrawsDisabled(Enabled(), hasFocus_, disableImage_)) {
        FontDesc embossed = canvas.Font();
        embossed.color = clBtnHighlight;
        canvas.SetFont(embossed);
        draw(x + 1, top + 1);
        embossed.color = clBtnShadow;
        canvas.SetFont(embossed);
    }
    draw(x, top);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
}

void TplButton::PaintFrame(Canvas& canvas, HDC dc) {
    RECT rect{0, 0, Width(), Height()};
    switch (FrameFor(buttonStyle_, flatFrameType_, press_.Pressed())) {
    case ButtonFrame::Raised:
        DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
        break;
    case ButtonFrame::Pressed: {
        const BrushHandle shadow(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
        FrameRect(dc, &rect, shadow.Get());
        InflateRect(&rect, -1, -1);
        const BrushHandle grey(CreateSolidBrush(0x808080));
        FrameRect(dc, &rect, grey.Get());
        break;
    }
    case ButtonFrame::FlatBorder:
        DrawEdge(dc, &rect, EDGE_BUMP, BF_RECT | BF_FLAT);
        break;
    case ButtonFrame::Etched:
        DrawEdge(dc, &rect, EDGE_ETCHED, BF_RECT);
        break;
    case ButtonFrame::Bump:
        DrawEdge(dc, &rect, EDGE_BUMP, BF_RECT);
        break;
    case ButtonFrame::RoundRect:
        canvas.SetPen(0x757575);
        canvas.RoundRect(rect, RoundCornerDiameter, RoundCornerDiameter);
        break;
    case ButtonFrame::None:
        break;
    }
}

void TplButton::PaintFocusMark(HDC dc) {
    if (IsRoundStyle(buttonStyle_)) {
        // A dotted outline: a one-pixel pen that sets every other pixel.
        const LOGBRUSH brush{BS_SOLID, 0x202020, 0};
        const PenHandle dotted(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &brush, 0, nullptr));
        const SelectedObject pen(dc, dotted.Get());
        const SelectedObject noFill(dc, GetStockObject(NULL_BRUSH));
        ::RoundRect(dc, 2, 2, Width() - 2, Height() - 2, 5, 5);
        return;
    }
    const Rect mark = FocusMarkRect({0, 0, Width(), Height()}, buttonStyle_, flatFrameType_);
    const RECT rect{mark.left, mark.top, mark.right, mark.bottom};
    const COLORREF previous = SetTextColor(dc, 0xFFFFFF);
    DrawFocusRect(dc, &rect);
    SetTextColor(dc, previous);
}

} // namespace kolvo
