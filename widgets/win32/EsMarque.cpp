#include "EsMarque.h"

#include <mmsystem.h>

namespace kolvo {

namespace {

constexpr char MessageWindowClass[] = "TEsScrollingMarqueeTicker";

// Runs on the system timer's own thread: it must touch nothing of the control.
void CALLBACK PostTick(UINT timerId, UINT, DWORD_PTR messageWindow, DWORD_PTR, DWORD_PTR) {
    PostMessageA(reinterpret_cast<HWND>(messageWindow), MarqueeTickMessage, timerId, 0);
}

HWND CreateMessageWindow(WNDPROC procedure) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(instance, MessageWindowClass, &existing)) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = MessageWindowClass;
        RegisterClassExA(&windowClass);
    }
    return CreateWindowExA(0, MessageWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           instance, nullptr);
}

} // namespace

TEsCustomScrollingMarquee::TEsCustomScrollingMarquee() {
    SetTransparent(false);
    // Its own colour is the window colour, but it follows its parent's until told otherwise.
    SetColor(clWindow);
    SetParentColor(true);
    messageWindow_.Reset(CreateMessageWindow(&MessageProc));
    if (messageWindow_) {
        SetWindowLongPtrA(messageWindow_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    TIMECAPS caps{};
    if (timeGetDevCaps(&caps, sizeof caps) == TIMERR_NOERROR) {
        SetMinimumResolution(MinimumTimerResolution(caps.wPeriodMin, caps.wPeriodMax));
    }
    StartTimer();
}

TEsCustomScrollingMarquee::~TEsCustomScrollingMarquee() {
    StopTimer();
    if (messageWindow_) {
        // Ticks posted before the timer died are dropped with the window.
        SetWindowLongPtrA(messageWindow_.Get(), GWLP_USERDATA, 0);
        messageWindow_.Reset();
    }
}

LRESULT CALLBACK TEsCustomScrollingMarquee::MessageProc(HWND window, UINT message, WPARAM wParam,
                                                        LPARAM lParam) {
    if (message == MarqueeTickMessage) {
        auto* marquee =
            reinterpret_cast<TEsCustomScrollingMarquee*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (marquee != nullptr && marquee->Tick()) {
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

unsigned TEsCustomScrollingMarquee::StartSystemTimer(unsigned interval, unsigned resolution) {
    if (!messageWindow_) {
        return 0;
    }
    return timeSetEvent(interval, resolution, &PostTick,
                        reinterpret_cast<DWORD_PTR>(messageWindow_.Get()),
                        TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
}

void TEsCustomScrollingMarquee::StopSystemTimer(unsigned id) {
    timeKillEvent(id);
}

void TEsCustomScrollingMarquee::Invalidate() {
    TEsCustomLabel::Invalidate();
    stale_ = true;
}

void TEsCustomScrollingMarquee::SetAlignment(TAlignment alignment) {
    TEsCustomLabel::SetAlignment(alignment);
    stale_ = true;
}

void TEsCustomScrollingMarquee::ColorChanged() {
    TEsCustomLabel::ColorChanged();
    MeasureText();
    Invalidate();
}

void TEsCustomScrollingMarquee::FontChanged() {
    TEsCustomLabel::FontChanged();
    MeasureText();
    Invalidate();
}

void TEsCustomScrollingMarquee::TextChanged() {
    TEsCustomLabel::TextChanged();
    MeasureText();
    Invalidate();
}

void TEsCustomScrollingMarquee::MeasureText() {
    stale_ = true;
    if (Parent() == nullptr) {
        return;
    }
    const WindowDc dc(Parent());
    const CanvasBinding binding(GetCanvas(), dc.Get());
    Canvas& canvas = GetCanvas();
    canvas.SetFont(Font());
    canvas.SetBrushColor(Color());
    textWidth_ = canvas.TextWidth(Caption());
    RECT rect = ClientRect();
    textHeight_ =
        canvas.DrawTextRect(Caption(), rect, DT_CALCRECT | (WordWrap() ? DT_WORDBREAK : 0));
}

MarqueeExtent TEsCustomScrollingMarquee::MarqueeSizes() const {
    return {Width(), Height(), textWidth_, textHeight_};
}

void TEsCustomScrollingMarquee::MarqueeClearArea() {
    if (Parent() == nullptr || !IsWindow(Parent()) || !Visible()) {
        return;
    }
    const WindowDc dc(Parent());
    const RECT bounds = BoundsRect();
    Canvas clearing;
    clearing.Bind(dc.Get());
    clearing.FillRect(bounds, Color());
}

void TEsCustomScrollingMarquee::Paint(Canvas& canvas) {
    const MarqueeExtent extent = MarqueeSizes();
    const TEsScrollDirection direction = ScrollDirection();
    const ImageSize size = MarqueeImageSize(direction, extent);
    if (stale_ || textImage_.Empty() || textImage_.Dc() == nullptr) {
        textImage_.SetSize(size.width, size.height);
        UINT flags = DT_EXPANDTABS;
        if (!ShowAccelChar()) {
            flags |= DT_NOPREFIX;
        }
        if (!IsHorizontal(direction)) {
            flags |= AlignmentFlags(Alignment());
            if (WordWrap()) {
                flags |= DT_WORDBREAK;
            }
        }
        if (!textImage_.Empty()) {
            RenderEffectText(textImage_.Dc(), {0, 0, size.width, size.height}, flags);
        }
        stale_ = false;
    }
    canvas.SetBrushColor(Color());
    const MarqueeOffset offset = Offset();
    canvas.Draw(offset.x, offset.y, textImage_);
    if (const auto strip = UncoveredStrip(direction, offset, extent)) {
        canvas.FillRect(ToRECT(*strip));
    }
}

} // namespace kolvo
