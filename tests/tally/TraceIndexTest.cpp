// The index must answer every search exactly as the plain scan does. These tests compare the
// two on random drawings built to provoke ties and boundary cases: coordinates on a half-unit
// lattice (ends exactly 1.0 apart, equal distances, texts exactly on a circle), values one ulp
// off the lattice, zero-length lines, used and unused V marks, taken and visited lines, and
// points far out; then whole traces of random drawings full of ties (kolvo-bench --differential
// runs as many more as asked for).
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BarTrace.h"
#include "DrawingBuilder.h"
#include "Tally.h"
#include "TieDrawings.h"

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
        for (int i = 0; i < lines / 4; ++i) {
            // Texts share heights often, which decides where each goes in a label.
            AddText(bed.Drawing, offset + Coordinate(), offset + Pick(0, 8) * 0.5,
                    std::string(1, static_cast<char>('a' + i % 26)));
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

TEST_P(TraceIndexTest, ConnectionsBarsAndLabelsMatchTheScan) {
    RandomDrawing drawing(GetParam());
    // Dense enough that many points have several ends around them.
    drawing.Fill(400, 120);
    drawing.VisitSome();
    const auto points = drawing.Points();

    std::vector<TConnectionAnswer> scanned;
    std::vector<TBarAnswer> scannedBars;
    std::vector<std::string> scannedLabels;
    auto label = [&](std::size_t i) {
        std::string text = "-";
        const double radius = static_cast<double>(i % 5) * 0.5;
        return bed.Tracer.ReadCircleLabel(points[i].first, points[i].second, radius, text)
                   ? text
                   : "(none)";
    };
    for (std::size_t i = 0; i < points.size(); ++i) {
        scanned.push_back(Connections(points[i].first, points[i].second));
        scannedBars.push_back(
            Bar(points[i].first, points[i].second, static_cast<std::int32_t>(i % 50)));
        scannedLabels.push_back(label(i));
    }
    bed.Tracer.BuildSearchIndex();
    int withHits = 0;
    int withLabels = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto [x, y] = points[i];
        const TConnectionAnswer indexed = Connections(x, y);
        EXPECT_EQ(indexed, scanned[i]) << "connections at " << x << ", " << y;
        EXPECT_EQ(Bar(x, y, static_cast<std::int32_t>(i % 50)), scannedBars[i])
            << "bar at " << x << ", " << y;
        EXPECT_EQ(label(i), scannedLabels[i]) << "label at " << x << ", " << y;
        withHits += indexed.Count >= 2 ? 1 : 0;
        withLabels += scannedLabels[i].size() >= 2 && scannedLabels[i] != "(none)" ? 1 : 0;
    }
    // The drawing really does provoke the interesting cases.
    EXPECT_GT(withHits, 50);
    EXPECT_GT(withLabels, 20);
}

// The mark points of one tip, and the polylines' flags after it.
struct TMarkStep {
    std::vector<std::pair<double, double>> Marks;
    std::vector<std::int32_t> Flags;
    friend bool operator==(const TMarkStep&, const TMarkStep&) = default;
};

