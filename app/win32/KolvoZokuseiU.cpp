#include "KolvoZokuseiU.h"

#include "Application.h"
#include "DialogBanner.h"
#include "DialogRunEnvironment.h"
#include "Errors.h"
#include "SettingsFile.h"

#include <new>

namespace kolvo {

const std::string_view ApplicationTitle = "属性値を得る";
const std::string_view CodePageMessage =
    "Kolvo は日本語の Windows (コードページ 932) で使ってください";
const std::string_view DialogCaption = "配筋の集計値を得る";
const std::string_view DialogFontName = "ＭＳ Ｐゴシック";
const char DialogClassName[] = "TKolvoZokuSeiF";

const ControlLayout KolvoControls[7] = {
    {"plButton1", IdPlButton1, ControlKind::GradientButton, 168, 96, 75, 26, "実　行", 0},
    {"plButton2", IdPlButton2, ControlKind::GradientButton, 16, 96, 75, 26, "閉じる", 1},
    {"Edit1", IdEdit1, ControlKind::Edit, 8, 64, 249, 20, "", 2},
    {"Button1", IdButton1, ControlKind::PushButton, 208, 48, 51, 17, "参照", 3},
    // Lies below the client area's bottom edge and is never seen.
    {"Button2", IdButton2, ControlKind::PushButton, 16, 168, 75, 25, "解析", 4},
    {"Label1", IdLabel1, ControlKind::Label, 8, 48, 124, 12, "結果保存CSVファイル名", -1},
    // Wider than the client area: its right part is clipped by the dialog's edge.
    {"EsScrollingMarquee1", IdEsScrollingMarquee1, ControlKind::Banner, 8, 8, 329, 35,
     "選択した配筋の集計値をCSVファイルへ保存します", -1},
};

namespace {

constexpr DWORD DialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr DWORD DialogExStyle =
    WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;

bool RegisterDialogClass(HINSTANCE instance) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, DialogClassName, &existing)) {
        return true;
    }
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA; // replaced per window below
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = DialogClassName;
    return RegisterClassExA(&windowClass) != 0;
}

// "実　行" and "閉じる": a gradient down to money green, the caption 8 pixels from the top. The
// window text is the caption, so screen readers and automation find them by it.
HWND SetUpGradientButton(TplButton& button, const ControlLayout& control, HWND dialog) {
    button.SetName(control.name);
    button.SetControlId(control.id);
    button.SetBounds(control.left, control.top, control.width, control.height);
    button.SetGradEndColor(0xC0DCC0);
    button.Image().SetTop(0);
    button.SetDisableImage(false);
    button.SetCaptionTop(8);
    button.SetCaptionVertCenter(false);
    button.SetParent(dialog);
    button.CaptionA().SetCaption(control.text);
    return button.Handle();
}

} // namespace

TKolvoZokuSeiF::TKolvoZokuSeiF(HINSTANCE instance, HWND owner, DialogServices services,
                               bool endsProgram)
    : instance_(instance), owner_(owner), services_(std::move(services)),
      endsProgram_(endsProgram) {
    if (!RegisterDialogClass(instance)) {
        return;
    }
    RECT frame{0, 0, DialogClientWidth, DialogClientHeight};
    AdjustWindowRectEx(&frame, DialogStyle, FALSE, DialogExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND window =
        CreateWindowExA(DialogExStyle, DialogClassName, std::string(DialogCaption).c_str(),
                        DialogStyle, left, top, width, height, owner, nullptr, instance, nullptr);
    if (window == nullptr) {
        return;
    }
    window_.Reset(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));

    // A fixed dialog: its system menu offers moving and closing only.
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) {
        DeleteMenu(systemMenu, command, MF_BYCOMMAND);
    }

    font_.Reset(CreateFontA(-DialogFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            std::string(DialogFontName).c_str()));
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    CreateControls();
    FormCreate();
}

