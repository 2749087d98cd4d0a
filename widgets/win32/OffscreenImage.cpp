#include "OffscreenImage.h"

namespace kolvo {

OffscreenImage::~OffscreenImage() {
    canvas_.Unbind();
    if (dc_ && initialBitmap_ != nullptr) {
        SelectObject(dc_.Get(), initialBitmap_);
    }
}

bool OffscreenImage::SetSize(int width, int height) {
    if (width == width_ && height == height_ && (bitmap_ || width <= 0 || height <= 0)) {
        return true;
    }
    if (!dc_) {
        dc_.Reset(CreateCompatibleDC(nullptr));
        if (!dc_) {
            return false;
        }
        canvas_.Bind(dc_.Get());
    }
    BitmapHandle created;
    void* bits = nullptr;
    if (width > 0 && height > 0) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        created.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    }
    // The old bitmap leaves the context before it is deleted; an empty image gives the context
    // its own bitmap back.
    if (created) {
        HGDIOBJ replaced = SelectObject(dc_.Get(), created.Get());
        if (initialBitmap_ == nullptr) {
            initialBitmap_ = replaced;
        }
    } else if (initialBitmap_ != nullptr) {
        SelectObject(dc_.Get(), initialBitmap_);
    }
    bitmap_ = std::move(created);
    bits_ = static_cast<std::uint32_t*>(bits);
    const bool made = bitmap_ || width <= 0 || height <= 0;
    width_ = bitmap_ ? width : 0;
    height_ = bitmap_ ? height : 0;
    return made;
}

TColor OffscreenImage::PixelAt(int x, int y) const {
    if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    GdiFlush();
    const std::uint32_t pixel = bits_[size_t(y) * size_t(width_) + size_t(x)];
    return TColor((pixel >> 16) & 0xFF) | TColor(pixel & 0xFF00) | TColor(pixel & 0xFF) << 16;
}

void OffscreenImage::SetPixelAt(int x, int y, TColor color) {
    if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    GdiFlush();
    const ColorBytes bytes = SplitColor(color);
    bits_[size_t(y) * size_t(width_) + size_t(x)] = std::uint32_t(bytes.red) << 16 |
                                                    std::uint32_t(bytes.green) << 8 |
                                                    std::uint32_t(bytes.blue);
}

} // namespace kolvo
