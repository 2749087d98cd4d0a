// kolvo-bench: writes large synthetic reinforcement drawings to a temporary folder, runs the
// analysis on them and prints how long each step took and how much memory it needed. Not a
// test: it prints figures, and checks only that every bar was found.
//
// kolvo-bench [--labels N] [--other-lines N] [--layout NAME] [--plain-scan]
//     One drawing, step by step.
// kolvo-bench --series [--sizes N,N,...] [--adversarial N] [--repeat N] [--plain-scan]
//     How the analysis grows with the drawing (20 lines per label), how the layouts that have
//     made searches slow compare with the plain one, the reader beside a newline scan of the
//     same file, and the peak memory against the file size; each drawing is measured in a
//     process of its own.
// kolvo-bench --differential N [--first-seed N]
//     Traces N random drawings full of ties with the indexed searches and with the plain scans
//     and checks that both give the same tally (the tests run a few hundred of them).
// kolvo-bench --project [--drawings N] [--labels N] [--other-lines N] [--repeat N]
//     A project of N copies of one drawing (24 of 2,000 labels unless told) on one thread and
//     on two, and its peak memory against one drawing's.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Analysis.h"
#include "BarTrace.h"
#include "BenchDrawing.h"
#include "CheckOutputs.h"
#include "DrawingModel.h"
#include "DxfReader.h"
#include "NewlineScan.h"
#include "OutputFiles.h"
#include "PeakMemory.h"
#include "ProjectBench.h"
#include "ReportFiles.h"
#include "Tally.h"
#include "TempFolder.h"
#include "ThisProgram.h"
#include "TieDrawings.h"

