// kolvo-bench: writes a large synthetic reinforcement drawing to a temporary folder, runs the
// analysis on it step by step and prints how long each step took and how much memory the
// process needed. Not a test: it prints figures, and checks only that every bar was found.
//
// kolvo-bench [--labels N] [--other-lines N] [--plain-scan]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "Analysis.h"
#include "BarTrace.h"
#include "BenchDrawing.h"
#include "DrawingModel.h"
#include "DxfReader.h"
#include "PeakMemory.h"
#include "ReportFiles.h"
#include "Tally.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Mb(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

int Usage() {
    std::fputs("usage: kolvo-bench [--labels N] [--other-lines N] [--plain-scan]\n", stderr);
    return 2;
}

// Reads the drawing into `drawing` and traces it into `tally`; returns the trace time.
double ReadAndTrace(const std::string& dxf, kolvo::TTraceSearch search, kolvo::TDrawing& drawing,
                    kolvo::TTally& tally, double* readSeconds) {
    auto start = Clock::now();
    kolvo::ReadDxfFile(dxf, drawing);
    if (readSeconds != nullptr) {
        *readSeconds = SecondsSince(start);
    }
    start = Clock::now();
    kolvo::TBarTracer(drawing, tally).TraceAllLabels(search);
    return SecondsSince(start);
}

// Lines in the file at `path`.
std::int32_t LinesIn(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::int32_t lines = 0;
    for (std::string line; std::getline(file, line);) {
        ++lines;
    }
    return lines;
}

int Run(int labels, int otherLines, bool plainScan) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("kolvo-bench-" + std::to_string(Clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(folder);
    struct Cleanup {
        std::filesystem::path path;
        ~Cleanup() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } cleanup{folder};
    const std::string dxf = (folder / "bench.dxf").string();
    const std::string report = (folder / "bench.csv").string();

    auto start = Clock::now();
    std::int32_t expectedBars = 0;
    {
        // The drawing's text is let go before the analysis starts.
        const kolvo::bench::TBenchDrawing bench =
            kolvo::bench::MakeBenchDrawing(labels, otherLines);
        bench.Drawing.WriteFile(dxf);
        expectedBars = bench.ExpectedBars;
    }
    const double writeSeconds = SecondsSince(start);
    const double size = static_cast<double>(std::filesystem::file_size(dxf));

    double readSeconds = 0;
    double traceSeconds = 0;
    double sortSeconds = 0;
    double reportSeconds = 0;
    std::int32_t lineCount = 0;
    std::int32_t bars = 0;
    {
        // The step-by-step analysis is let go before the whole one starts.
        kolvo::TDrawing drawing;
        kolvo::TTally tally;
        traceSeconds =
            ReadAndTrace(dxf, kolvo::TTraceSearch::Indexed, drawing, tally, &readSeconds);
        lineCount = drawing.LineCount();
        bars = tally.Count();

        start = Clock::now();
        kolvo::SortTally(tally);
        sortSeconds = SecondsSince(start);
        start = Clock::now();
        kolvo::TReportFile summary, detail;
        if (summary.Create(report) != 0 || detail.Create((folder / "bench.txt").string()) != 0) {
            std::fputs("kolvo-bench: cannot create the reports\n", stderr);
            return 1;
        }
        kolvo::WriteDetailReport(detail, tally);
        kolvo::WriteSummaryReport(summary, tally);
        summary.Close();
        detail.Close();
        reportSeconds = SecondsSince(start);
        start = Clock::now();
    }
    // Letting the drawing and the tally go, which the whole analysis does before it returns.
    const double releaseSeconds = SecondsSince(start);

    start = Clock::now();
    kolvo::TallyBarsFromDxf(dxf, report);
    const double wholeSeconds = SecondsSince(start);
    // One detail line per bar.
    const std::int32_t wholeBars = LinesIn((folder / "bench.txt").string());

    std::printf("drawing      : %d labels, %d other lines, %d lines in all, written in %.2f s\n",
                labels, otherLines, lineCount, writeSeconds);
    std::printf("file size    : %.1f MB (%.0f bytes)\n", Mb(size), size);
    std::printf("read         : %.3f s, %.1f MB/s\n", readSeconds, Mb(size) / readSeconds);
    std::printf("trace        : %.3f s (indexed search)\n", traceSeconds);
    if (plainScan) {
        kolvo::TDrawing drawing;
        kolvo::TTally tally;
        const double plainSeconds =
            ReadAndTrace(dxf, kolvo::TTraceSearch::PlainScan, drawing, tally, nullptr);
        std::printf("trace        : %.3f s (plain table scan), %d bars\n", plainSeconds,
                    tally.Count());
    }
    std::printf("sort         : %.3f s\n", sortSeconds);
    std::printf("report       : %.3f s (detail and summary written)\n", reportSeconds);
    std::printf("release      : %.3f s (drawing and tally let go)\n", releaseSeconds);
    std::printf("whole        : %.3f s (TallyBarsFromDxf: read, trace, sort, report)\n",
                wholeSeconds);
    std::printf("peak memory  : %.1f MB\n",
                Mb(static_cast<double>(kolvo::bench::PeakMemoryBytes())));
    const bool ok = bars == expectedBars && wholeBars == expectedBars;
    std::printf("bars tallied : %d step by step, %d whole, %d drawn: %s\n", bars, wholeBars,
                expectedBars, ok ? "OK" : "MISMATCH");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    int labels = 2000;
    int otherLines = 100000;
    bool plainScan = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--plain-scan") {
            plainScan = true;
        } else if ((arg == "--labels" || arg == "--other-lines") && i + 1 < argc) {
            char* end = nullptr;
            const long value = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || value < 0 || value > 1000000) {
                return Usage();
            }
            (arg == "--labels" ? labels : otherLines) = static_cast<int>(value);
        } else {
            return Usage();
        }
    }
    try {
        return Run(labels, otherLines, plainScan);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kolvo-bench: %s\n", e.what());
        return 1;
    }
}
