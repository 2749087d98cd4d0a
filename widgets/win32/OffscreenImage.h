// An off-screen image: a bitmap selected into a memory device context of its own, with a canvas
// bound to that context. The bitmap is a 32-bit top-down DIB section, so its pixels can also be
// read and written directly.
#pragma once

#include "Canvas.h"
#include "WinHandles.h"

#include <windows.h>

#include <cstdint>

namespace kolvo {

class OffscreenImage {
public:
    OffscreenImage() = default;
    OffscreenImage(int width, int height) { SetSize(width, height); }
    OffscreenImage(const OffscreenImage&) = delete;
    OffscreenImage& operator=(const OffscreenImage&) = delete;
    ~OffscreenImage();

    // A new bitmap of that size (content undefined) when the size differs; 0 x 0 empties it.
    // Returns false when the system has no memory for it (the image is then empty).
    bool SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0 || !bitmap_; }

    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    // Bound to the image's context for the image's life.
    Canvas& GetCanvas() { return canvas_; }

    // The pixel at (x, y) as 0x00BBGGRR; pending drawing is finished first.
    TColor PixelAt(int x, int y) const;
    void SetPixelAt(int x, int y, TColor color);
    // Row-major pixels of Width() per row, each 0x00RRGGBB as the DIB stores them.
    std::uint32_t* Bits() { return bits_; }

private:
    MemoryDcHandle dc_;
    BitmapHandle bitmap_;
    HGDIOBJ initialBitmap_ = nullptr; // the memory context's own, selected back before deletion
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    Canvas canvas_; // declared last: unbound before the context goes
};

} // namespace kolvo