namespace {

using Clock = std::chrono::steady_clock;
using kolvo::bench::TBenchLayout;
using kolvo::bench::TTempFolder;

constexpr TBenchLayout AllLayouts[] = {TBenchLayout::Plain, TBenchLayout::FarStray,
                                       TBenchLayout::OthersFirst, TBenchLayout::LongLines,
                                       TBenchLayout::TiplessLeads};
const char* const LayoutKeys[] = {"plain", "far-stray", "others-first", "long-lines", "tipless"};

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Mb(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

int Usage() {
    std::fputs("usage: kolvo-bench [--labels N] [--other-lines N] [--layout NAME] [--plain-scan]\n"
               "       kolvo-bench --series [--sizes N,N,...] [--adversarial N] [--repeat N] "
               "[--plain-scan]\n"
               "       kolvo-bench --differential N [--first-seed N]\n"
               "       kolvo-bench --project [--drawings N] [--labels N] [--other-lines N] "
               "[--repeat N]\n"
               "layouts: plain, far-stray, others-first, long-lines, tipless\n",
               stderr);
    return 2;
}

// Writes the drawing; returns the number of bars in it. The drawing's text is let go before
// this returns.
std::int32_t WriteDrawing(const std::string& dxf, int labels, int otherLines, TBenchLayout layout) {
    const kolvo::bench::TBenchDrawing bench =
        kolvo::bench::MakeBenchDrawing(labels, otherLines, layout);
    bench.Drawing.WriteFile(dxf);
    return bench.ExpectedBars;
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

int RunOne(int labels, int otherLines, TBenchLayout layout, bool plainScan) {
    const TTempFolder folder;
    const std::string dxf = (folder.Path / "bench.dxf").string();
    const std::string report = (folder.Path / "bench.csv").string();

    auto start = Clock::now();
    const std::int32_t expectedBars = WriteDrawing(dxf, labels, otherLines, layout);
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
        if (!kolvo::WriteFileSet({{report, kolvo::SummaryText(tally)},
                                  {(folder.Path / "bench.txt").string(), kolvo::DetailText(tally)}})
                 .Written()) {
            std::fputs("kolvo-bench: cannot write the reports\n", stderr);
            return 1;
        }
        reportSeconds = SecondsSince(start);
        start = Clock::now();
    }
    // Letting the drawing and the tally go, which the whole analysis does before it returns.
    const double releaseSeconds = SecondsSince(start);

    start = Clock::now();
    kolvo::TallyBarsFromDxf(dxf, report);
    const double wholeSeconds = SecondsSince(start);
    // One detail line per bar.
    const std::int32_t wholeBars = LinesIn((folder.Path / "bench.txt").string());

    std::printf("drawing      : %d labels, %d other lines, %s, %d lines in all, written in "
                "%.2f s\n",
                labels, otherLines, kolvo::bench::LayoutName(layout), lineCount, writeSeconds);
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
    {
        // The check outputs of the same drawing side by side: the picture alone and the page
        // that holds it with the labels, the check list and the tables.
        start = Clock::now();
        const kolvo::TAnalysis analysis = kolvo::Analyse(dxf, kolvo::TTraceKeeping::Everything);
        const double analyseSeconds = SecondsSince(start);
        start = Clock::now();
        const std::string picture = kolvo::CheckPictureText(analysis);
        const double pictureSeconds = SecondsSince(start);
        start = Clock::now();
        const std::string page = kolvo::CheckPageText(analysis, {"bench.dxf", "", 1.0});
        const double pageSeconds = SecondsSince(start);
        std::printf("check        : analysis keeping the whole trace %.3f s; picture (.svg) "
                    "%.3f s, %.1f MB; page (.html) %.3f s, %.1f MB\n",
                    analyseSeconds, pictureSeconds, Mb(static_cast<double>(picture.size())),
                    pageSeconds, Mb(static_cast<double>(page.size())));
    }
    const bool ok = bars == expectedBars && wholeBars == expectedBars;
    std::printf("bars tallied : %d step by step, %d whole, %d drawn: %s\n", bars, wholeBars,
                expectedBars, ok ? "OK" : "MISMATCH");
    return ok ? 0 : 1;
}

// --- The series, each drawing measured in a child process ---

struct TMeasure {
    double ScanSeconds = 0, ReadSeconds = 0, TraceSeconds = 0;
    double PeakBytes = 0, FileBytes = 0;
    long long Bars = 0, Lines = 0;
    long long Newlines = 0; // what the scan counted
};

// The child: newline scan, read and trace of one file; the figures go to `result`.
int Measure(const std::string& dxf, const std::string& result, bool plainScan) {
    TMeasure m;
    // The count is handed back, or the compiler may drop the scan it does not use. The first
    // scan of a process runs slower than the rest, so the faster of two is kept.
    for (int scan = 0; scan < 2; ++scan) {
        const auto start = Clock::now();
        m.Newlines = kolvo::bench::CountNewlines(dxf);
        const double seconds = SecondsSince(start);
        m.ScanSeconds = scan == 0 ? seconds : std::min(m.ScanSeconds, seconds);
    }
    m.FileBytes = static_cast<double>(std::filesystem::file_size(dxf));
    kolvo::TDrawing drawing;
    kolvo::TTally tally;
    m.TraceSeconds =
        ReadAndTrace(dxf, plainScan ? kolvo::TTraceSearch::PlainScan : kolvo::TTraceSearch::Indexed,
                     drawing, tally, &m.ReadSeconds);
    m.PeakBytes = static_cast<double>(kolvo::bench::PeakMemoryBytes());
    m.Bars = tally.Count();
    m.Lines = drawing.LineCount();
    std::FILE* out = std::fopen(result.c_str(), "w");
    if (out == nullptr) {
        return 1;
    }
    std::fprintf(out, "%.9f %.9f %.9f %.0f %.0f %lld %lld %lld\n", m.ScanSeconds, m.ReadSeconds,
                 m.TraceSeconds, m.PeakBytes, m.FileBytes, m.Bars, m.Lines, m.Newlines);
    return std::fclose(out) == 0 ? 0 : 1;
}

bool RunMeasure(const std::string& self, const std::string& dxf, const std::string& result,
                bool plainScan, TMeasure& m) {
    std::vector<std::string> args = {"--measure", dxf, result};
    if (plainScan) {
        args.push_back("--plain-scan");
    }
    if (kolvo::bench::RunProgram(self, args) != 0) {
        return false;
    }
    std::FILE* in = std::fopen(result.c_str(), "r");
    if (in == nullptr) {
        return false;
    }
    const int fields =
        std::fscanf(in, "%lf %lf %lf %lf %lf %lld %lld %lld", &m.ScanSeconds, &m.ReadSeconds,
                    &m.TraceSeconds, &m.PeakBytes, &m.FileBytes, &m.Bars, &m.Lines, &m.Newlines);
    std::fclose(in);
    return fields == 8 && m.Newlines > 0;
}

// Other lines per label in the series: with the label's own 7 lines on average, 21 a label.
constexpr int OtherLinesPerLabel = 14;

int RunSeries(const std::string& self, const std::vector<int>& sizes, int adversarialLabels,
              int repeat, bool plainScan) {
    const TTempFolder folder;
    const std::string result = (folder.Path / "result.txt").string();
    bool ok = true;

    // A plan written once and measured in every round.
    struct TPlan {
        int Labels = 0;
        TBenchLayout Layout = TBenchLayout::Plain;
        std::string Dxf;
        std::int32_t Expected = 0;
        TMeasure Best;
    };
    auto plan = [&](int labels, TBenchLayout layout) {
        TPlan made{labels, layout, {}, 0, {}};
        made.Dxf = (folder.Path / ("plan-" + std::to_string(labels) + "-" +
                                   std::to_string(static_cast<int>(layout)) + ".dxf"))
                       .string();
        made.Expected = WriteDrawing(made.Dxf, labels, labels * OtherLinesPerLabel, layout);
        return made;
    };
    // Measures every plan `repeat` times, a round of all of them at a time, so that other work
    // on the machine slows the plans compared alike, and keeps the fastest of each figure.
    auto measure = [&](std::vector<TPlan>& plans) {
        for (int run = 0; run < repeat; ++run) {
            for (TPlan& p : plans) {
                TMeasure m;
                if (!RunMeasure(self, p.Dxf, result, plainScan, m)) {
                    std::fprintf(stderr, "kolvo-bench: the measuring run failed\n");
                    ok = false;
                    return false;
                }
                if (m.Bars != p.Expected) {
                    std::printf("MISMATCH: %lld bars tallied, %d drawn\n", m.Bars, p.Expected);
                    ok = false;
                }
                // Each figure is its own fastest (and the memory its largest), so that a run
                // slowed by other work on the machine does not set the read's ratio to the scan.
                TMeasure& best = p.Best;
                if (run == 0) {
                    best = m;
                }
                best.TraceSeconds = std::min(best.TraceSeconds, m.TraceSeconds);
                best.ReadSeconds = std::min(best.ReadSeconds, m.ReadSeconds);
                best.ScanSeconds = std::min(best.ScanSeconds, m.ScanSeconds);
                best.PeakBytes = std::max(best.PeakBytes, m.PeakBytes);
            }
        }
        return true;
    };

    std::printf("search: %s\n\n", plainScan ? "plain table scans" : "indexed");
    std::printf("%8s %9s %8s %8s %9s %9s %6s %9s %10s %8s %7s\n", "labels", "lines", "MB", "read s",
                "read MB/s", "scan MB/s", "ratio", "trace s", "us/label", "peak MB", "x file");
    std::vector<TPlan> plans;
    for (const int labels : sizes) {
        plans.push_back(plan(labels, TBenchLayout::Plain));
    }
    if (!measure(plans)) {
        return 1;
    }
    std::vector<TMeasure> series;
    for (const TPlan& p : plans) {
        const int labels = p.Labels;
        const TMeasure& m = p.Best;
        series.push_back(m);
        const double readRate = Mb(m.FileBytes) / m.ReadSeconds;
        const double scanRate = Mb(m.FileBytes) / m.ScanSeconds;
        std::printf("%8d %9lld %8.1f %8.3f %9.1f %9.1f %6.2f %9.3f %10.1f %8.1f %7.2f\n", labels,
                    m.Lines, Mb(m.FileBytes), m.ReadSeconds, readRate, scanRate,
                    readRate / scanRate, m.TraceSeconds, 1e6 * m.TraceSeconds / labels,
                    Mb(m.PeakBytes), m.PeakBytes / m.FileBytes);
        std::fflush(stdout);
    }
    if (series.size() >= 2) {
        const double growth = std::log(static_cast<double>(sizes.back()) / sizes.front());
        const TMeasure& first = series.front();
        const TMeasure& last = series.back();
        std::printf("growth exponent %d -> %d labels: trace %.2f, read and trace %.2f\n",
                    sizes.front(), sizes.back(),
                    std::log(last.TraceSeconds / first.TraceSeconds) / growth,
                    std::log((last.ReadSeconds + last.TraceSeconds) /
                             (first.ReadSeconds + first.TraceSeconds)) /
                        growth);
    }

    if (adversarialLabels > 0) {
        std::printf("\nlayouts at %d labels (%d lines each), fastest trace of %d:\n",
                    adversarialLabels, adversarialLabels * (OtherLinesPerLabel + 7), repeat);
        std::vector<TPlan> layouts;
        for (const TBenchLayout layout : AllLayouts) {
            layouts.push_back(plan(adversarialLabels, layout));
        }
        if (!measure(layouts)) {
            return 1;
        }
        const double plain = layouts.front().Best.TraceSeconds; // AllLayouts starts with it
        for (const TPlan& p : layouts) {
            std::printf("  %-30s trace %9.3f s  %7.2f x plain\n",
                        kolvo::bench::LayoutName(p.Layout), p.Best.TraceSeconds,
                        p.Best.TraceSeconds / plain);
        }
    }
    std::printf("bars tallied: %s\n", ok ? "OK" : "MISMATCH");
    return ok ? 0 : 1;
}

int RunDifferential(int drawings, int firstSeed) {
    const auto start = Clock::now();
    long long bars = 0;
    int failed = 0;
    for (int n = 0; n < drawings; ++n) {
        const auto seed = static_cast<std::uint32_t>(firstSeed + n);
        kolvo::TDrawing drawing;
        kolvo::bench::MakeTieDrawing(seed, drawing);
        std::int32_t found = 0;
        const std::string difference = kolvo::bench::CompareIndexedWithPlain(drawing, found);
        bars += found;
        if (!difference.empty()) {
            std::printf("drawing %u: %s\n", seed, difference.c_str());
            ++failed;
        }
    }
    std::printf("%d random drawings (seeds %d to %d), %lld bars, in %.1f s: %d differ\n", drawings,
                firstSeed, firstSeed + drawings - 1, bars, SecondsSince(start), failed);
    return failed == 0 ? 0 : 1;
}

bool ParseCount(const char* text, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < 0 || parsed > 1000000) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool ParseSizes(const std::string& text, std::vector<int>& sizes) {
    sizes.clear();
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        int value = 0;
        if (!ParseCount(text.substr(from, comma - from).c_str(), value) || value == 0) {
            return false;
        }
        sizes.push_back(value);
        from = comma + 1;
    }
    return !sizes.empty();
}

} // namespace

