#include "Picture.h"

namespace kolvo {

void Picture::SetBitmap(BitmapHandle bitmap) {
    Clear();
    if (bitmap) {
        bitmap_ = std::move(bitmap);
        kind_ = PictureKind::Bitmap;
        Measure();
    }
}

void Picture::SetIcon(IconHandle icon) {
    Clear();
    if (icon) {
        icon_ = std::move(icon);
        kind_ = PictureKind::Icon;
        Measure();
    }
}

void Picture::Clear() {
    bitmap_.Reset();
    icon_.Reset();
    kind_ = PictureKind::None;
    width_ = 0;
    height_ = 0;
}

void Picture::Assign(const Picture& other) {
    if (&other == this) {
        return;
    }
    switch (other.kind_) {
    case PictureKind::Bitmap:
        SetBitmap(BitmapHandle(
            static_cast<HBITMAP>(CopyImage(other.bitmap_.Get(), IMAGE_BITMAP, 0, 0, 0))));
        break;
    case PictureKind::Icon:
        SetIcon(IconHandle(CopyIcon(other.icon_.Get())));
        break;
    case PictureKind::None:
        Clear();
        break;
    }
}

void Picture::Measure() {
    if (kind_ == PictureKind::Bitmap) {
        BITMAP info{};
        GetObjectA(bitmap_.Get(), sizeof info, &info);
        width_ = info.bmWidth;
        height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    } else if (kind_ == PictureKind::Icon) {
        ICONINFO info{};
        if (GetIconInfo(icon_.Get(), &info)) {
            // The icon's own bitmaps are copies handed to the caller.
            const BitmapHandle mask(info.hbmMask);
            const BitmapHandle colour(info.hbmColor);
            BITMAP bitmap{};
            GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
            width_ = bitmap.bmWidth;
            // Without a colour bitmap the mask holds the AND and the XOR halves one above the
            // other.
            height_ = colour ? bitmap.bmHeight : bitmap.bmHeight / 2;
        }
    }
}

} // namespace kolvo
