#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "MassTable.h"
#include "TestFiles.h"
#include "UnitMass.h"

namespace kolvo {
namespace {

std::string DataFile(const std::string& Name) {
    return testing::ReadBytes(testing::BuildPath(KOLVO_MASS_DATA_DIR "/" + Name));
}

struct TBarLine {
    std::string Label;
    double Length;
};

// One bar a line: the label (CP932), a tab, the length in drawing units.
std::vector<TBarLine> ReadBars(const std::string& Text) {
    std::vector<TBarLine> bars;
    std::size_t start = 0;
    while (start < Text.size()) {
        std::size_t end = Text.find('\n', start);
        end = end == std::string::npos ? Text.size() : end;
        std::string line = Text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos) {
            bars.push_back({line.substr(0, tab), std::strtod(line.c_str() + tab + 1, nullptr)});
        }
        start = end + 1;
    }
    return bars;
}

std::string FileText(const std::vector<TBarLine>& Bars, double MmPerUnit) {
    std::vector<TMassBar> bars;
    for (const TBarLine& bar : Bars) {
        bars.push_back({bar.Label, bar.Length / MmPerUnit});
    }
    return BuildMassTable(bars, MmPerUnit).FileText();
}

// The bars of hand-worked.bars, in mm (D25 3750.5 at 3.98: 14926990 mg; D13 3000 at 0.995:
// 2985000 mg, exactly half a hundredth over 2.98 kg; D10 1250 at 0.560: 700000 mg; φ9 500.25
// at 0.499: 249624.75 mg; φ13 2000 at 1.04: 2080000 mg; unknown: SD345 1000, D10,D13 500,
// D14 250.5: 1750.5 mm). The total length 12251.25 mm and mass 20941614.75 mg are each rounded
// once, to 12.251 m and 20.94 kg, where the rounded lines would add up to 12.252 m and 20.95 kg.
TEST(MassTable, WritesTheHandWorkedFileInAnyOrderAndScale) {
    std::vector<TBarLine> bars = ReadBars(DataFile("hand-worked.bars"));
    ASSERT_EQ(bars.size(), 11u);
    const std::string expected = DataFile("hand-worked.expected.csv");
    EXPECT_EQ(FileText(bars, 1), expected);
    // The same bars drawn at half size.
    EXPECT_EQ(FileText(bars, 2), expected);
    std::mt19937 random(13);
    for (int shuffle = 0; shuffle < 10; ++shuffle) {
        std::shuffle(bars.begin(), bars.end(), random);
        ASSERT_EQ(FileText(bars, 1), expected) << "shuffle " << shuffle;
    }
}

TEST(MassTable, EmptyTallyGivesHeaderAndZeroTotal) {
    EXPECT_EQ(TMassTable().FileText(), "径,本数,総延長(m),単位質量(kg/m),質量(kg)\r\n"
                                       "合計,0,0.000,,0.00\r\n");
}

TEST(UnitMasses, PrintedTextAndNumberAgree) {
    for (const TUnitMass& entry : UnitMasses()) {
        double printed = 0;
        std::from_chars(entry.Text.data(), entry.Text.data() + entry.Text.size(), printed);
        EXPECT_EQ(printed, entry.KgPerMetre()) << entry.Text;
        EXPECT_EQ(FindUnitMass(entry.Diameter), &entry);
    }
    EXPECT_EQ(UnitMasses().size(), 22u);
}

} // namespace
} // namespace kolvo
