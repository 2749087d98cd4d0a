#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BarTrace.h"
#include "DrawingBuilder.h"
#include "Tally.h"
#include "TraceTolerances.h"

namespace kolvo {
namespace {

// The drawing, tally and tracer these tests fill and look at.
testing::TTraceBed& bed = testing::Bed();

using testing::AddCircle;
using testing::AddLine;
using testing::AddPolyline;
using testing::AddText;
using testing::AddVMark;
using testing::ClearDrawing;

class TraceTest : public ::testing::Test {
protected:
    void SetUp() override { ClearDrawing(); }
    void TearDown() override { ClearDrawing(); }

    // Labels and bar lines of the tally, in tally order.
    static std::vector<std::pair<std::string, double>> Found() {
        std::vector<std::pair<std::string, double>> found;
        for (const TTallyRecord& record : bed.Tally) {
            found.emplace_back(record.Label.str(), record.Length);
        }
        return found;
    }
    using Found_t = std::vector<std::pair<std::string, double>>;
};

// --- Circles and labels ---

TEST_F(TraceTest, CirclesSortByLayerColourLineTypeSizeAndCentre) {
    // The circle's CZ carries its original position, to tell equal circles apart.
    auto add = [](const char* layer, const char* colour, const char* type, double r, double x,
                  double y) {
        const std::int32_t i = AddCircle(bed.Drawing, x, y, r, layer);
        bed.Drawing.Circles[i].Color = bed.Drawing.Properties.Add(colour);
        bed.Drawing.Circles[i].LineType = bed.Drawing.Properties.Add(type);
        bed.Drawing.Circles[i].CZ = i;
    };
    add("B", "", "", 1, 0, 0);          // 0
    add("A", "2", "", 1, 0, 0);         // 1
    add("A", "", "X", 1, 0, 0);         // 2
    add("A", "", "", 3, 0, 0);          // 3
    add("A", "", "", 1, 5, 0);          // 4
    add("A", "", "", 1, 5, -1);         // 5
    add("A", "", "", 1, 5, -1);         // 6 equal to 5
    add("\x82\xa0", "", "", 0.5, 0, 0); // 7: double-byte layer after every letter
    add("AB", "", "", 0.5, 0, 0);       // 8: a proper prefix first
    bed.Tracer.SortCircles();
    std::vector<double> order;
    for (const TDxfCircle& circle : bed.Drawing.Circles) {
        order.push_back(circle.CZ);
    }
    EXPECT_EQ(order, (std::vector<double>{5, 6, 4, 3, 2, 1, 8, 0, 7}));
}

TEST_F(TraceTest, LabelIsTheTextsInsideTheCircleJoinedByHeight) {
    std::string label;
    EXPECT_FALSE(bed.Tracer.ReadCircleLabel(0, 0, 5, label));

    AddText(bed.Drawing, 0, 10, "13");   // first in the table, higher
    AddText(bed.Drawing, 0.5, 5, "D");   // lower: goes in front
    AddText(bed.Drawing, 100, 5, "OUT"); // outside the circle
    EXPECT_TRUE(bed.Tracer.ReadCircleLabel(0, 7, 5, label));
    EXPECT_EQ(label, "D13");
}

TEST_F(TraceTest, TextsAboveTheLowestAreAppendedInTableOrder) {
    AddText(bed.Drawing, 0, 5, "A");
    AddText(bed.Drawing, 0, 10, "B");
    AddText(bed.Drawing, 0, 7, "C");
    AddText(bed.Drawing, 0, 7, "D");
    std::string label;
    ASSERT_TRUE(bed.Tracer.ReadCircleLabel(0, 7, 5, label));
    EXPECT_EQ(label, "ABCD");
}

TEST_F(TraceTest, TextsAtTheSameHeightPutTheLaterOneFirst) {
    AddText(bed.Drawing, -1, 0, "X");
    AddText(bed.Drawing, 1, 0, "Y");
    AddText(bed.Drawing, 2, 0, "Z");
    std::string label;
    ASSERT_TRUE(bed.Tracer.ReadCircleLabel(0, 0, 5, label));
    EXPECT_EQ(label, "ZYX");
}

TEST_F(TraceTest, ATextOnTheCircleBelongsToTheLabel) {
    AddText(bed.Drawing, 3, 4, "ON");
    AddText(bed.Drawing, 3, 4.000001, "OFF");
    std::string label = "unchanged";
    ASSERT_TRUE(bed.Tracer.ReadCircleLabel(0, 0, 5, label));
    EXPECT_EQ(label, "ON");
}

// --- The nearest free line ---

TEST_F(TraceTest, NearestFreeLineTriesStartEndAndMiddle) {
    std::int32_t line = -1;
    EXPECT_FALSE(bed.Tracer.NearestFreeLine(0, 0, line));
    AddLine(bed.Drawing, 10, 0, 20, 0);       // start at 10
    AddLine(bed.Drawing, 30, 0, 9, 0);        // end at 9
    AddLine(bed.Drawing, -4, 8, 4, 8);        // middle at 8
    AddLine(bed.Drawing, 8, 0, 100, 0);       // start at 8 as well: the earlier line keeps it
    AddLine(bed.Drawing, 0.5, 0.5, 0.5, 0.5); // nearer, but taken
    bed.Drawing.Lines[4].TraceState = LineCountedBar;
    EXPECT_TRUE(bed.Tracer.NearestFreeLine(0, 0, line));
    EXPECT_EQ(line, 2);
    bed.Drawing.Lines[2].TraceState = LineTipTaken;
    EXPECT_TRUE(bed.Tracer.NearestFreeLine(0, 0, line));
    EXPECT_EQ(line, 3);
}

TEST_F(TraceTest, NearestFreeLineHasNoLimitBelowItsStartingDistance) {
    AddLine(bed.Drawing, 9e10, 0, 9e10, 1);
    AddLine(bed.Drawing, 2e11, 0, 2e11, 1);
    std::int32_t line = -1;
    ASSERT_TRUE(bed.Tracer.NearestFreeLine(0, 0, line));
    EXPECT_EQ(line, 0);
    bed.Drawing.Lines[0].TraceState = LineCountedBar;
    EXPECT_FALSE(bed.Tracer.NearestFreeLine(0, 0, line));
}

// --- Connections and leader walking ---

TEST_F(TraceTest, ConnectionsCountLineEndsAndVMarksTwice) {
    std::int32_t count = -1, index = -1, kind = -1;
    EXPECT_FALSE(bed.Tracer.FindConnections(0, 0, count, index, kind));
    EXPECT_EQ(count, 0);

    AddLine(bed.Drawing, 0.5, 0, 10, 0);   // 0: start within 1.0
    AddLine(bed.Drawing, 10, 10, 0, 0.99); // 1: end within 1.0
    AddLine(bed.Drawing, 1, 0, 20, 0);     // 2: start exactly 1.0 away: no
    EXPECT_TRUE(bed.Tracer.FindConnections(0, 0, count, index, kind));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(kind, StrokeLineEnd);

    AddVMark(bed.Drawing, 0, -0.5);           // polyline 0
    AddVMark(bed.Drawing, 0, 0.5, 1);         // flagged: no
    AddPolyline(bed.Drawing, 4, 0, 0);        // four vertices: no
    AddLine(bed.Drawing, -0.2, 0, -0.1, 0.1); // 3: both ends count
    EXPECT_TRUE(bed.Tracer.FindConnections(0, 0, count, index, kind));
    EXPECT_EQ(count, 6);
    EXPECT_EQ(index, 0); // the V mark is the last hit: polylines come after lines
    EXPECT_EQ(kind, StrokeVMark);
}

TEST_F(TraceTest, ConnectionsSkipVisitedAndTakenLines) {
    AddLine(bed.Drawing, 0, 0, 10, 0);
    AddLine(bed.Drawing, 0, 0, -10, 0);
    AddLine(bed.Drawing, 0, 0, 0, 10);
    bed.Tracer.VisitedLines.Add(0);
    bed.Drawing.Lines[1].TraceState = LineTipTaken;
    std::int32_t count = 0, index = -1, kind = 0;
    EXPECT_TRUE(bed.Tracer.FindConnections(0, 0, count, index, kind));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(kind, StrokeLineStart);
}

TEST_F(TraceTest, WalkFollowsTheChainToATipOfTwoLineEnds) {
    AddLine(bed.Drawing, 5, 0, 20, 0);      // 0: entered here
    AddLine(bed.Drawing, 20, 30, 20, 0);    // 1: joined by its end
    AddLine(bed.Drawing, 20, 30, 40, 30);   // 2: joined by its start
    AddLine(bed.Drawing, 40.5, 30, 60, 40); // 3 and 4: two ends at the far end of 2
    AddLine(bed.Drawing, 60, 20, 40, 30.5);
    std::int32_t tip = -1;
    double x = 0, y = 0;
    ASSERT_TRUE(bed.Tracer.WalkLeader(0, tip, x, y));
    EXPECT_EQ(tip, 2);
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 30);
    EXPECT_EQ(bed.Drawing.Lines[2].TraceState, LineTipSegment);
    EXPECT_EQ(bed.Drawing.Lines[0].TraceState, LineFree);
    EXPECT_EQ(bed.Drawing.Lines[3].TraceState, LineFree);
    EXPECT_TRUE(bed.Tracer.VisitedLines.Contains(0));
    EXPECT_TRUE(bed.Tracer.VisitedLines.Contains(1));
    EXPECT_TRUE(bed.Tracer.VisitedLines.Contains(2));
    EXPECT_FALSE(bed.Tracer.VisitedLines.Contains(3));
}

TEST_F(TraceTest, ThreeEndsAreNeitherTipNorContinuation) {
    AddLine(bed.Drawing, 5, 0, 20, 0);
    AddLine(bed.Drawing, 20, 0, 30, 10);
    AddLine(bed.Drawing, 20, 0, 30, -10);
    AddVMark(bed.Drawing, 20.5, 0); // with the one free line end: three
    bed.Drawing.Lines[2].TraceState = LineCountedBar;
    std::int32_t tip = -1;
    double x = 0, y = 0;
    EXPECT_FALSE(bed.Tracer.WalkLeader(0, tip, x, y));
    EXPECT_EQ(bed.Drawing.Lines[0].TraceState, LineFree);
    EXPECT_FALSE(bed.Tracer.VisitedLines.Contains(1)); // not followed
}

TEST_F(TraceTest, AVMarkAloneFormsATip) {
    AddLine(bed.Drawing, 5, 0, 20, 0);
    AddVMark(bed.Drawing, 20, 0.5);
    std::int32_t tip = -1;
    double x = 0, y = 0;
    ASSERT_TRUE(bed.Tracer.WalkLeader(0, tip, x, y));
    EXPECT_EQ(tip, 0);
    EXPECT_EQ(x, 20);
    EXPECT_EQ(bed.Drawing.Polylines[0].Flags, 0); // a V mark at the tip is not used up
}

TEST_F(TraceTest, TheStartSideIsWalkedBeforeTheEndSide) {
    AddLine(bed.Drawing, 0, 0, 10, 0);   // 0: entered here
    AddLine(bed.Drawing, 10, 0, 10, 10); // 1: end side, leads to a tip at (10, 10)
    AddLine(bed.Drawing, 0, 0, -10, 0);  // 2: start side, leads to a tip at (-10, 0)
    AddVMark(bed.Drawing, 10, 10);
    AddVMark(bed.Drawing, -10, 0);
    std::int32_t tip = -1;
    double x = 0, y = 0;
    ASSERT_TRUE(bed.Tracer.WalkLeader(0, tip, x, y));
    EXPECT_EQ(tip, 2);
    EXPECT_EQ(x, -10);
    EXPECT_FALSE(bed.Tracer.VisitedLines.Contains(1));

    // A tip at either end of the line is taken before any walk further on; the start first.
    ClearDrawing();
    AddLine(bed.Drawing, 0, 0, 10, 0);
    AddVMark(bed.Drawing, 10, 0);
    AddVMark(bed.Drawing, 0, 0);
    ASSERT_TRUE(bed.Tracer.WalkLeader(0, tip, x, y));
    EXPECT_EQ(tip, 0);
    EXPECT_EQ(x, 0);
    // A tip at the line's own end is taken before any walk further on.
    ClearDrawing();
    AddLine(bed.Drawing, 0, 0, 10, 0);
    AddLine(bed.Drawing, 0, 0, -10, 0);
    AddVMark(bed.Drawing, -10, 0);
    AddVMark(bed.Drawing, 10, 0);
    ASSERT_TRUE(bed.Tracer.WalkLeader(0, tip, x, y));
    EXPECT_EQ(tip, 0);
    EXPECT_EQ(x, 10);
}

TEST_F(TraceTest, TheEndSideIsWalkedWhenTheStartSideFindsNoTip) {
    AddLine(bed.Drawing, 0, 0, 10, 0);      // 0: entered here
    AddLine(bed.Drawing, 0, 0, -10, 0);     // 1: start side, dead end
    AddLine(bed.Drawing, -10, 0, -10, -10); // 2
    AddLine(bed.Drawing, 10, 0, 10, 10);    // 3: end side, with a tip
    AddVMark(bed.Drawing, 10, 10);
    std::int32_t tip = -1;
    double x = 0, y = 0;
    ASSERT_TRUE(bed.Tracer.WalkLeader(0, tip, x, y));
    EXPECT_EQ(tip, 3);
    EXPECT_EQ(y, 10);
    EXPECT_TRUE(bed.Tracer.VisitedLines.Contains(2));
}

TEST_F(TraceTest, TheFirstLineOfTheTableCanContinueALeader) {
    AddLine(bed.Drawing, 20, 0, 20, 20); // 0: the continuation
    AddLine(bed.Drawing, 5, 0, 20, 0);   // 1: entered here
    AddVMark(bed.Drawing, 20, 20);
    std::int32_t tip = -1;
    double x = 0, y = 0;
    ASSERT_TRUE(bed.Tracer.WalkLeader(1, tip, x, y));
    EXPECT_EQ(tip, 0);
}

TEST_F(TraceTest, AVeryLongLeaderIsWalkedWithoutExhaustingTheStack) {
    constexpr int segments = 200000;
    for (int i = 0; i < segments; ++i) {
        AddLine(bed.Drawing, i * 10.0, 0, i * 10.0 + 10, 0);
    }
    AddVMark(bed.Drawing, segments * 10.0, 0);
    bed.Tracer.BuildSearchIndex();
    std::int32_t tip = -1;
    double x = 0, y = 0;
    ASSERT_TRUE(bed.Tracer.WalkLeader(0, tip, x, y));
    EXPECT_EQ(tip, segments - 1);
    EXPECT_EQ(bed.Tracer.VisitedLines.Count(), segments);
}

// --- Mark points and bars ---

TEST_F(TraceTest, MarkPointsLieOnTheTipSegmentsInfiniteLine) {
    const std::int32_t segment = AddLine(bed.Drawing, 0, 0, 10, 0);
    AddVMark(bed.Drawing, 10.5, 0);    // 0: within 1.0 of the tip
    AddVMark(bed.Drawing, 11.5, 0);    // 1: 1.5 from the tip, beyond the segment's end
    AddVMark(bed.Drawing, 11, 0);      // 2: exactly 1.0 from the tip
    AddVMark(bed.Drawing, -20, 0.5);   // 3: beyond the start, 0.5 off the line
    AddVMark(bed.Drawing, 5, 1.0);     // 4: exactly 1.0 off the line
    AddVMark(bed.Drawing, 5, -0.99);   // 5
    AddVMark(bed.Drawing, 3, 0, 1);    // 6: flagged
    AddPolyline(bed.Drawing, 4, 4, 0); // 7: four vertices
    bed.Tracer.MarkPoints.push_back(TMarkPoint{99, 99}); // emptied first
    bed.Tracer.CollectMarkPoints(segment, 10, 0);
    std::vector<std::pair<double, double>> points;
    double x = 0, y = 0;
    while (bed.Tracer.NextMarkPoint(x, y)) {
        points.emplace_back(x, y);
    }
    EXPECT_EQ(points, (std::vector<std::pair<double, double>>{{11.5, 0}, {-20, 0.5}, {5, -0.99}}));
    std::vector<std::int32_t> flags;
    for (const TDxfPolyline& polyline : bed.Drawing.Polylines) {
        flags.push_back(polyline.Flags);
    }
    EXPECT_EQ(flags, (std::vector<std::int32_t>{0, 5, 0, 5, 0, 5, 1, 0}));
}

TEST_F(TraceTest, AZeroLengthTipSegmentHasNoMarkPoints) {
    const std::int32_t segment = AddLine(bed.Drawing, 3, 3, 3, 3);
    AddVMark(bed.Drawing, 3, 10);
    bed.Tracer.CollectMarkPoints(segment, 3, 3);
    double x = 0, y = 0;
    EXPECT_FALSE(bed.Tracer.NextMarkPoint(x, y));
    EXPECT_EQ(bed.Drawing.Polylines[0].Flags, 0);
}

TEST_F(TraceTest, BarsAreFoundOnInfiniteLinesFirstInTableOrder) {
    std::int32_t line = -1;
    EXPECT_FALSE(bed.Tracer.FindBarAt(0, 0, -1, line));
    AddLine(bed.Drawing, 0, 0.5, 0, 0.5);     // 0: zero length, through the point: never
    AddLine(bed.Drawing, 100, 1, 101, 1);     // 1: exactly 1.0 away: no
    AddLine(bed.Drawing, 100, 0.5, 101, 0.5); // 2: far beyond its ends, 0.5 away
    AddLine(bed.Drawing, 0, -5, 0, 5);        // 3: through the point, but later
    EXPECT_TRUE(bed.Tracer.FindBarAt(0, 0, -1, line));
    EXPECT_EQ(line, 2);
    bed.Drawing.Lines[2].TraceState = LineCountedBar; // taken lines count like any other
    EXPECT_TRUE(bed.Tracer.FindBarAt(0, 0, -1, line));
    EXPECT_EQ(line, 2);
    EXPECT_TRUE(bed.Tracer.FindBarAt(0, 0, 2, line));
    EXPECT_EQ(line, 3);
    EXPECT_FALSE(bed.Tracer.FindBarAt(5, 5, 3, line));
}

// --- Whole labels ---

// A label circle at (0, 0) with a leader to the right ending at (50, 0) in a V mark; returns the
// leader's index.
std::int32_t AddSimpleLabel(const char* text) {
    AddCircle(bed.Drawing, 0, 0, 5);
    AddText(bed.Drawing, -2, -1, text);
    const std::int32_t leader = AddLine(bed.Drawing, 5, 0, 50, 0, "LEADER");
    AddVMark(bed.Drawing, 50, 0);
    return leader;
}

TEST_F(TraceTest, ALabelTalliesTheBarAtItsTipAndAtItsMarkPoints) {
    const std::int32_t bar1 =
        AddLine(bed.Drawing, 50, -100, 50, 100); // length 200, through the tip
    const std::int32_t leader = AddSimpleLabel("D13");
    const std::int32_t bar2 = AddLine(bed.Drawing, 80, -50, 80, 100); // length 150, at a mark point
    AddVMark(bed.Drawing, 80, 0.2);
    AddVMark(bed.Drawing, 80, -0.2); // the same bar, pointed at twice
    bed.Tracer.TraceAllLabels();
    EXPECT_EQ(Found(), (Found_t{{"D13", 200}, {"D13", 150}, {"D13", 150}}));
    EXPECT_EQ(bed.Drawing.Lines[bar1].TraceState, LineCountedBar);
    EXPECT_EQ(bed.Drawing.Lines[bar2].TraceState, LineCountedBar);
    EXPECT_EQ(bed.Drawing.Lines[leader].TraceState, LineTipTaken);
    EXPECT_EQ(bed.Drawing.Polylines[0].Flags, 0);
    EXPECT_EQ(bed.Drawing.Polylines[1].Flags, PolylineMarkUsed);
    EXPECT_EQ(bed.Tally[0].Layer, "BAR");
}

TEST_F(TraceTest, CirclesWithoutTextAndLabelsWithoutATipAddNothing) {
    AddCircle(bed.Drawing, 0, 0, 5);
    AddLine(bed.Drawing, 5, 0, 50, 0);
    AddVMark(bed.Drawing, 50, 0);
    AddLine(bed.Drawing, 50, -10, 50, 10);
    AddCircle(bed.Drawing, 200, 0, 5);
    AddText(bed.Drawing, 200, 0, "D10");
    AddLine(bed.Drawing, 205, 0, 250, 0); // its far end has nothing at it
    AddLine(bed.Drawing, 250, -10, 250, 10);
    bed.Tracer.TraceAllLabels();
    EXPECT_EQ(bed.Tally.Count(), 0);
}

TEST_F(TraceTest, ATipWithoutABarAddsNothing) {
    AddSimpleLabel("D13");
    bed.Tracer.TraceAllLabels();
    EXPECT_EQ(bed.Tally.Count(), 0);
}

TEST_F(TraceTest, RepeatedWalksEndAtATipAlreadyTaken) {
    // The bar is found before the two lines forming the tip, so they stay free and every walk
    // from the leader returns the same tip.
    AddLine(bed.Drawing, 50, -100, 50, 100);
    AddCircle(bed.Drawing, 0, 0, 5);
    AddText(bed.Drawing, 0, 0, "D13");
    const std::int32_t leader = AddLine(bed.Drawing, 5, 0, 50, 0);
    AddLine(bed.Drawing, 50, 0, 80, 10);
    AddLine(bed.Drawing, 50, 0, 80, -10);
    bed.Tracer.TraceAllLabels();
    EXPECT_EQ(Found(), (Found_t{{"D13", 200}}));
    EXPECT_EQ(bed.Drawing.Lines[leader].TraceState, LineTipTaken);
}

TEST_F(TraceTest, LaterWalksOfALabelReachFurtherTips) {
    AddLine(bed.Drawing, -30, -10, -30, 10); // 0: bar of length 20 at the first tip
    AddLine(bed.Drawing, -10, 40, 20, 40);   // 1: bar of length 30 at the second tip
    AddCircle(bed.Drawing, 0, 0, 5);
    AddText(bed.Drawing, 0, 0, "D16");
    AddLine(bed.Drawing, -5, 0, 5, 0);   // 2: through the centre; both sides lead on
    AddLine(bed.Drawing, -5, 0, -30, 0); // 3: start side, tip at (-30, 0)
    AddLine(bed.Drawing, 5, 0, 5, 40);   // 4: end side, tip at (5, 40)
    AddVMark(bed.Drawing, -30, 0);
    AddVMark(bed.Drawing, 5, 40);
    bed.Tracer.TraceAllLabels();
    EXPECT_EQ(Found(), (Found_t{{"D16", 20}, {"D16", 30}}));
    EXPECT_EQ(bed.Drawing.Lines[3].TraceState, LineTipTaken);
    EXPECT_EQ(bed.Drawing.Lines[4].TraceState, LineTipTaken);
    EXPECT_EQ(bed.Drawing.Lines[2].TraceState, LineFree);
}

TEST_F(TraceTest, ADividingLineStartsTheWalkAndTheLowerTextLeads) {
    AddCircle(bed.Drawing, 0, 0, 5);
    AddText(bed.Drawing, 0, 2, "13");
    AddText(bed.Drawing, 0, -3, "D");
    AddLine(bed.Drawing, -5, 0, 5, 0);  // through the centre
    AddLine(bed.Drawing, 5, 0, 40, 20); // the leader, from the dividing line's end
    AddVMark(bed.Drawing, 40, 20);
    AddLine(bed.Drawing, 40, -100, 40, 100); // the bar; its ends are far from the tip
    bed.Tracer.TraceAllLabels();
    EXPECT_EQ(Found(), (Found_t{{"D13", 200}}));
}

TEST_F(TraceTest, LabelsAreTracedInCircleOrderAndTakenLinesAreOutOfReach) {
    // Two labels share a leader line; the circle that sorts first takes it.
    AddCircle(bed.Drawing, 0, 0, 5, "Z");
    AddText(bed.Drawing, 0, 0, "LATE");
    AddCircle(bed.Drawing, 0, 20, 5, "A");
    AddText(bed.Drawing, 0, 20, "EARLY");
    AddLine(bed.Drawing, 2, 10, 60, 10); // nearest to both centres (its start)
    AddVMark(bed.Drawing, 60, 10);
    AddLine(bed.Drawing, 60, -50, 60, 50);
    bed.Tracer.TraceAllLabels();
    EXPECT_EQ(Found(), (Found_t{{"EARLY", 100}}));
}

TEST_F(TraceTest, ABarPointedAtByTwoLabelsIsTalliedTwice) {
    AddLine(bed.Drawing, 100, -200, 100, 200);
    AddCircle(bed.Drawing, 0, 0, 5);
    AddText(bed.Drawing, 0, 0, "A");
    AddLine(bed.Drawing, 5, 0, 100, 0);
    AddVMark(bed.Drawing, 100, 0);
    AddCircle(bed.Drawing, 0, 50, 5);
    AddText(bed.Drawing, 0, 50, "B");
    AddLine(bed.Drawing, 5, 50, 100, 50);
    AddVMark(bed.Drawing, 100, 50);
    bed.Tracer.TraceAllLabels();
    EXPECT_EQ(Found(), (Found_t{{"A", 400}, {"B", 400}}));
}

} // namespace
} // namespace kolvo
