// The notice drawn on a memory bitmap: where it lands, in which colours and font. (Drawn through
// another program's window, Wine shows it neither in that window nor on the screen.)
#include "Notice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace kolvo {
namespace {

constexpr int Width = 600;
constexpr int Height = 60;
constexpr std::uint32_t White = 0x00FFFFFF;
constexpr std::uint32_t Pink = 0x00FF7F7F; // 0x00RRGGBB in a 32-bit DIB
constexpr std::uint32_t Black = 0x00000000;

class MemoryCanvas {
public:
    MemoryCanvas() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = -Height; // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < Width * Height; ++i) {
            static_cast<std::uint32_t*>(bits_)[i] = White;
        }
    }
    ~MemoryCanvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC Dc() const { return dc_; }
    std::uint32_t Pixel(int x, int y) const {
        GdiFlush();
        return static_cast<const std::uint32_t*>(bits_)[y * Width + x] & 0x00FFFFFF;
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

TEST(Notice, BlackOnLightRedAtTheBottomLeftOfTheGivenHeight) {
    MemoryCanvas canvas;
    // 集計結果をC:\data\bars.csvへ保存しました
    const std::string text = "\x8f\x57\x8c\x76\x8c\x8b\x89\xca\x82\xf0"
                             "C:\\data\\bars.csv\x82\xd6\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb5"
                             "\x82\xbd";
    SIZE extent{};
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.Dc(), text.c_str(), int(text.size()), &extent));
    ASSERT_GT(extent.cx, 0);
    ASSERT_LT(extent.cx, Width);
    // The window is shorter than the canvas: the notice sits on the window's bottom edge.
    const int windowHeight = 50;
    ASSERT_LT(extent.cy, windowHeight);
    SetBkColor(canvas.Dc(), RGB(1, 2, 3));
    SetTextColor(canvas.Dc(), RGB(4, 5, 6));

    DrawNotice(canvas.Dc(), windowHeight, text);

    const int top = windowHeight - extent.cy;
    int pink = 0;
    int black = 0;
    int white = 0;
    for (int y = top; y < windowHeight; ++y) {
        for (int x = 0; x < extent.cx; ++x) {
            const std::uint32_t pixel = canvas.Pixel(x, y);
            pink += pixel == Pink;
            black += pixel == Black;
            white += pixel == White;
        }
    }
    const int area = extent.cx * extent.cy;
    EXPECT_GT(black, 0) << "the text is drawn";
    EXPECT_GT(pink, area / 2) << "on an opaque light-red background";
    EXPECT_EQ(white, 0) << "the whole text cell is painted";

    // Nothing outside the measured cell: exactly the default font's extent, at x 0.
    for (int x = 0; x < Width; ++x) {
        EXPECT_EQ(canvas.Pixel(x, top - 1), White) << x;
        EXPECT_EQ(canvas.Pixel(x, windowHeight), White) << x;
    }
    for (int y = 0; y < Height; ++y) {
        EXPECT_EQ(canvas.Pixel(extent.cx, y), White) << y;
    }
    EXPECT_EQ(canvas.Pixel(0, top), Pink);
    EXPECT_EQ(canvas.Pixel(0, windowHeight - 1), Pink);

    // The other program's device context keeps its own colours.
    EXPECT_EQ(GetBkColor(canvas.Dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(4, 5, 6));
}

TEST(Notice, LandsOnTheBottomOfTheClientAreaNotOfTheFrame) {
    // A frame with a caption and borders: its outer height is more than the area drawn in.
    const HWND window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    RECT frame{}, area{};
    GetWindowRect(window, &frame);
    GetClientRect(window, &area);
    ASSERT_LT(area.bottom, frame.bottom - frame.top);
    EXPECT_EQ(NoticeAreaHeight(window), area.bottom);
    DestroyWindow(window);
    EXPECT_EQ(NoticeAreaHeight(window), -1);
}

} // namespace
} // namespace kolvo
