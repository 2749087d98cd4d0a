// The benchmark's drawing: its sanity line is only worth something if the drawing really holds
// the bars it claims, each reached by its own label.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "BarTrace.h"
#include "BenchDrawing.h"
#include "DrawingModel.h"
#include "DxfReader.h"
#include "Tally.h"

namespace kolvo {
namespace {

struct TBar {
    std::string Label;
    double X1, Y1, X2, Y2;
    friend bool operator==(const TBar&, const TBar&) = default;
};

std::vector<TBar> Trace(const std::string& dxf, TTraceSearch search,
                        std::int32_t* lineCount = nullptr) {
    TDrawing drawing;
    ReadDxfText(dxf, drawing);
    TTally tally;
    TBarTracer(drawing, tally).TraceAllLabels(search);
    if (lineCount != nullptr) {
        *lineCount = drawing.LineCount();
    }
    std::vector<TBar> bars;
    for (const TTallyRecord& r : tally) {
        bars.push_back({r.Label.str(), r.X1, r.Y1, r.X2, r.Y2});
    }
    return bars;
}

TEST(BenchDrawing, EveryLabelFindsItsOwnFourBarsAndNothingElse) {
    // More than one row of cells, so that cells above one another are in play too.
    const bench::TBenchDrawing bench = bench::MakeBenchDrawing(230, 2000);
    ASSERT_EQ(bench.ExpectedBars, 920);
    const std::string dxf = bench.Drawing.Finish();

    std::int32_t lineCount = 0;
    const std::vector<TBar> bars = Trace(dxf, TTraceSearch::Indexed, &lineCount);
    EXPECT_EQ(lineCount, 920 + 230 * 2 + 115 * 2 + 2000); // bars, leaders, arrow strokes, rest
    ASSERT_EQ(bars.size(), 920u);
    std::map<std::pair<double, double>, int> timesFound; // by the bar's left end
    std::map<std::string, int> perLabel;
    for (const TBar& bar : bars) {
        ++timesFound[{bar.X1, bar.Y1}];
        ++perLabel[bar.Label];
        EXPECT_EQ(bar.Y1, bar.Y2); // bars are the horizontal lines, never a leader or stroke
    }
    EXPECT_EQ(timesFound.size(), 920u); // every bar once
    EXPECT_EQ(perLabel.size(), 6u);
    EXPECT_EQ(perLabel["D10"], 39 * 4);
    EXPECT_EQ(perLabel["D25"], 38 * 4);

    // The indexed search must answer exactly as the plain scan in table order does.
    EXPECT_EQ(Trace(dxf, TTraceSearch::PlainScan), bars);
}

} // namespace
} // namespace kolvo
