// The sample drawings against the reports worked out by hand for them.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "Analysis.h"
#include "BenchDrawing.h"
#include "Samples.h"
#include "TestFiles.h"

namespace kolvo {
namespace {

using testing::BuildPath;
using testing::ReadBytes;
using testing::TTempFolder;

std::string SamplePath(const std::string& name) {
    return BuildPath(KOLVO_SAMPLES_DIR) + "/" + name;
}

const char* const SampleNames[] = {"beam-g1", "slab-s1", "footing-f1"};

TEST(SampleReports, EverySampleGivesItsHandWorkedReportsByteForByte) {
    TTempFolder folder;
    // Run them one after another in one process, the first again at the end: nothing of one
    // analysis may leak into the next.
    std::vector<std::string> order(std::begin(SampleNames), std::end(SampleNames));
    order.push_back(SampleNames[0]);
    for (const std::string& name : order) {
        SCOPED_TRACE(name);
        const std::string report = folder.File(name);
        TallyBarsFromDxf(SamplePath(name + ".dxf"), report);
        EXPECT_EQ(ReadBytes(report + ".txt"), ReadBytes(SamplePath(name + ".expected.txt")));
        EXPECT_EQ(ReadBytes(report + ".csv"), ReadBytes(SamplePath(name + ".expected.csv")));
    }
}

TEST(SampleReports, AnalysesOnSeveralThreadsAtOnceGiveTheReportsOfOneAfterTheOther) {
    TTempFolder folder;
    // The samples and a larger drawing, so that the analyses surely overlap in time.
    std::vector<std::string> drawings;
    for (const char* name : SampleNames) {
        drawings.push_back(SamplePath(std::string(name) + ".dxf"));
    }
    drawings.push_back(folder.File("bench.dxf"));
    bench::MakeBenchDrawing(200, 5000).Drawing.WriteFile(drawings.back());

    auto reportOf = [&](const std::string& kind, std::size_t drawing, int round) {
        return folder.File(kind + std::to_string(drawing) + "-" + std::to_string(round));
    };
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        TallyBarsFromDxf(drawings[i], reportOf("one-by-one", i, 0));
    }
    constexpr int Rounds = 3;
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i < drawings.size(); ++i) {
            threads.emplace_back([&, i] {
                for (int round = 0; round < Rounds; ++round) {
                    TallyBarsFromDxf(drawings[i], reportOf("together", i, round));
                }
            });
        }
    }
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        SCOPED_TRACE(drawings[i]);
        const std::string alone = reportOf("one-by-one", i, 0);
        ASSERT_FALSE(ReadBytes(alone + ".txt").empty());
        for (int round = 0; round < Rounds; ++round) {
            const std::string together = reportOf("together", i, round);
            EXPECT_EQ(ReadBytes(together + ".txt"), ReadBytes(alone + ".txt"));
            EXPECT_EQ(ReadBytes(together + ".csv"), ReadBytes(alone + ".csv"));
        }
    }
}

TEST(SampleReports, CommittedDrawingsAreWhatTheGeneratorWrites) {
    const auto drawings = samples::SampleDrawings();
    ASSERT_EQ(drawings.size(), std::size(SampleNames));
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        SCOPED_TRACE(drawings[i].Name);
        EXPECT_EQ(drawings[i].Name, SampleNames[i]);
        EXPECT_EQ(drawings[i].Drawing.Finish(), ReadBytes(SamplePath(drawings[i].Name + ".dxf")))
            << "run make-samples samples and commit the drawings";
    }
}

} // namespace
} // namespace kolvo
