// dxf-readbench: how fast the DXF reader reads a large drawing and how much memory it holds,
// beside a plain memchr scan for line ends over the same file in the same run. Prints figures;
// asserts nothing.
//
// dxf-readbench --make FILE LABELS OTHER_LINES   writes the benchmark drawing to FILE
// dxf-readbench FILE                             reads FILE and prints the figures
//
// Make the drawing in one run and read it in another, so that the peak memory of the read is not
// the writer's.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "BenchDrawing.h"
#include "DrawingModel.h"
#include "DxfReader.h"
#include "NewlineScan.h"
#include "PeakMemory.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Mb(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

int Read(const std::string& path) {
    const double size = static_cast<double>(std::filesystem::file_size(path));
    const double baseline = static_cast<double>(kolvo::bench::PeakMemoryBytes());
    double readBest = 1e30;
    double scanBest = 1e30;
    std::int32_t lineCount = 0;
    std::int64_t newlines = 0;
    double peak = 0;
    // Reads and scans take turns, so that other work on the machine slows both alike.
    for (int round = 0; round < 5; ++round) {
        {
            kolvo::TDrawing drawing;
            const auto start = Clock::now();
            lineCount = kolvo::ReadDxfFile(path, drawing);
            readBest = std::min(readBest, SecondsSince(start));
            if (round == 0) {
                peak = static_cast<double>(kolvo::bench::PeakMemoryBytes());
            }
        }
        const auto start = Clock::now();
        newlines = kolvo::bench::CountNewlines(path);
        scanBest = std::min(scanBest, SecondsSince(start));
    }
    std::printf("file         : %.1f MB, %lld lines, %d LINE records\n", Mb(size),
                static_cast<long long>(newlines), lineCount);
    std::printf("memchr scan  : %.3f s, %.1f MB/s\n", scanBest, Mb(size) / scanBest);
    std::printf("reader       : %.3f s, %.1f MB/s, %.2f of the scan's speed\n", readBest,
                Mb(size) / readBest, scanBest / readBest);
    std::printf("peak memory  : %.1f MB, %.2f x the file (%.1f MB before the read)\n", Mb(peak),
                peak / size, Mb(baseline));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 5 && std::string(argv[1]) == "--make") {
            const auto bench =
                kolvo::bench::MakeBenchDrawing(std::atoi(argv[3]), std::atoi(argv[4]));
            bench.Drawing.WriteFile(argv[2]);
            return 0;
        }
        if (argc == 2) {
            return Read(argv[1]);
        }
        std::fputs("usage: dxf-readbench --make FILE LABELS OTHER_LINES | dxf-readbench FILE\n",
                   stderr);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dxf-readbench: %s\n", e.what());
        return 1;
    }
}
