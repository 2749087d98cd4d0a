// Every seed and every input that once crashed a fuzz target, through both fuzz targets' code,
// in the normal test command (no fuzzing compiler needed).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FuzzAnalysis.h"
#include "TestFiles.h"

namespace kolvo {
namespace {

std::vector<std::filesystem::path> Inputs() {
    std::vector<std::filesystem::path> files;
    for (const char* folder : {"corpus", "crashes"}) {
        const std::filesystem::path dir =
            std::filesystem::path(testing::BuildPath(KOLVO_FUZZ_DIR)) / folder;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (entry.is_regular_file() && entry.path().filename() != ".gitkeep") {
                files.push_back(entry.path());
            }
        }
    }
    return files;
}

TEST(FuzzCorpus, EveryInputIsAnalysedAndTracedAlikeBothWays) {
    const std::vector<std::filesystem::path> files = Inputs();
    // A corpus that went missing must not pass as an empty success.
    ASSERT_GE(files.size(), 8u);
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        const std::string bytes = testing::ReadBytes(file.string());
        EXPECT_NO_THROW(fuzz::AnalyseBytes(bytes));
        EXPECT_TRUE(fuzz::IndexedTraceMatchesPlainScan(bytes));
    }
}

} // namespace
} // namespace kolvo
