// The index must answer every search exactly as the plain scan does. These tests compare the
// two on random drawings built to provoke ties and boundary cases: coordinates on a half-unit
// lattice (ends exactly 1.0 apart, equal distances), values one ulp off the lattice, zero-length
// lines, used and unused V marks, taken and visited lines, and points far out.
#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BarTrace.h"
#include "DrawingBuilder.h"
#include "Tally.h"
#include "TraceIndex.h"

namespace kolvo {
namespace {

// The drawing, tally and tracer these tests fill and look at.
testing::TTraceBed& bed = testing::Bed();

using testing::AddCircle;
using testing::AddLine;
using testing::AddPolyline;
using testing::AddText;
using testing::ClearDrawing;

class RandomDrawing {
public:
    explicit RandomDrawing(unsigned seed) : rng_(seed) {}

    double Coordinate() {
        double value = std::uniform_int_distribution<int>(0, 40)(rng_) * 0.5;
        switch (std::uniform_int_distribution<int>(0, 9)(rng_)) {
        case 0:
            value = std::nextafter(value, 1e9);
            break;
        case 1:
            value = std::nextafter(value, -1e9);
            break;
        case 2:
            value += std::uniform_real_distribution<double>(-1, 1)(rng_);
            break;
        default:
            break;
        }
        return value;
    }
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // bed.Drawing.Lines, V marks and other polylines; some lines taken, some visited.
    void Fill(int lines, int polylines, double offset = 0) {
        for (int i = 0; i < lines; ++i) {
            const double x1 = offset + Coordinate();
            const double y1 = offset + Coordinate();
            const bool zeroLength = Pick(0, 19) == 0;
            const std::int32_t line =
                AddLine(bed.Drawing, x1, y1, zeroLength ? x1 : offset + Coordinate(),
                        zeroLength ? y1 : offset + Coordinate());
            if (Pick(0, 5) == 0) {
                bed.Drawing.Lines[line].TraceState =
                    Pick(0, 1) == 0 ? LineCountedBar : LineTipTaken;
            }
        }
        for (int i = 0; i < polylines; ++i) {
            const int vertices = Pick(0, 4) == 0 ? 4 : 3;
            AddPolyline(bed.Drawing, vertices, offset + Coordinate(), offset + Coordinate(),
                        Pick(0, 3) == 0 ? PolylineMarkUsed : 0);
        }
    }
    void VisitSome() {
        bed.Tracer.VisitedLines.Clear();
        for (std::int32_t i = 0; i < bed.Drawing.LineCount(); ++i) {
            if (Pick(0, 7) == 0) {
                bed.Tracer.VisitedLines.Add(i);
            }
        }
    }
    // Query points: lattice points, line ends and middles, V-mark vertices, points off them.
    std::vector<std::pair<double, double>> Points(double offset = 0) {
        std::vector<std::pair<double, double>> points;
        for (int i = 0; i < 300; ++i) {
            points.emplace_back(offset + Coordinate(), offset + Coordinate());
        }
        for (const TDxfLine& line : bed.Drawing.Lines) {
            points.emplace_back(line.X1, line.Y1);
            points.emplace_back(line.X2 + 1.0, line.Y2);
            points.emplace_back((line.X1 + line.X2) * 0.5, (line.Y1 + line.Y2) * 0.5);
        }
        for (const TDxfPolyline& polyline : bed.Drawing.Polylines) {
            points.emplace_back(polyline.Vertex(2).X, polyline.Vertex(2).Y - 1.0);
        }
        return points;
    }

private:
    std::mt19937 rng_;
};

struct TConnectionAnswer {
    bool Found = false;
    std::int32_t Count = -1, Index = -1, Kind = -1;
    friend bool operator==(const TConnectionAnswer&, const TConnectionAnswer&) = default;
};

TConnectionAnswer Connections(double x, double y) {
    TConnectionAnswer answer;
    answer.Found = bed.Tracer.FindConnections(x, y, answer.Count, answer.Index, answer.Kind);
    return answer;
}

struct TNearestAnswer {
    bool Found = false;
    std::int32_t Line = -1;
    friend bool operator==(const TNearestAnswer&, const TNearestAnswer&) = default;
};

TNearestAnswer Nearest(double x, double y) {
    TNearestAnswer answer;
    answer.Found = bed.Tracer.NearestFreeLine(x, y, answer.Line);
    return answer;
}

// The nearest free line to each point, found once by the plain scan and once through the index.
void ExpectIndexedNearestMatchesScan(const std::vector<std::pair<double, double>>& points) {
    std::vector<TNearestAnswer> scanned;
    for (const auto& [x, y] : points) {
        scanned.push_back(Nearest(x, y));
    }
    bed.Tracer.BuildSearchIndex();
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(Nearest(points[i].first, points[i].second), scanned[i])
            << "nearest to " << points[i].first << ", " << points[i].second;
    }
}

struct TBarAnswer {
    bool Found = false;
    std::int32_t Line = -1;
    friend bool operator==(const TBarAnswer&, const TBarAnswer&) = default;
};

TBarAnswer Bar(double x, double y, std::int32_t skip) {
    TBarAnswer answer;
    answer.Found = bed.Tracer.FindBarAt(x, y, skip, answer.Line);
    return answer;
}

class TraceIndexTest : public ::testing::TestWithParam<unsigned> {
protected:
    void SetUp() override { ClearDrawing(); }
    void TearDown() override { ClearDrawing(); }
};

TEST_P(TraceIndexTest, ConnectionsAndBarsMatchTheScan) {
    RandomDrawing drawing(GetParam());
    // Dense enough that many points have several ends around them.
    drawing.Fill(400, 120);
    drawing.VisitSome();
    const auto points = drawing.Points();

    std::vector<TConnectionAnswer> scanned;
    std::vector<TBarAnswer> scannedBars;
    for (std::size_t i = 0; i < points.size(); ++i) {
        scanned.push_back(Connections(points[i].first, points[i].second));
        scannedBars.push_back(
            Bar(points[i].first, points[i].second, static_cast<std::int32_t>(i % 50)));
    }
    bed.Tracer.BuildSearchIndex();
    int withHits = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto [x, y] = points[i];
        const TConnectionAnswer indexed = Connections(x, y);
        EXPECT_EQ(indexed, scanned[i]) << "connections at " << x << ", " << y;
        EXPECT_EQ(Bar(x, y, static_cast<std::int32_t>(i % 50)), scannedBars[i])
            << "bar at " << x << ", " << y;
        withHits += indexed.Count >= 2 ? 1 : 0;
    }
    EXPECT_GT(withHits, 50); // the drawing really does provoke the interesting cases
}