TKolvoZokuSeiF::~TKolvoZokuSeiF() {
    // The banner's timer and message window go before the dialog they paint on.
    esScrollingMarquee1_.reset();
    if (HWND window = window_.Release()) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

void TKolvoZokuSeiF::CreateControls() {
    // Created in tab order: the order of the child windows is the order Tab moves in.
    for (const ControlLayout& control : KolvoControls) {
        if (control.kind == ControlKind::Banner) {
            esScrollingMarquee1_ = CreateBanner(window_.Get(), control);
            continue;
        }
        if (control.kind == ControlKind::GradientButton) {
            HWND child = SetUpGradientButton(control.id == IdPlButton1 ? plButton1_ : plButton2_,
                                             control, window_.Get());
            SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
            continue;
        }
        const char* windowClass = "BUTTON";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        switch (control.kind) {
        case ControlKind::PushButton:
        case ControlKind::GradientButton:
            style |= BS_PUSHBUTTON;
            break;
        case ControlKind::Edit:
            windowClass = "EDIT";
            style |= ES_LEFT | ES_AUTOHSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Label:
        case ControlKind::Banner:
            windowClass = "STATIC";
            style |= SS_LEFT | SS_NOPREFIX;
            break;
        }
        if (control.tabOrder >= 0) {
            style |= WS_TABSTOP;
        }
        HWND child = CreateWindowExA(exStyle, windowClass, control.text, style, control.left,
                                     control.top, control.width, control.height, window_.Get(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                     instance_, nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    }
}

void TKolvoZokuSeiF::Show() {
    ShowWindow(window_.Get(), SW_SHOW);
    SetForegroundWindow(window_.Get());
    // The first tab stop takes the focus, as in any dialog.
    SetFocus(Control(IdPlButton1));
}

void TKolvoZokuSeiF::Minimize() {
    if (owner_ != nullptr && owner_ == App().Handle()) {
        App().Minimize(window_.Get());
    } else {
        ShowWindow(window_.Get(), SW_MINIMIZE);
    }
}

void TKolvoZokuSeiF::Restore() {
    if (owner_ != nullptr && owner_ == App().Handle()) {
        App().Restore(window_.Get());
    } else {
        ShowWindow(window_.Get(), SW_RESTORE);
    }
}

void TKolvoZokuSeiF::EndQuestions() {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            char className[16] = {};
            GetClassNameA(window, className, sizeof className);
            if (std::string_view(className) == "#32770" && IsWindowVisible(window) &&
                GetDlgItem(window, IDYES) != nullptr && GetDlgItem(window, IDNO) != nullptr) {
                PostMessageA(window, WM_COMMAND, IDNO, 0);
            }
            return TRUE;
        },
        0);
}

void TKolvoZokuSeiF::PauseBanner(bool paused) {
    // A banner nobody sees would go on posting its hundred ticks a second into a queue that a
    // run reads only every 200 ms; it stays active and goes on from where it stood.
    if (!esScrollingMarquee1_) {
        return;
    }
    if (paused) {
        esScrollingMarquee1_->StopTimer();
    } else {
        esScrollingMarquee1_->StartTimer();
    }
}

void TKolvoZokuSeiF::Close() {
    SendMessageA(window_.Get(), WM_CLOSE, 0, 0);
}

std::string TKolvoZokuSeiF::SettingsPath() const {
    return workFolder_.SettingsPath(services_.executablePath());
}

std::string TKolvoZokuSeiF::ReportName() const {
    HWND edit = Control(IdEdit1);
    std::string text(size_t(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(size_t(GetWindowTextA(edit, text.data(), int(text.size()))));
    return text;
}

void TKolvoZokuSeiF::SetReportName(std::string_view name) {
    SetWindowTextA(Control(IdEdit1), std::string(name).c_str());
}

void TKolvoZokuSeiF::FormCreate() {
    // The field's design text is never shown, even when there is no settings file.
    SetReportName("");
    EsScrollingMarquee1().SetActive(true);
    workFolder_ = UserWorkFolder::Open(services_.appDataFolder(owner_), services_.localTime);
    SetReportName(ReadSavedReportName(SettingsPath()));
}

void TKolvoZokuSeiF::FormClose() {
    const std::string path = SettingsPath();
    if (!WriteSavedReportName(path, ReportName())) {
        // Reported, and the dialog closes anyway: a user must never be kept in it.
        services_.showError(window_.Get(), SettingsWriteFailedMessage(path));
    }
}

void TKolvoZokuSeiF::Button1Click() {
    std::string path;
    if (services_.browseForSave(window_.Get(), path)) {
        SetReportName(path);
    }
}

void TKolvoZokuSeiF::Button5Click() {
    Close();
}

void TKolvoZokuSeiF::Button4Click() {
    // The run lets the dialog handle its messages while it waits for the host, so the button can
    // be pressed again; a second run inside the first would talk over it to the same host.
    if (running_) {
        return;
    }
    running_ = true;
    closing_ = false;
    HWND window = window_.Get();
    try {
        DialogRunEnvironment environment(*this, services_);
        lastRun_ = RunQuantity(environment, BaseName());
    } catch (const std::exception& error) {
        // The drawing could not be read or a report not written: the run ends here, the dialog
        // stays usable and the user is told why, in words (not the runtime's name of a failed
        // allocation).
        if (!closing_) {
            Restore();
        }
        const bool outOfMemory = dynamic_cast<const std::bad_alloc*>(&error) != nullptr;
        services_.showError(window, outOfMemory ? OutOfMemoryMessage : error.what());
    }
    running_ = false;
    if (closing_) {
        // The close asked for during the run, now that nothing runs under the dialog.
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
}

void TKolvoZokuSeiF::Button2Click() {
    // "解析" lies outside the visible client area and does nothing.
}

LRESULT CALLBACK TKolvoZokuSeiF::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* form = reinterpret_cast<TKolvoZokuSeiF*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return form->HandleMessage(message, wParam, lParam);
}

LRESULT TKolvoZokuSeiF::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_.Get();
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            switch (LOWORD(wParam)) {
            case IdButton1:
                Button1Click();
                return 0;
            case IdPlButton2:
                Button5Click();
                return 0;
            case IdPlButton1:
                Button4Click();
                return 0;
            case IdButton2:
                Button2Click();
                return 0;
            default:
                break; // IDOK and IDCANCEL from Enter and Esc: no button answers them
            }
        }
        return 0;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_ACTIVATE:
        // Coming back to the dialog puts the focus back where the user left it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            lastFocus_ = focus != nullptr && IsChild(window, focus) ? focus : lastFocus_;
        } else if (!HIWORD(wParam)) {
            SetFocus(lastFocus_ != nullptr && IsWindow(lastFocus_) ? lastFocus_
                                                                   : Control(IdPlButton1));
            return 0;
        }
        break;
    case WM_CLOSE:
        if (running_) {
            // The run still uses the dialog: it ends at its next look at the host, and the
            // dialog closes after it. A question it is asking is answered No, so that the close
            // does not wait for it.
            closing_ = true;
            EndQuestions();
            return 0;
        }
        FormClose();
        DestroyWindow(window);
        return 0;
    case WM_PAINT:
        return PaintWindowlessControls(window, {esScrollingMarquee1_.get()});
    case WM_SHOWWINDOW:
        // Hidden while its owner sits on the task bar during a run.
        PauseBanner(wParam == FALSE);
        break;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED || wParam == SIZE_RESTORED) {
            PauseBanner(wParam == SIZE_MINIMIZED);
        }
        break;
    case WM_DESTROY:
        // No tick moves the banner once its dialog is going.
        if (esScrollingMarquee1_) {
            esScrollingMarquee1_->SetActive(false);
        }
        if (endsProgram_) {
            PostQuitMessage(0);
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window_.Release();
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace kolvo
