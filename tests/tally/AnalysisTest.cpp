#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Analysis.h"
#include "DrawingModel.h"
#include "Errors.h"
#include "Tally.h"
#include "TestFiles.h"

namespace kolvo {
namespace {

namespace fs = std::filesystem;

// Builds the text of a small DXF file.
class DxfText {
public:
    DxfText& Line(double x1, double y1, double x2, double y2, const char* layer,
                  const char* colour = nullptr) {
        Entity("LINE");
        Group(8, layer);
        if (colour != nullptr) {
            Group(62, colour);
        }
        Point(10, x1, y1);
        Point(11, x2, y2);
        return *this;
    }
    DxfText& Circle(double x, double y, double r) {
        Entity("CIRCLE");
        Group(8, "0");
        Point(10, x, y);
        Group(40, Number(r));
        return *this;
    }
    DxfText& Text(double x, double y, const char* content) {
        Entity("TEXT");
        Group(8, "0");
        Point(10, x, y);
        Group(40, "2.5");
        Group(1, content);
        return *this;
    }
    // A V mark whose middle vertex is (x, y).
    DxfText& VMark(double x, double y) {
        Entity("LWPOLYLINE");
        Group(8, "0");
        Group(90, "3");
        Group(70, "0");
        for (const auto& [vx, vy] :
             {std::pair{x - 2, y + 3}, std::pair{x, y}, std::pair{x + 2, y + 3}}) {
            Group(10, Number(vx));
            Group(20, Number(vy));
        }
        return *this;
    }
    std::string str() const {
        return "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n" + body_ + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    }

private:
    static std::string Number(double value) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.16f", value);
        return buffer;
    }
    void Group(int code, const std::string& value) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%3d", code);
        body_ += buffer;
        body_ += "\r\n" + value + "\r\n";
    }
    void Entity(const char* name) { Group(0, name); }
    void Point(int code, double x, double y) {
        Group(code, Number(x));
        Group(code + 10, Number(y));
        Group(code + 20, Number(0));
    }
    std::string body_;
};

class AnalysisTest : public ::testing::Test {
protected:
    static void Analyse(const std::string& DxfPath, const std::string& ReportPath) {
        TallyBarsFromDxf(DxfPath, ReportPath);
    }

    std::string Path(const char* name) const { return dir_.File(name); }
    std::string WriteDxf(const DxfText& dxf) const {
        const std::string path = Path("drawing.dxf");
        std::ofstream(path, std::ios::binary) << dxf.str();
        return path;
    }
    static std::string Contents(const std::string& path) { return testing::ReadBytes(path); }

    testing::TTempFolder dir_;
};

// Two labels: D13 points at a bar of 300.5 from its tip and at one of 300.1 from a mark point
// on the line of its leader; D10 at a bar that starts at negative x.
DxfText TwoLabels() {
    DxfText dxf;
    dxf.Line(50, 200, 350.5, 200, "BAR")
        .Circle(0, 0, 5)
        .Text(-2, -1, "D13")
        .Line(5, 0, 100, 200, "LEADER")
        .VMark(100, 200)
        .Line(120, 300, 420.1, 300, "BAR", "     1")
        .VMark(147.5, 300)
        .Circle(0, -100, 5)
        .Text(-2, -101, "D10")
        .Line(5, -100, 50, -100, "LEADER")
        .VMark(50, -100)
        .Line(-0.4, -200, 100.4, 0, "BAR2");
    return dxf;
}

const char* const TwoLabelsDetail =
    "       D10,      -0,    -200,     100,       0,     224,BAR2,,\r\n"
    "       D13,     120,     300,     420,     300,     300,BAR,     1,\r\n"
    "       D13,      50,     200,     351,     200,     301,BAR,,\r\n";
const char* const TwoLabelsSummary = "D10,1,224\r\nD13,1,300\r\nD13,1,301\r\n";

TEST_F(AnalysisTest, WritesBothReportsByteForByte) {
    Analyse(WriteDxf(TwoLabels()), Path("plan.csv"));
    EXPECT_EQ(Contents(Path("plan.txt")), TwoLabelsDetail);
    EXPECT_EQ(Contents(Path("plan.csv")), TwoLabelsSummary);
}

TEST_F(AnalysisTest, AppendsCsvToANameWithoutExtensionAndReplacesOldReports) {
    std::ofstream(Path("plan.csv"), std::ios::binary) << std::string(5000, 'x');
    std::ofstream(Path("plan.txt"), std::ios::binary) << std::string(5000, 'x');
    Analyse(WriteDxf(TwoLabels()), Path("plan"));
    EXPECT_EQ(Contents(Path("plan.csv")), TwoLabelsSummary);
    EXPECT_EQ(Contents(Path("plan.txt")), TwoLabelsDetail);
}

TEST_F(AnalysisTest, AnotherExtensionKeepsTheSummaryName) {
    Analyse(WriteDxf(TwoLabels()), Path("plan.dat"));
    EXPECT_EQ(Contents(Path("plan.dat")), TwoLabelsSummary);
    EXPECT_TRUE(fs::exists(Path("plan.txt")));
    EXPECT_FALSE(fs::exists(Path("plan.csv")));
}

