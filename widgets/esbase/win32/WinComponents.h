// Windowed controls and forms as components. A form is found from any window inside it, so a
// windowless control, which knows only its parent window, can find the form it sits on.
#pragma once

#include "Component.h"

#include <windows.h>

namespace kolvo {

// A windowed control: the component stands for its window.
class TWinComponent : public TComponent {
public:
    explicit TWinComponent(TComponent* owner = nullptr, HWND handle = nullptr)
        : TComponent(owner), handle_(handle) {}

    HWND Handle() const { return handle_; }
    void SetHandle(HWND handle) { handle_ = handle; }

private:
    HWND handle_;
};

// A form: the window that holds the controls and the owner of their components.
class TFormComponent : public TWinComponent {
public:
    explicit TFormComponent(HWND handle = nullptr);
    ~TFormComponent() override;
};

// The form whose window is `window` or contains it; nullptr when it is on no form.
TFormComponent* FormOfWindow(HWND window);

} // namespace kolvo
