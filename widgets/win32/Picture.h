// A picture a control shows: a bitmap or an icon, owned, copied by content. Other kinds of
// graphic are not held; an empty picture draws nothing.
#pragma once

#include "WinHandles.h"

#include <windows.h>

namespace kolvo {

inline void DestroyIconHandle(HICON icon) {
    DestroyIcon(icon);
}
using IconHandle = UniqueHandle<HICON, DestroyIconHandle>;

enum class PictureKind { None, Bitmap, Icon };

class Picture {
public:
    Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Takes ownership of the graphic; the earlier one is freed.
    void SetBitmap(BitmapHandle bitmap);
    void SetIcon(IconHandle icon);
    void Clear();
    // Copies the other picture's content (a new bitmap or icon of this picture's own).
    void Assign(const Picture& other);

    PictureKind Kind() const { return kind_; }
    bool Empty() const { return kind_ == PictureKind::None; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    HICON Icon() const { return icon_.Get(); }

private:
    void Measure();

    PictureKind kind_ = PictureKind::None;
    BitmapHandle bitmap_;
    IconHandle icon_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace kolvo