TEST_F(AnalysisTest, EachAnalysisStartsWithAnEmptyTally) {
    const std::string dxf = WriteDxf(TwoLabels());
    Analyse(dxf, Path("first.csv"));
    Analyse(dxf, Path("second.csv"));
    EXPECT_EQ(Contents(Path("second.csv")), Contents(Path("first.csv")));
    EXPECT_EQ(Contents(Path("second.txt")), Contents(Path("first.txt")));
}

TEST_F(AnalysisTest, ADrawingWithoutBarsGivesTwoEmptyReports) {
    DxfText dxf;
    dxf.Circle(0, 0, 5).Line(5, 0, 50, 0, "LEADER");
    Analyse(WriteDxf(dxf), Path("plan.csv"));
    ASSERT_TRUE(fs::exists(Path("plan.csv")));
    ASSERT_TRUE(fs::exists(Path("plan.txt")));
    EXPECT_EQ(Contents(Path("plan.csv")), "");
    EXPECT_EQ(Contents(Path("plan.txt")), "");
}

TEST_F(AnalysisTest, ASummaryThatCannotBeCreatedRaisesAndNothingIsWritten) {
    EXPECT_THROW(Analyse(WriteDxf(TwoLabels()), Path("missing-folder/plan.csv")), ECreateError);
    EXPECT_FALSE(fs::exists(Path("missing-folder")));
    EXPECT_EQ(std::string(ECreateError().what()),
              "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x8d\xec\x90\xac\x82\xc5"
              "\x82\xab\x82\xdc\x82\xb9\x82\xf1"); // ファイルを作成できません

    // A folder in the summary's place.
    fs::create_directory(Path("taken.csv"));
    EXPECT_THROW(Analyse(WriteDxf(TwoLabels()), Path("taken.csv")), ECreateError);
    EXPECT_FALSE(fs::exists(Path("taken.txt")));
}

TEST_F(AnalysisTest, ADetailReportThatCannotBeWrittenRaisesAndNoSummaryIsWritten) {
    fs::create_directory(Path("plan.txt"));
    try {
        Analyse(WriteDxf(TwoLabels()), Path("plan.csv"));
        FAIL() << "no error raised";
    } catch (const EInOutError& error) {
        EXPECT_EQ(std::string(error.what()), InOutErrorMessage(error.Code()));
    }
    EXPECT_FALSE(fs::exists(Path("plan.csv"))) << "a summary without its detail list";
}

TEST_F(AnalysisTest, ATxtReportNameCannotHoldBothReports) {
    std::ofstream(Path("plan.txt"), std::ios::binary) << "old";
    EXPECT_THROW(Analyse(WriteDxf(TwoLabels()), Path("plan.txt")), ECreateError);
    EXPECT_EQ(Contents(Path("plan.txt")), "old");
    // Other names that merely look alike are reports of their own.
    Analyse(WriteDxf(TwoLabels()), Path("plan.txt2"));
    EXPECT_EQ(Contents(Path("plan.txt2")), TwoLabelsSummary);
    EXPECT_EQ(Contents(Path("plan.txt")), TwoLabelsDetail);
}

TEST_F(AnalysisTest, AnUnreadableDrawingWritesNoReportsAndKeepsTheEarlierOnes) {
    const std::string dxf = Path("broken.dxf");
    std::ofstream(dxf, std::ios::binary)
        << "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n 10\r\nTWELVE\r\n";
    EXPECT_THROW(Analyse(dxf, Path("plan.csv")), EConvertError);
    EXPECT_FALSE(fs::exists(Path("plan.csv")));
    EXPECT_FALSE(fs::exists(Path("plan.txt")));
    std::ofstream(Path("plan.txt"), std::ios::binary) << "last run's";
    EXPECT_THROW(Analyse(dxf, Path("plan.csv")), EConvertError);
    EXPECT_EQ(Contents(Path("plan.txt")), "last run's");
}

TEST_F(AnalysisTest, TheAnalysisIsAValueAndWritesNothing) {
    const std::string dxf = WriteDxf(TwoLabels());
    for (const TTraceKeeping keeping :
         {TTraceKeeping::Nothing, TTraceKeeping::Outcomes, TTraceKeeping::Everything}) {
        const TAnalysis analysis = kolvo::Analyse(dxf, keeping);
        EXPECT_EQ(analysis.Drawing.CircleCount(), 2);
        ASSERT_EQ(analysis.Tally.Count(), 3);
        EXPECT_EQ(analysis.Tally[0].Label.view(), "D10") << "sorted";
        EXPECT_EQ(analysis.Trace.Labels().size(), keeping == TTraceKeeping::Nothing ? 0u : 2u);
        EXPECT_EQ(analysis.Trace.TimesTallied(0), keeping == TTraceKeeping::Everything ? 1 : 0)
            << "the first line is a bar tallied once";
    }
    EXPECT_EQ(std::vector<std::string>{"drawing.dxf"}, [&] {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(fs::path(dir_.Path()))) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }());
    // What cannot be analysed says why.
    EXPECT_THROW(kolvo::Analyse(Path("none.dxf")), EInOutError);
    fs::create_directory(Path("folder.dxf"));
    try {
        kolvo::Analyse(Path("folder.dxf"));
        FAIL() << "a folder analysed";
    } catch (const EDamagedDrawing& error) {
        EXPECT_EQ(std::string(error.what()), NotARegularFileMessage);
    }
}

} // namespace
} // namespace kolvo
