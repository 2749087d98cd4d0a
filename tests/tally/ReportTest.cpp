#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DrawingBuilder.h"
#include "Errors.h"
#include "FileNames.h"
#include "NumberFormat.h"
#include "ReportFiles.h"
#include "Tally.h"
#include "TestFiles.h"

namespace kolvo {
namespace {

// The drawing, tally and tracer these tests fill and look at.
testing::TTraceBed& bed = testing::Bed();

using testing::AddLine;
using testing::ClearDrawing;

TEST(NumberFormat, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(FormatWhole(300.5), "301");
    EXPECT_EQ(FormatWhole(-300.5), "-301");
    EXPECT_EQ(FormatWhole(2.5), "3");
    EXPECT_EQ(FormatWhole(0.5), "1");
    EXPECT_EQ(FormatWhole(299.4999), "299");
    EXPECT_EQ(FormatWhole(-1.5), "-2");
    EXPECT_EQ(FormatWhole(1234567.0), "1234567");
    EXPECT_EQ(FormatWhole(1e20), "100000000000000000000");
}

// The largest double below one half: adding 0.5 to it rounds up to 1.0, so a rounding that
// adds a half and floors gets these wrong.
TEST(NumberFormat, JustBelowAHalfRoundsTowardZero) {
    const double belowHalf = std::nextafter(0.5, 0.0);
    EXPECT_EQ(FormatWhole(belowHalf), "0");
    EXPECT_EQ(FormatWhole(-belowHalf), "-0");
    EXPECT_EQ(FormatWhole(4503599627370495.5), "4503599627370496");
    EXPECT_EQ(FormatWhole(4503599627370497.0), "4503599627370497");
}

TEST(NumberFormat, NegativeValuesRoundingToZeroKeepTheirSign) {
    EXPECT_EQ(FormatWhole(-0.4), "-0");
    EXPECT_EQ(FormatWhole(-1e-300), "-0");
    EXPECT_EQ(FormatWhole(0.4), "0");
    EXPECT_EQ(FormatWhole(0.0), "0");
}

TEST(NumberFormat, ValuesABrokenDrawingCanProduce) {
    EXPECT_EQ(FormatWhole(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormatWhole(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FormatWhole(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FormatWhole(std::numeric_limits<double>::max()).size(), 309u);
}

class TallyTest : public ::testing::Test {
protected:
    void SetUp() override { ClearDrawing(); }
    void TearDown() override { ClearDrawing(); }

    // Appends a bar of the given label and length, running along y = `y`.
    void AddBar(std::string_view label, double length, double y = 0) {
        const std::int32_t line = AddLine(bed.Drawing, 0, y, length, y);
        AddTallyRecord(bed.Tally, label, bed.Drawing, bed.Drawing.Lines[line], 0, y, length, y);
    }
    std::vector<std::string> Labels() const {
        std::vector<std::string> labels;
        for (const TTallyRecord& record : bed.Tally) {
            labels.push_back(record.Label.str());
        }
        return labels;
    }
};

TEST_F(TallyTest, RecordsStartAtTheEndWithTheSmallerX) {
    const std::int32_t line = AddLine(bed.Drawing, 400.5, 200, 100, 250, "BAR");
    bed.Drawing.Lines[line].Color = bed.Drawing.Properties.Add("     1");
    bed.Drawing.Lines[line].LineType = bed.Drawing.Properties.Add("DASHED");
    AddTallyRecord(bed.Tally, "D13", bed.Drawing, bed.Drawing.Lines[line], 400.5, 200, 100, 250);
    AddTallyRecord(bed.Tally, "D13", bed.Drawing, bed.Drawing.Lines[line], 100, 250, 400.5, 200);
    for (const TTallyRecord& record : bed.Tally) {
        EXPECT_EQ(record.X1, 100);
        EXPECT_EQ(record.Y1, 250);
        EXPECT_EQ(record.X2, 400.5);
        EXPECT_EQ(record.Y2, 200);
        EXPECT_EQ(record.Length, std::sqrt(300.5 * 300.5 + 50.0 * 50.0));
        EXPECT_EQ(record.Layer, "BAR");
        EXPECT_EQ(record.Color, "     1");
        EXPECT_EQ(record.LineType, "DASHED");
    }
}

TEST_F(TallyTest, EqualXPutsTheLineEndFirst) {
    const std::int32_t line = AddLine(bed.Drawing, 5, 0, 5, 10);
    AddTallyRecord(bed.Tally, "A", bed.Drawing, bed.Drawing.Lines[line], 5, 0, 5, 10);
    EXPECT_EQ(bed.Tally[0].Y1, 10);
    EXPECT_EQ(bed.Tally[0].Y2, 0);
    EXPECT_EQ(bed.Tally[0].Length, 10);
}

TEST_F(TallyTest, LongLabelsAreCutWithoutSplittingACharacter) {
    const std::int32_t line = AddLine(bed.Drawing, 0, 0, 1, 0);
    AddTallyRecord(bed.Tally, std::string(61, 'A'), bed.Drawing, bed.Drawing.Lines[line], 0, 0, 1,
                   0);
    // 59 single bytes and then 表 (0x95 0x5C): the character does not fit whole.
    AddTallyRecord(bed.Tally, std::string(59, 'B') + "\x95\x5c", bed.Drawing,
                   bed.Drawing.Lines[line], 0, 0, 1, 0);
    EXPECT_EQ(bed.Tally[0].Label, std::string(60, 'A'));
    EXPECT_EQ(bed.Tally[1].Label, std::string(59, 'B'));
}

TEST_F(TallyTest, GrowsBeyondTheOldFixedCapacity) {
    const std::int32_t line = AddLine(bed.Drawing, 0, 0, 1, 0);
    for (int i = 0; i < 6500; ++i) {
        AddTallyRecord(bed.Tally, "A", bed.Drawing, bed.Drawing.Lines[line], 0, 0, 1, 0);
    }
    EXPECT_EQ(bed.Tally.Count(), 6500);
    bed.Tally.Reset();
    EXPECT_EQ(bed.Tally.Count(), 0);
}

TEST_F(TallyTest, SortsLabelsAsUnsignedBytesPrefixFirst) {
    for (const char* label : {"D13A", "d10", "\x82\x60", "D13", "D10", "", "D1"}) {
        AddBar(label, 100);
    }
    SortTally(bed.Tally);
    EXPECT_EQ(Labels(),
              (std::vector<std::string>{"", "D1", "D10", "D13", "D13A", "d10", "\x82\x60"}));
}

TEST_F(TallyTest, SortIsStableAndOrdersLengthsNumerically) {
    AddBar("B", 300, 1);
    AddBar("A", 1000, 2);
    AddBar("B", 20, 3);
    AddBar("B", 300, 4);
    AddBar("A", 1000, 5);
    AddBar("B", 300, 6);
    SortTally(bed.Tally);
    std::vector<std::pair<std::string, double>> order;
    for (const TTallyRecord& record : bed.Tally) {
        order.emplace_back(record.Label.str(), record.Y1);
    }
    EXPECT_EQ(order, (std::vector<std::pair<std::string, double>>{
                         {"A", 2}, {"A", 5}, {"B", 3}, {"B", 1}, {"B", 4}, {"B", 6}}));
}

TEST_F(TallyTest, DetailLinesAlignLabelAndNumbers) {
    const std::int32_t line = AddLine(bed.Drawing, 100, 200, 400.5, 200, "BAR");
    AddTallyRecord(bed.Tally, "D13", bed.Drawing, bed.Drawing.Lines[line], 100, 200, 400.5, 200);
    EXPECT_EQ(DetailLine(bed.Tally[0]),
              "       D13,     100,     200,     401,     200,     301,BAR,,");

    const std::int32_t wide = AddLine(bed.Drawing, -0.4, -123456789.0, 10, 5, "L,1");
    bed.Drawing.Lines[wide].Color = bed.Drawing.Properties.Add("     1");
    bed.Drawing.Lines[wide].LineType = bed.Drawing.Properties.Add("CONT");
    AddTallyRecord(bed.Tally, "D13,SD345A", bed.Drawing, bed.Drawing.Lines[wide], -0.4,
                   -123456789.0, 10, 5);
    // A label of 10 bytes or more and numbers wider than 8 are written whole; commas in texts
    // are written as they are.
    EXPECT_EQ(DetailLine(bed.Tally[1]),
              "D13,SD345A,      -0,-123456789,      10,       5,123456794,L,1,     1,CONT");
}

TEST_F(TallyTest, SummaryGroupsExactLengthsAndPrintsThemRounded) {
    AddBar("D10", 1000);
    AddBar("D13", 299.9);
    AddBar("D13", 300.1);
    AddBar("D13", 300.1);
    AddBar("D16", 5);
    SortTally(bed.Tally);
    EXPECT_EQ(SummaryText(bed.Tally), "D10,1,1000\r\nD13,1,300\r\nD13,2,300\r\nD16,1,5\r\n");
    EXPECT_EQ(DetailText(bed.Tally).size(), 5 * (DetailLine(bed.Tally[0]).size() + 2));
}

TEST(ReportPaths, ExtensionIsAppendedOnlyWhenThereIsNone) {
    EXPECT_EQ(SummaryReportPath("C:\\work\\plan"), "C:\\work\\plan.csv");
    EXPECT_EQ(DetailReportPath("C:\\work\\plan.csv"), "C:\\work\\plan.txt");
    EXPECT_EQ(SummaryReportPath("plan.dat"), "plan.dat");
    EXPECT_EQ(DetailReportPath("plan.dat"), "plan.txt");
    EXPECT_EQ(SummaryReportPath("plan."), "plan.");
    EXPECT_EQ(DetailReportPath("plan."), "plan.txt");
    EXPECT_EQ(SummaryReportPath(""), ".csv");
}

TEST(ReportPaths, DotsInFolderNamesAreNoExtension) {
    EXPECT_EQ(SummaryReportPath("C:\\v1.2\\plan"), "C:\\v1.2\\plan.csv");
    EXPECT_EQ(SummaryReportPath("/home/u/v1.2/plan"), "/home/u/v1.2/plan.csv");
    EXPECT_EQ(SummaryReportPath("C:/v1.2\\sub/plan"), "C:/v1.2\\sub/plan.csv");
    EXPECT_EQ(SummaryReportPath("a.b:plan"), "a.b:plan.csv");
    EXPECT_EQ(DetailReportPath("/home/u/v1.2/plan.csv"), "/home/u/v1.2/plan.txt");
    EXPECT_EQ(ExtractFileExt("/home/u/v1.2/plan"), "");
    EXPECT_EQ(ExtractFileExt("C:\\work\\plan.tar.gz"), ".gz");
}

TEST(ReportPaths, SecondBytesOfDoubleByteCharactersAreNoDelimiters) {
    // 表 is 0x95 0x5C: its second byte is the code of '\'.
    const std::string hyo = "\x95\x5c";
    EXPECT_EQ(ExtractFileExt("C:\\work\\plan." + hyo), "." + hyo);
    EXPECT_EQ(SummaryReportPath("C:\\work\\plan." + hyo), "C:\\work\\plan." + hyo);
    EXPECT_EQ(DetailReportPath("C:\\work\\plan." + hyo), "C:\\work\\plan.txt");
    // A folder whose name ends in 表 still ends at its real delimiter.
    EXPECT_EQ(SummaryReportPath("C:\\a.b" + hyo + "\\plan"), "C:\\a.b" + hyo + "\\plan.csv");
    EXPECT_EQ(SummaryReportPath("C:\\" + hyo + "\\plan"), "C:\\" + hyo + "\\plan.csv");
    // A lead byte standing last keeps the extension it closes.
    EXPECT_EQ(ExtractFileExt("plan.\x95"), ".\x95");
}

TEST(ReportPaths, ChangeFileExtReplacesOrAppends) {
    EXPECT_EQ(ChangeFileExt("report", ".csv"), "report.csv");
    EXPECT_EQ(ChangeFileExt("report.dat", ".csv"), "report.csv");
    EXPECT_EQ(ChangeFileExt("dir.x/report", ".csv"), "dir.x/report.csv");
    EXPECT_EQ(ChangeFileExt("dir.x\\report.", ".csv"), "dir.x\\report.csv");
    EXPECT_EQ(ChangeFileExt("report.dat", ""), "report");
}

} // namespace
} // namespace kolvo
