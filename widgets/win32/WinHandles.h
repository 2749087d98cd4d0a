// Owning wrappers for the Win32 handles the shell and the display components create: each is
// released exactly once, also when a handler or a painter leaves early.
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

// A GDI object must not be selected into a device context when it is deleted; the owners below
// select it out first (SelectedObject, Canvas::Unbind).
template <typename Object> void DeleteGdiObject(Object object) {
    DeleteObject(object);
}
inline void DeleteMemoryDc(HDC dc) {
    DeleteDC(dc);
}
inline void DestroyWindowHandle(HWND window) {
    DestroyWindow(window);
}
inline void CloseKernelHandle(HANDLE handle) {
    CloseHandle(handle);
}

using FontHandle = UniqueHandle<HFONT, DeleteGdiObject<HFONT>>;
using BitmapHandle = UniqueHandle<HBITMAP, DeleteGdiObject<HBITMAP>>;
using BrushHandle = UniqueHandle<HBRUSH, DeleteGdiObject<HBRUSH>>;
using PenHandle = UniqueHandle<HPEN, DeleteGdiObject<HPEN>>;
using RegionHandle = UniqueHandle<HRGN, DeleteGdiObject<HRGN>>;
// A device context of our own (CreateCompatibleDC), deleted rather than released.
using MemoryDcHandle = UniqueHandle<HDC, DeleteMemoryDc>;
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

// BeginPaint .. EndPaint of one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(window_, &paint_); }
    HDC Get() const { return dc_; }
    const RECT& UpdateRect() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// An object selected into a device context for a scope; the previous one goes back at the end.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace kolvo