TEST_P(TraceIndexTest, NearestFreeLinesMatchTheScan) {
    RandomDrawing drawing(GetParam());
    // Few lines, so that the nearest is often some cells away, with equal distances on the
    // lattice; points from far outside the drawing as well.
    drawing.Fill(60, 0);
    std::vector<std::pair<double, double>> points = drawing.Points();
    for (int i = 0; i < 100; ++i) {
        points.emplace_back(drawing.Coordinate() * 100 - 1000, drawing.Coordinate() * 37);
    }
    points.emplace_back(9e10, 0);
    points.emplace_back(-2e11, 5);
    ExpectIndexedNearestMatchesScan(points);
}

TEST(TraceIndex, NearestFreeLineEdgeCasesMatchTheScan) {
    // Lines all in one place, lines in a row, lines far beyond the grid, lines more than the
    // starting distance away, and taken lines, each drawing with the same queries.
    const std::vector<std::vector<std::array<double, 4>>> drawings = {
        {{3, 3, 3, 3}, {3, 3, 3, 3}, {3, 3, 3, 3}},
        {{0, 0, 10, 0}, {20, 0, 30, 0}, {-5, 0, 5, 0}, {40, 0, 40, 0}},
        {{1e16, 0, 1e16, 1}, {0, 1e17, 1, 1e17}, {5, 5, 6, 6}},
        {{2e11, 0, 2e11, 1}, {1e11, 0, 1e11, 0}, {0, 9.99e10, 0, 9.99e10}},
        {{0, 0, 1e-300, 0}, {1e-300, 1e-300, 0, 0}},
        {{0, 0, 1e300, 1e300}, {-1e300, 5, 1e300, 5}},
    };
    const std::vector<std::pair<double, double>> points = {
        {0, 0},       {3, 3},    {2.5, 0},   {15, 0},     {1e16, 0.5}, {-1e15, 0},
        {5e15, 5e15}, {1e11, 0}, {0, -1e11}, {1e-300, 0}, {1e300, 0},  {0, 1e300}};
    for (const auto& drawing : drawings) {
        ClearDrawing();
        for (const auto& l : drawing) {
            AddLine(bed.Drawing, l[0], l[1], l[2], l[3]);
        }
        for (int pass = 0; pass < 2; ++pass) {
            ExpectIndexedNearestMatchesScan(points);
            bed.Drawing.Lines[0].TraceState =
                LineCountedBar; // the second pass without the first line
        }
    }
    ClearDrawing();
}

