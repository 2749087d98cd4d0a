// The application object: the hidden top-level window that carries the application title on the
// task-bar button, the message loop, and message boxes captioned with the title. The main dialog
// is owned by it, so the dialog itself has no task-bar button of its own.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kolvo {

class Application {
public:
    Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    // Creates the application window; false when Windows refuses it.
    bool Initialize(HINSTANCE instance);
    void SetTitle(std::string_view title);
    const std::string& Title() const { return title_; }
    HWND Handle() const { return window_; }
    HINSTANCE Instance() const { return instance_; }
    HWND MainDialog() const { return mainDialog_; }

    // A modal message box with the application title as caption.
    int ShowMessage(HWND owner, std::string_view text, UINT flags) const;

    // Runs the message loop until the main dialog posts the quit message; keyboard navigation
    // (Tab, arrows) is handled for `mainDialog`.
    int Run(HWND mainDialog);
    // Handles every pending message and returns; false once the quit message has come.
    bool ProcessMessages(HWND mainDialog);
    // The quit message has come while messages were handled outside the loop.
    bool Quitting() const { return quit_; }

    // Minimising goes through the application window, as the task-bar button belongs to it.
    void Minimize(HWND mainDialog);
    void Restore(HWND mainDialog);

private:
    HINSTANCE instance_ = nullptr;
    HWND window_ = nullptr;
    HWND mainDialog_ = nullptr;
    std::string title_;
    bool quit_ = false;
    int exitCode_ = 0;
};

// The program's single application object.
Application& App();

} // namespace kolvo
