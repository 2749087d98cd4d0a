// The sample drawings against the reports worked out by hand for them.
#include <gtest/gtest.h>

#include <string>

#include "Analysis.h"
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
