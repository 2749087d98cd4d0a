// Owning wrappers for the few Win32 handles the shell creates: each is released exactly once,
// also when a handler leaves early.
#pragma once

#include <windows.h>

#include <utility>

namespace kolvo {

template <typename Handle, auto Free> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, Handle{}));
        }
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    // Gives up ownership without releasing (the handle is gone or released elsewhere).
    Handle Release() { return std::exchange(handle_, Handle{}); }
    explicit operator bool() const { return handle_ != Handle{}; }
    void Reset(Handle handle = Handle{}) {
        if (handle_ != Handle{}) {
            Free(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_{};
};

inline void DeleteGdiObject(HFONT font) {
    DeleteObject(font);
}
inline void DestroyWindowHandle(HWND window) {
    DestroyWindow(window);
}
inline void CloseKernelHandle(HANDLE handle) {
    CloseHandle(handle);
}

using FontHandle = UniqueHandle<HFONT, DeleteGdiObject>;
using WindowHandle = UniqueHandle<HWND, DestroyWindowHandle>;
using KernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;

// A window's device context, released with the window it came from.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

} // namespace kolvo
