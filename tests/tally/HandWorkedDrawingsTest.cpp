// Small drawings, each crowding several of the tracing rules into one scene, with both reports
// worked out by hand beforehand from the drawing rules alone. They live in tests/data:
// NAME.dxf opens with its working as 999 comment groups (the reader passes over any group outside
// a section), NAME.expected.csv and NAME.expected.txt are the reports. The drawings use LF, lone
// CR and CR LF line ends on purpose, and one holds a NUL byte that ends its text.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Analysis.h"
#include "TestFiles.h"

namespace kolvo {
namespace {

using testing::ReadBytes;
using testing::TTempFolder;

struct Reports {
    std::string Summary;
    std::string Detail;
};

// The one place this test calls the analysis.
Reports Tally(const std::string& DxfPath, const TTempFolder& Folder) {
    TallyBarsFromDxf(DxfPath, Folder.File("bars"));
    return {ReadBytes(Folder.File("bars.csv")), ReadBytes(Folder.File("bars.txt"))};
}

std::string DataPath(const std::string& Name) {
    return testing::BuildPath(KOLVO_TEST_DATA_DIR) + "/" + Name;
}

// The names of the drawings in tests/data, without ".dxf", in name order.
std::vector<std::string> DrawingNames() {
    std::vector<std::string> Names;
    for (const auto& Entry : std::filesystem::directory_iterator(DataPath(""))) {
        if (Entry.path().extension() == ".dxf") {
            Names.push_back(Entry.path().stem().string());
        }
    }
    std::sort(Names.begin(), Names.end());
    return Names;
}

TEST(HandWorkedDrawings, EveryDrawingGivesItsHandWorkedReportsByteForByte) {
    const std::vector<std::string> Names = DrawingNames();
    // A folder that went missing or lost its drawings must not pass as an empty success.
    ASSERT_GE(Names.size(), 12u);
    for (const std::string& Name : Names) {
        SCOPED_TRACE(Name);
        TTempFolder Folder;
        const Reports R = Tally(DataPath(Name + ".dxf"), Folder);
        EXPECT_EQ(R.Detail, ReadBytes(DataPath(Name + ".expected.txt")));
        EXPECT_EQ(R.Summary, ReadBytes(DataPath(Name + ".expected.csv")));
    }
}

// One label, one bar and 6000 V marks along the tip segment's line: with the tip that makes 6001
// records of one bar, more than the 6000 a fixed table would hold. A polyline of 1003 vertices
// (only 1000 are kept) is no V mark and must not disturb the read.
TEST(HandWorkedDrawings, TallyTakesMoreThan6000Bars) {
    std::string Dxf = "0\nSECTION\n2\nENTITIES\n"
                      "0\nCIRCLE\n8\nLBL\n10\n0.0\n20\n0.0\n40\n5.0\n"
                      "0\nTEXT\n10\n-1.0\n20\n-1.0\n1\nN\n"
                      "0\nLINE\n8\nLDR\n10\n0.0\n20\n-10.0\n11\n0.0\n21\n-40.0\n"
                      "0\nLINE\n8\nBAR\n10\n0.5\n20\n-50.0\n11\n0.5\n21\n-7000.0\n"
                      "0\nLWPOLYLINE\n90\n3\n10\n-3\n20\n-43\n10\n0\n20\n-40\n10\n3\n20\n-43\n";
    Dxf += "0\nLWPOLYLINE\n90\n1003\n";
    for (int k = 0; k < 1003; ++k) {
        Dxf += "10\n" + std::to_string(k) + "\n20\n-20\n";
    }
    for (int k = 0; k < 6000; ++k) {
        const std::string Y = std::to_string(-100 - k);
        Dxf += "0\nLWPOLYLINE\n90\n3\n10\n-3\n20\n" + Y + "\n10\n0\n20\n" + Y + "\n10\n3\n20\n" +
               Y + "\n";
    }
    Dxf += "0\nENDSEC\n0\nEOF\n";
    // Written with CR LF line ends, as the host writes them.
    std::string CrLfDxf;
    for (char c : Dxf) {
        CrLfDxf += c == '\n' ? "\r\n" : std::string(1, c);
    }
    TTempFolder Folder;
    testing::WriteBytes(Folder.File("drawing.dxf"), CrLfDxf);
    const Reports R = Tally(Folder.File("drawing.dxf"), Folder);
    std::string Expected;
    for (int k = 0; k < 6001; ++k) {
        Expected += "         N,       1,   -7000,       1,     -50,    6950,BAR,,\r\n";
    }
    EXPECT_EQ(R.Detail, Expected);
    EXPECT_EQ(R.Summary, "N,6001,6950\r\n");
}

} // namespace
} // namespace kolvo