TEST_P(TraceIndexTest, PointsFarOutMatchTheScan) {
    RandomDrawing drawing(GetParam());
    drawing.Fill(100, 30, 1e16);               // beyond the grids
    drawing.Fill(100, 30, 1125899906842620.0); // at their edge
    drawing.Fill(100, 30, -1125899906842622.0);
    drawing.VisitSome();
    std::vector<std::pair<double, double>> points = drawing.Points(1e16);
    for (const auto& p : drawing.Points(1125899906842620.0)) {
        points.push_back(p);
    }
    const double inf = std::numeric_limits<double>::infinity();
    points.emplace_back(inf, 0);
    points.emplace_back(0, -inf);
    points.emplace_back(std::nan(""), 0);
    std::vector<TConnectionAnswer> scanned;
    std::vector<TNearestAnswer> scannedNearest;
    std::vector<TBarAnswer> scannedBars;
    for (const auto& [x, y] : points) {
        scanned.push_back(Connections(x, y));
        scannedNearest.push_back(Nearest(x, y));
        scannedBars.push_back(Bar(x, y, -1));
    }
    bed.Tracer.BuildSearchIndex();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto [x, y] = points[i];
        EXPECT_EQ(Connections(x, y), scanned[i]) << "connections at " << x << ", " << y;
        EXPECT_EQ(Nearest(x, y), scannedNearest[i]) << "nearest to " << x << ", " << y;
        EXPECT_EQ(Bar(x, y, -1), scannedBars[i]) << "bar at " << x << ", " << y;
    }
}

// A random drawing with labels: circles with texts, leaders of a few segments, V marks, bars.
void FillLabelledDrawing(RandomDrawing& drawing, int labels) {
    for (int i = 0; i < labels; ++i) {
        const double cx = drawing.Pick(0, 40) * 0.5;
        const double cy = drawing.Pick(0, 40) * 0.5;
        AddCircle(bed.Drawing, cx, cy, 1 + drawing.Pick(0, 2), drawing.Pick(0, 1) == 0 ? "A" : "B");
        AddText(bed.Drawing, cx, cy, std::string(1, static_cast<char>('A' + drawing.Pick(0, 25))));
        double x = cx + 1;
        double y = cy;
        for (int s = drawing.Pick(1, 3); s > 0; --s) {
            const double nx = drawing.Coordinate();
            const double ny = drawing.Coordinate();
            if (drawing.Pick(0, 1) == 0) {
                AddLine(bed.Drawing, x, y, nx, ny);
            } else {
                AddLine(bed.Drawing, nx, ny, x, y);
            }
            x = nx;
            y = ny;
        }
        AddPolyline(bed.Drawing, 3, x, y);
    }
    drawing.Fill(150, 40);
}

TEST_P(TraceIndexTest, WholeTracesMatchTheScan) {
    RandomDrawing drawing(GetParam());
    FillLabelledDrawing(drawing, 40);
    const DxfTable<TDxfLine> lines = bed.Drawing.Lines;
    const DxfTable<TDxfPolyline> polylines = bed.Drawing.Polylines;
    const DxfTable<TDxfCircle> circles = bed.Drawing.Circles;

    bed.Tracer.TraceAllLabels(TTraceSearch::PlainScan);
    const DxfTable<TTallyRecord> scannedTally = bed.Tally;
    const DxfTable<TDxfLine> scannedLines = bed.Drawing.Lines;
    const DxfTable<TDxfPolyline> scannedPolylines = bed.Drawing.Polylines;

    bed.Drawing.Lines = lines;
    bed.Drawing.Polylines = polylines;
    bed.Drawing.Circles = circles;
    bed.Tally.Reset();
    bed.Tracer.TraceAllLabels(TTraceSearch::Indexed);

    ASSERT_EQ(bed.Tally.Count(), scannedTally.Count());
    EXPECT_GT(bed.Tally.Count(), 0);
    for (std::int32_t i = 0; i < bed.Tally.Count(); ++i) {
        EXPECT_EQ(bed.Tally[i].Label, scannedTally[i].Label);
        EXPECT_EQ(bed.Tally[i].X1, scannedTally[i].X1);
        EXPECT_EQ(bed.Tally[i].Y1, scannedTally[i].Y1);
        EXPECT_EQ(bed.Tally[i].X2, scannedTally[i].X2);
        EXPECT_EQ(bed.Tally[i].Y2, scannedTally[i].Y2);
    }
    for (std::int32_t i = 0; i < bed.Drawing.LineCount(); ++i) {
        EXPECT_EQ(bed.Drawing.Lines[i].TraceState, scannedLines[i].TraceState) << "line " << i;
    }
    for (std::int32_t i = 0; i < bed.Drawing.PolylineCount(); ++i) {
        EXPECT_EQ(bed.Drawing.Polylines[i].Flags, scannedPolylines[i].Flags) << "polyline " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, TraceIndexTest, ::testing::Range(1u, 21u));

TEST(VisitedLines, FlagsFollowTheList) {
    TVisitedLines visited;
    visited.Add(5);
    visited.Add(2);
    visited.Add(5);
    EXPECT_EQ(visited.Count(), 3);
    EXPECT_EQ(visited[2], 5);
    EXPECT_TRUE(visited.Contains(5));
    EXPECT_TRUE(visited.Contains(2));
    EXPECT_FALSE(visited.Contains(3));
    EXPECT_FALSE(visited.Contains(99));
    EXPECT_FALSE(visited.Contains(-1));
    visited.Clear();
    EXPECT_EQ(visited.Count(), 0);
    EXPECT_FALSE(visited.Contains(5));
    EXPECT_FALSE(visited.Contains(2));
}

} // namespace
} // namespace kolvo
