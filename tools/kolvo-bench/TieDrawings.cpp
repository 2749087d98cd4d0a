#include "TieDrawings.h"

#include <cmath>
#include <random>

#include "BarTrace.h"
#include "Tally.h"

namespace kolvo::bench {

namespace {

class TRandomDrawing {
public:
    TRandomDrawing(std::uint32_t seed, TDrawing& drawing) : rng_(seed), drawing_(drawing) {}

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(int percent) { return Pick(0, 99) < percent; }

    // A lattice coordinate, now and then nudged one ulp or a fraction off it.
    double Coordinate() {
        double value = Pick(0, 2 * extent_) * 0.5;
        const int nudge = Pick(0, 19);
        if (nudge == 0) {
            value = std::nextafter(value, 1e9);
        } else if (nudge == 1) {
            value = std::nextafter(value, -1e9);
        } else if (nudge == 2) {
            value += Pick(-9, 9) * 0.1;
        }
        return value;
    }

    std::int32_t Line(double x1, double y1, double x2, double y2) {
        TDxfLine& line = drawing_.Lines.Append();
        line.X1 = x1;
        line.Y1 = y1;
        line.X2 = x2;
        line.Y2 = y2;
        return drawing_.LineCount() - 1;
    }

    // A three-vertex polyline (a V mark unless flagged) whose middle vertex is (x, y); now and
    // then four vertices instead.
    void VMark(double x, double y) {
        TDxfPolyline& polyline = drawing_.Polylines.Append();
        polyline.Flags = Chance(10) ? PolylineMarkUsed : 0;
        const int vertices = Chance(10) ? 4 : 3;
        for (int n = 1; n <= vertices; ++n) {
            polyline.AddVertex(0);
            polyline.Vertex(n).X = x + (n - 2) * 1.5;
            polyline.Vertex(n).Y = n == 2 ? y : y + 1.5;
        }
    }

    void Label(double cx, double cy) {
        TDxfCircle& circle = drawing_.Circles.Append();
        circle.CX = cx;
        circle.CY = cy;
        circle.Radius = Pick(1, 4) * 0.5;
        circle.Layer = drawing_.Properties.Add(Chance(50) ? "A" : "B");
        // Texts at the centre, on the circle, or on the lattice nearby (inside or not); some at
        // equal heights.
        for (int t = Pick(0, 3); t > 0; --t) {
            TDxfText& text = drawing_.Texts.Append();
            const int where = Pick(0, 2);
            text.X = where == 0 ? cx : where == 1 ? cx + circle.Radius : cx + Pick(-2, 2) * 0.5;
            text.Y = where == 1 ? cy : cy + Pick(-2, 2) * 0.5;
            text.Content = std::string(1, static_cast<char>('A' + Pick(0, 25)));
        }
    }

    // A leader from next to the circle to a tip on the lattice, along axis-parallel lines
    // mostly; the tip is an arrow, a V mark, or nothing; bars and V marks along the tip segment.
    void LeaderWithBars(double cx, double cy) {
        double x = cx + Pick(1, 3) * 0.5;
        double y = cy;
        double lastX = x, lastY = y;
        // In a regular drawing every leader is one upright line: many tips share a direction.
        for (int s = regular_ ? 1 : Pick(1, 3); s > 0; --s) {
            lastX = x;
            lastY = y;
            if (regular_) {
                y -= Pick(2, 8);
            } else if (Chance(70)) {
                (Chance(50) ? x : y) += Pick(-8, 8);
            } else {
                x = Coordinate();
                y = Coordinate();
            }
            if (Chance(50)) {
                Line(lastX, lastY, x, y);
            } else {
                Line(x, y, lastX, lastY);
            }
        }
        switch (regular_ ? Pick(0, 1) : Pick(0, 3)) {
        case 0:
            VMark(x, y);
            break;
        case 1:
            Line(x + 1, y + 1, x, y);
            Line(x, y, x - 1, y + 1);
            break;
        case 2: // three ends: no tip
            Line(x + 1, y + 1, x, y);
            Line(x, y, x - 1, y + 1);
            Line(x, y, x, y - 1);
            break;
        default:
            break;
        }
        // Bars through the tip and marks further along the tip segment's line.
        const double dx = x - lastX, dy = y - lastY;
        for (int m = Pick(0, 3); m >= 0; --m) {
            const double t = Pick(-6, 6) * 0.5;
            const double px = x + dx * t, py = y + dy * t;
            if (m > 0) {
                // On the line, or off it by half, by just under one or by exactly one unit.
                const double offsets[] = {0, 0, 0.5, -0.5, std::nextafter(1.0, 0.0), -1.0};
                const double off = offsets[Pick(0, 5)];
                VMark(px + (Chance(50) ? off : 0), py + (Chance(50) ? off : 0));
            }
            if (Chance(80)) {
                const double half = Pick(1, 6);
                if (Chance(50)) {
                    Line(px - half, py + Pick(-1, 1) * 0.5, px + half, py);
                } else {
                    Line(px, py - half, px + Pick(-1, 1) * 0.5, py + half);
                }
            }
        }
    }

