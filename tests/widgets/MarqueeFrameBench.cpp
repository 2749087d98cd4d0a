// Not a test: prints how long one frame of the dialog's banner takes, that is rendering the
// effect text into the off-screen image (the tick marks it stale) and copying it into place.
// Run under Wine: wine widgets_marquee_bench.exe [frames]
#include "EsMarque.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace kolvo;

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    WindowHandle parent(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr));
    TEsScrollingMarquee banner;
    banner.SetParent(parent.Get());
    banner.ParentColorChanged(clBtnFace);
    banner.SetBounds(8, 8, 329, 35);
    FontDesc font;
    font.name = "Times New Roman";
    font.height = -27;
    font.charset = ShiftJisCharset;
    font.color = 0x808080;
    banner.SetFont(font);
    banner.SetCaption("選択した配筋の集計値をCSVファイルへ保存します");
    OffscreenImage surface(263, 133); // stands for the dialog's client area

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    times.reserve(size_t(frames));
    for (int i = 0; i < frames; ++i) {
        banner.Invalidate(); // what each tick does
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        banner.PaintOn(surface.Dc(), RECT{0, 0, 263, 133});
        GdiFlush();
        QueryPerformanceCounter(&end);
        times.push_back(double(end.QuadPart - start.QuadPart) * 1000.0 /
                        double(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    double total = 0;
    for (double t : times) {
        total += t;
    }
    std::printf("banner frame (render %dx%d image + copy), %d frames: mean %.3f ms, median %.3f "
                "ms, 95th percentile %.3f ms, max %.3f ms; tick interval 10 ms\n",
                banner.TextImage().Width(), banner.TextImage().Height(), frames, total / frames,
                times[times.size() / 2], times[times.size() * 95 / 100], times.back());
    return 0;
}