int main(int argc, char** argv) {
    int labels = 2000;
    int otherLines = -1; // by the mode when not told
    int drawings = 24;
    bool project = false;
    int adversarial = 2000;
    int repeat = 3;
    bool plainScan = false;
    bool series = false;
    int differential = 0;
    int firstSeed = 1;
    TBenchLayout layout = TBenchLayout::Plain;
    std::vector<int> sizes = {1000, 10000, 50000};
    try {
        if (const int status = kolvo::bench::MeasureProjectIfAsked(argc, argv); status >= 0) {
            return status;
        }
        if (argc == 4 || (argc == 5 && std::string(argv[4]) == "--plain-scan")) {
            if (std::string(argv[1]) == "--measure") {
                return Measure(argv[2], argv[3], argc == 5);
            }
        }
        for (int i = 1; i < argc; ++i) {
            const std::string arg = argv[i];
            const bool hasValue = i + 1 < argc;
            if (arg == "--plain-scan") {
                plainScan = true;
            } else if (arg == "--series") {
                series = true;
            } else if (arg == "--project") {
                project = true;
            } else if (arg == "--drawings" && hasValue) {
                if (!ParseCount(argv[++i], drawings) || drawings == 0) {
                    return Usage();
                }
            } else if (arg == "--labels" && hasValue) {
                if (!ParseCount(argv[++i], labels)) {
                    return Usage();
                }
            } else if (arg == "--other-lines" && hasValue) {
                if (!ParseCount(argv[++i], otherLines)) {
                    return Usage();
                }
            } else if (arg == "--adversarial" && hasValue) {
                if (!ParseCount(argv[++i], adversarial)) {
                    return Usage();
                }
            } else if (arg == "--repeat" && hasValue) {
                if (!ParseCount(argv[++i], repeat) || repeat == 0) {
                    return Usage();
                }
            } else if (arg == "--sizes" && hasValue) {
                if (!ParseSizes(argv[++i], sizes)) {
                    return Usage();
                }
            } else if (arg == "--differential" && hasValue) {
                if (!ParseCount(argv[++i], differential) || differential == 0) {
                    return Usage();
                }
            } else if (arg == "--first-seed" && hasValue) {
                if (!ParseCount(argv[++i], firstSeed)) {
                    return Usage();
                }
            } else if (arg == "--layout" && hasValue) {
                const std::string name = argv[++i];
                const auto key = std::find(std::begin(LayoutKeys), std::end(LayoutKeys), name);
                if (key == std::end(LayoutKeys)) {
                    return Usage();
                }
                layout = AllLayouts[key - std::begin(LayoutKeys)];
            } else {
                return Usage();
            }
        }
        if (differential > 0) {
            return RunDifferential(differential, firstSeed);
        }
        if (project) {
            return kolvo::bench::RunProjectBench(
                kolvo::bench::ThisProgramPath(argv[0]), drawings, labels,
                otherLines >= 0 ? otherLines : labels * OtherLinesPerLabel, repeat);
        }
        if (otherLines < 0) {
            otherLines = 100000;
        }
        if (series) {
            return RunSeries(kolvo::bench::ThisProgramPath(argv[0]), sizes, adversarial, repeat,
                             plainScan);
        }
        return RunOne(labels, otherLines, layout, plainScan);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kolvo-bench: %s\n", e.what());
        return 1;
    }
}