    // A chain of lines joined end to end, without a tip, with a label beside some of them.
    void TiplessChain() {
        double x = Coordinate();
        double y = Coordinate();
        // At times from the end of a line drawn already, which makes a branch or a tip.
        if (drawing_.LineCount() > 0 && Chance(30)) {
            const TDxfLine& from = drawing_.Lines[Pick(0, drawing_.LineCount() - 1)];
            x = from.X2;
            y = from.Y2;
        }
        for (int k = Pick(2, 12); k > 0; --k) {
            const double nx = x + Pick(1, 3);
            const double ny = y + (k % 2 == 0 ? 1 : -1) * Pick(0, 2);
            Line(x, y, nx, ny);
            if (Chance(10)) {
                VMark(nx, ny); // a joint with three ends now, a tip once a line there is taken
            }
            if (Chance(30)) {
                Label((x + nx) * 0.5, (y + ny) * 0.5 - 0.5);
            }
            x = nx;
            y = ny;
        }
    }

    void Fill() {
        extent_ = Pick(0, 3) == 0 ? 8 : 30;
        regular_ = Chance(30);
        for (int i = Chance(30) ? Pick(20, 60) : Pick(5, 25); i > 0; --i) {
            switch (Pick(0, 9)) {
            case 0:
            case 2:
                TiplessChain();
                break;
            case 1: { // a circle without a leader of its own
                Label(Coordinate(), Coordinate());
                break;
            }
            default: {
                const double cx = Coordinate();
                const double cy = Coordinate();
                Label(cx, cy);
                LeaderWithBars(cx, cy);
                break;
            }
            }
        }
        for (int i = Pick(0, 40); i > 0; --i) {
            const double x1 = Coordinate(), y1 = Coordinate();
            switch (Pick(0, 5)) {
            case 0: // zero length
                Line(x1, y1, x1, y1);
                break;
            case 1: // axis-parallel
                Line(x1, y1, Chance(50) ? x1 : Coordinate(), Chance(50) ? y1 : Coordinate());
                break;
            default:
                Line(x1, y1, Coordinate(), Coordinate());
                break;
            }
        }
        if (Chance(30)) { // long lines
            for (int i = Pick(1, 4); i > 0; --i) {
                const double y = Coordinate();
                Line(-1e6, y, 1e6, y + Pick(0, 1) * 0.5);
            }
        }
        if (Chance(30)) { // a far stray line, at times beyond where the nearest search starts
            const double far = Chance(50) ? 1e7 : 3e11;
            Line(far, far, far + Pick(0, 5), far);
        }
        // Duplicates of some lines, anywhere in the table.
        for (int i = Pick(0, 6); i > 0 && drawing_.LineCount() > 0; --i) {
            const TDxfLine copy = drawing_.Lines[Pick(0, drawing_.LineCount() - 1)];
            drawing_.Lines.Append(copy);
        }
        // Shuffled a little, so that bars do not always come after their leaders.
        for (int i = Pick(0, 10); i > 0 && drawing_.LineCount() > 1; --i) {
            std::swap(drawing_.Lines[Pick(0, drawing_.LineCount() - 1)],
                      drawing_.Lines[Pick(0, drawing_.LineCount() - 1)]);
        }
    }

private:
    std::mt19937 rng_;
    TDrawing& drawing_;
    int extent_ = 30; // lattice half-units across
    bool regular_ = false;
};

} // namespace

void MakeTieDrawing(std::uint32_t seed, TDrawing& drawing) {
    TRandomDrawing(seed, drawing).Fill();
}

std::string CompareIndexedWithPlain(const TDrawing& drawing, std::int32_t& bars) {
    TDrawing indexed = drawing;
    TDrawing plain = drawing;
    TTally indexedTally, plainTally;
    TBarTracer(indexed, indexedTally).TraceAllLabels(TTraceSearch::Indexed);
    TBarTracer(plain, plainTally).TraceAllLabels(TTraceSearch::PlainScan);
    bars = plainTally.Count();
    if (indexedTally.Count() != plainTally.Count()) {
        return "indexed " + std::to_string(indexedTally.Count()) + " records, plain " +
               std::to_string(plainTally.Count());
    }
    for (std::int32_t i = 0; i < plainTally.Count(); ++i) {
        const TTallyRecord& a = indexedTally[i];
        const TTallyRecord& b = plainTally[i];
        if (a.Label.view() != b.Label.view() || a.X1 != b.X1 || a.Y1 != b.Y1 || a.X2 != b.X2 ||
            a.Y2 != b.Y2 || a.Length != b.Length) {
            return "record " + std::to_string(i) + " differs";
        }
    }
    for (std::int32_t i = 0; i < plain.LineCount(); ++i) {
        if (indexed.Lines[i].TraceState != plain.Lines[i].TraceState) {
            return "trace state of line " + std::to_string(i) + " differs";
        }
    }
    for (std::int32_t i = 0; i < plain.PolylineCount(); ++i) {
        if (indexed.Polylines[i].Flags != plain.Polylines[i].Flags) {
            return "flags of polyline " + std::to_string(i) + " differ";
        }
    }
    for (std::int32_t i = 0; i < plain.CircleCount(); ++i) {
        if (indexed.Circles[i].CX != plain.Circles[i].CX ||
            indexed.Circles[i].CY != plain.Circles[i].CY) {
            return "circle " + std::to_string(i) + " differs";
        }
    }
    return {};
}

} // namespace kolvo::bench