// Mark points collected one tip after another (each use of a V mark stays for the next), with
// the tip segments mostly upright or level so that directions are asked about again and again.
TEST_P(TraceIndexTest, MarkPointsMatchTheScan) {
    RandomDrawing drawing(GetParam());
    drawing.Fill(80, 200);
    for (int i = 0; i < 60; ++i) {
        const double x = drawing.Coordinate();
        const double y = drawing.Coordinate();
        const double length = drawing.Pick(0, 6) * 0.5;
        if (drawing.Pick(0, 1) == 0) {
            AddLine(bed.Drawing, x, y, x + length, y);
        } else {
            AddLine(bed.Drawing, x, y + length, x, y);
        }
    }
    const DxfTable<TDxfPolyline> polylines = bed.Drawing.Polylines;
    auto run = [&] {
        std::vector<TMarkStep> steps;
        for (std::int32_t line = 0; line < bed.Drawing.LineCount(); line += 2) {
            const TDxfLine& segment = bed.Drawing.Lines[line];
            const bool atEnd = line % 4 == 0;
            bed.Tracer.CollectMarkPoints(line, atEnd ? segment.X2 : segment.X1,
                                         atEnd ? segment.Y2 : segment.Y1);
            TMarkStep step;
            double x = 0, y = 0;
            while (bed.Tracer.NextMarkPoint(x, y)) {
                step.Marks.emplace_back(x, y);
            }
            for (const TDxfPolyline& polyline : bed.Drawing.Polylines) {
                step.Flags.push_back(polyline.Flags);
            }
            steps.push_back(std::move(step));
        }
        return steps;
    };
    const std::vector<TMarkStep> scanned = run();
    bed.Drawing.Polylines = polylines;
    bed.Tracer.BuildSearchIndex();
    const std::vector<TMarkStep> indexed = run();
    ASSERT_EQ(indexed.size(), scanned.size());
    std::size_t marks = 0;
    for (std::size_t i = 0; i < scanned.size(); ++i) {
        EXPECT_EQ(indexed[i], scanned[i]) << "tip " << i;
        marks += scanned[i].Marks.size();
    }
    EXPECT_GT(marks, 20u);
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

// Many lines of a few slants, each drawn from rounded ends so that the versions of one slant
// differ in their last bits, on shared lines and in rows, with (in odd seeds) many far out along
// the same slants: the bar search groups such lines and narrows each group down by its offsets.
TEST_P(TraceIndexTest, BarsAmongVersionsOfFewSlantsMatchTheScan) {
    const bool farOut = GetParam() % 2 == 1;
    std::mt19937 rng(GetParam());
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const std::array<double, 4> slants = {0.0, 90.0, 15.0, 45.0};
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 900; ++i) {
        double angle = slants[static_cast<std::size_t>(pick(0, 3))] * std::numbers::pi / 180;
        // Offsets across the slant on a half-unit lattice, so that many lines share one, or
        // further apart than the window of a point, so that most of its windows hold none.
        double across = pick(0, 80) * (pick(0, 1) == 0 ? 0.5 : 6.5) +
                        (pick(0, 40) == 0 ? 1e7 * pick(-1, 1) : 0.0);
        if (farOut && pick(0, 8) == 0) {
            // Far out and turned by a few hundredths of a millionth: still in one group, where
            // the group's direction alone would misjudge where the line passes by over 1.0.
            across += 1e8 * (pick(0, 1) == 0 ? 1 : -1);
            angle += pick(-3, 3) * 1e-8;
        }
        const double along = pick(-200, 200) * 0.25;
        const double length = pick(1, 60) * 0.5;
        const double x1 =
            std::round((-std::sin(angle) * across + std::cos(angle) * along) * 1e6) / 1e6;
        const double y1 =
            std::round((std::cos(angle) * across + std::sin(angle) * along) * 1e6) / 1e6;
        const double x2 = std::round((x1 + std::cos(angle) * length) * 1e6) / 1e6;
        const double y2 = std::round((y1 + std::sin(angle) * length) * 1e6) / 1e6;
        AddLine(bed.Drawing, pick(0, 1) == 0 ? x1 : x2, pick(0, 1) == 0 ? y1 : y2, x2, y2);
        // A point on the line, at its edge 1.0 away, and just inside and outside that edge.
        const double off = std::array<double, 4>{0.0, 1.0, std::nextafter(1.0, 0.0),
                                                 std::nextafter(1.0, 2.0)}[pick(0, 3)];
        points.emplace_back(x1 - std::sin(angle) * off, y1 + std::cos(angle) * off);
    }
    std::vector<TBarAnswer> scanned;
    for (std::size_t i = 0; i < points.size(); ++i) {
        scanned.push_back(Bar(points[i].first, points[i].second, static_cast<std::int32_t>(i)));
    }
    bed.Tracer.BuildSearchIndex();
    int found = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto [x, y] = points[i];
        EXPECT_EQ(Bar(x, y, static_cast<std::int32_t>(i)), scanned[i])
            << "bar at " << x << ", " << y;
        found += scanned[i].Found ? 1 : 0;
    }
    // Most points meet a line, and not all of them.
    EXPECT_GT(found, 450);
    EXPECT_LT(found, 900);
}

// Whole traces, indexed and plain, of random drawings full of ties must tally the same records
// in the same order and leave the same marks.
TEST(TraceIndex, WholeTracesOfTiedDrawingsMatchTheScan) {
    constexpr std::uint32_t Drawings = 3000;
    std::int64_t bars = 0;
    for (std::uint32_t seed = 1; seed <= Drawings; ++seed) {
        TDrawing drawing;
        bench::MakeTieDrawing(seed, drawing);
        std::int32_t found = 0;
        EXPECT_EQ(bench::CompareIndexedWithPlain(drawing, found), "") << "drawing " << seed;
        bars += found;
    }
    EXPECT_GT(bars, Drawings * 5); // the drawings do find bars, so the traces go all the way
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
