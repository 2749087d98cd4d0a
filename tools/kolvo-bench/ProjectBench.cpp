#include "ProjectBench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "BenchDrawing.h"
#include "FreedMemory.h"
#include "PeakMemory.h"
#include "Project.h"
#include "TempFolder.h"
#include "ThisProgram.h"

namespace kolvo::bench {

namespace {

using Clock = std::chrono::steady_clock;

struct TProjectMeasure {
    double Seconds = 0;
    double PeakBytes = 0;
    long long Bars = 0;
};

double Mb(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool RunChild(const std::string& self, const std::filesystem::path& in,
              const std::filesystem::path& out, int jobs, const std::filesystem::path& result,
              TProjectMeasure& m) {
    std::filesystem::remove_all(out);
    if (RunProgram(self, {"--measure-project", in.string(), out.string(), std::to_string(jobs),
                          result.string()}) != 0) {
        return false;
    }
    std::FILE* file = std::fopen(result.string().c_str(), "r");
    if (file == nullptr) {
        return false;
    }
    const int fields = std::fscanf(file, "%lf %lf %lld", &m.Seconds, &m.PeakBytes, &m.Bars);
    std::fclose(file);
    return fields == 3;
}

} // namespace

int MeasureProjectIfAsked(int argc, char** argv) {
    if (argc != 6 || std::string(argv[1]) != "--measure-project") {
        return -1;
    }
    ReturnLargeBlocksWhenFreed();
    const auto start = Clock::now();
    TProjectOptions options;
    options.OutFolder = argv[3];
    options.Drawings = CollectDrawings({argv[2]}).Paths;
    options.Jobs = static_cast<unsigned>(std::max(1, std::atoi(argv[4])));
    const TProjectResult result = RunProject(options);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    long long bars = 0;
    for (const TDrawingResult& drawing : result.Drawings) {
        bars += drawing.Bars;
    }
    std::FILE* out = std::fopen(argv[5], "w");
    if (out == nullptr || result.Failed()) {
        return 1;
    }
    std::fprintf(out, "%.9f %.0f %lld\n", seconds, static_cast<double>(PeakMemoryBytes()), bars);
    return std::fclose(out) == 0 ? 0 : 1;
}

int RunProjectBench(const std::string& self, int drawings, int labels, int otherLines, int repeat) {
    const TTempFolder folder;
    const std::filesystem::path many = folder.Path / "many", one = folder.Path / "one";
    std::filesystem::create_directories(many);
    std::filesystem::create_directories(one);
    const TBenchDrawing bench = MakeBenchDrawing(labels, otherLines);
    const std::filesystem::path first = one / "drawing-01.dxf";
    bench.Drawing.WriteFile(first.string());
    for (int n = 1; n <= drawings; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "drawing-%02d.dxf", n);
        std::filesystem::copy_file(first, many / name);
    }

    // Rounds of the three runs, so that other work on the machine slows them alike; the
    // fastest time and the largest peak of each are kept.
    const std::filesystem::path result = folder.Path / "result.txt";
    struct TRun {
        const char* Name;
        std::filesystem::path In, Out;
        int Jobs;
        TProjectMeasure Best;
        long long Expected;
    };
    TRun runs[] = {{"one drawing", one, folder.Path / "out-one", 1, {}, bench.ExpectedBars},
                   {"--jobs 1", many, folder.Path / "out-1", 1, {}, 0},
                   {"--jobs 2", many, folder.Path / "out-2", 2, {}, 0}};
    runs[1].Expected = runs[2].Expected = static_cast<long long>(bench.ExpectedBars) * drawings;
    bool ok = true;
    for (int round = 0; round < repeat; ++round) {
        for (TRun& run : runs) {
            TProjectMeasure m;
            if (!RunChild(self, run.In, run.Out, run.Jobs, result, m)) {
                std::fprintf(stderr, "kolvo-bench: the project run failed\n");
                return 1;
            }
            ok = ok && m.Bars == run.Expected;
            if (round == 0 || m.Seconds < run.Best.Seconds) {
                run.Best.Seconds = m.Seconds;
            }
            run.Best.PeakBytes = std::max(run.Best.PeakBytes, m.PeakBytes);
            run.Best.Bars = m.Bars;
        }
    }
    // The bytes may not depend on the number of jobs.
    for (const char* file : {"project.csv", "project.mass.csv", "drawing-24.txt"}) {
        ok = ok && FileText(runs[1].Out / file) == FileText(runs[2].Out / file);
    }

    std::printf("project: %d copies of a drawing of %d labels and %d other lines (%.1f MB), "
                "fastest of %d\n",
                drawings, labels, otherLines,
                Mb(static_cast<double>(std::filesystem::file_size(first))), repeat);
    std::printf("  %-12s %9s %9s %9s\n", "run", "seconds", "peak MB", "bars");
    for (const TRun& run : runs) {
        std::printf("  %-12s %9.3f %9.1f %9lld\n", run.Name, run.Best.Seconds,
                    Mb(run.Best.PeakBytes), run.Best.Bars);
    }
    std::printf("time --jobs 2 / --jobs 1: %.2f (target at most 0.60)\n",
                runs[2].Best.Seconds / runs[1].Best.Seconds);
    std::printf("peak --jobs 2 / one drawing: %.2f (target at most 2, plus the project tables)\n",
                runs[2].Best.PeakBytes / runs[0].Best.PeakBytes);
    std::printf("bars tallied and files alike: %s\n", ok ? "OK" : "MISMATCH");
    return ok ? 0 : 1;
}

} // namespace kolvo::bench
