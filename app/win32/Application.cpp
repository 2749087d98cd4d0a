#include "Application.h"

namespace kolvo {

namespace {

const char ApplicationClassName[] = "KolvoApplication";

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* application = reinterpret_cast<Application*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    HWND dialog = application != nullptr ? application->MainDialog() : nullptr;
    if (message == WM_SYSCOMMAND && dialog != nullptr && IsWindow(dialog)) {
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            // The task-bar button's close command ends the program the way the dialog's close box
            // does, so that the settings are saved.
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            return 0;
        case SC_RESTORE:
            // Restoring from the task bar brings the dialog back with it.
            DefWindowProcA(window, message, wParam, lParam);
            application->Restore(dialog);
            return 0;
        default:
            break;
        }
    }
    // Activating the application window (its task-bar button) activates the dialog.
    if (message == WM_SETFOCUS && dialog != nullptr && IsWindowVisible(dialog) &&
        IsWindowEnabled(dialog)) {
        SetForegroundWindow(dialog);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

Application::~Application() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

bool Application::Initialize(HINSTANCE instance) {
    instance_ = instance;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ApplicationWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = ApplicationClassName;
    RegisterClassExA(&windowClass);
    // A visible window of no size: it owns the task-bar button and shows nothing else.
    window_ = CreateWindowExA(0, ApplicationClassName, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                              0, 0, nullptr, nullptr, instance, nullptr);
    if (window_ != nullptr) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    return window_ != nullptr;
}

void Application::SetTitle(std::string_view title) {
    title_ = std::string(title);
    if (window_ != nullptr) {
        SetWindowTextA(window_, title_.c_str());
    }
}

int Application::ShowMessage(HWND owner, std::string_view text, UINT flags) const {
    return MessageBoxA(owner, std::string(text).c_str(), title_.c_str(), flags);
}

bool Application::ProcessMessages(HWND mainDialog) {
    MSG message;
    while (!quit_ && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit_ = true;
            exitCode_ = int(message.wParam);
            // Leave the quit message for the outer loop, which ends the program.
            PostQuitMessage(exitCode_);
            break;
        }
        if (mainDialog != nullptr && IsWindow(mainDialog) &&
            IsDialogMessageA(mainDialog, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return !quit_;
}

int Application::Run(HWND mainDialog) {
    mainDialog_ = mainDialog;
    if (window_ != nullptr) {
        ShowWindow(window_, SW_SHOWNOACTIVATE);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (mainDialog != nullptr && IsWindow(mainDialog) &&
            IsDialogMessageA(mainDialog, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return int(message.wParam);
}

void Application::Minimize(HWND mainDialog) {
    if (window_ != nullptr) {
        ShowWindow(mainDialog, SW_HIDE);
        ShowWindow(window_, SW_MINIMIZE);
    } else {
        ShowWindow(mainDialog, SW_MINIMIZE);
    }
}

void Application::Restore(HWND mainDialog) {
    if (window_ != nullptr && IsIconic(window_)) {
        ShowWindow(window_, SW_RESTORE);
    }
    ShowWindow(mainDialog, SW_RESTORE);
    SetForegroundWindow(mainDialog);
}

Application& App() {
    static Application application;
    return application;
}

} // namespace kolvo
