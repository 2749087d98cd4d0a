// Prints how long tracing takes on a large generated drawing: by default 2,000 labels among
// 100,000 other lines, once with the search index and once with the plain scans.
//
//   tally_trace_bench [labels] [other-lines] [indexed|plain]
//
// Every label has a two-segment leader ending in a V mark, a bar through its tip and a second
// bar at a mark point. The other lines stand before the bars in table order and pass near no
// tip, so every bar search runs through all of them.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BarTrace.h"
#include "DrawingBuilder.h"
#include "Tally.h"

using namespace kolvo;
using namespace kolvo::testing;

namespace {

// The drawing, tally and tracer these tests fill and look at.
testing::TTraceBed& bed = testing::Bed();

void BuildDrawing(int labels, int otherLines) {
    ClearDrawing();
    const int columns = 50;
    // Labels sit on a 1000-unit grid; the other lines run along x and y values that end in 500
    // or 250, at least 200 units from every tip and mark point.
    for (int i = 0; i < otherLines; ++i) {
        const double along = (i % 997) * 40.0;
        const double across = (i / 2 % 500) * 1000.0 + (i % 4 < 2 ? 500 : 250);
        if (i % 2 == 0) {
            AddLine(bed.Drawing, along, across, along + 30, across, "OTHER");
        } else {
            AddLine(bed.Drawing, across, along, across, along + 30, "OTHER");
        }
    }
    for (int i = 0; i < labels; ++i) {
        const double x = (i % columns) * 1000.0;
        const double y = (i / columns) * 1000.0;
        AddCircle(bed.Drawing, x, y, 5);
        std::string label = "D";
        label += std::to_string(10 + i % 7 * 3);
        AddText(bed.Drawing, x - 2, y - 1, label);
        AddLine(bed.Drawing, x + 5, y, x + 60, y + 60, "LEADER");
        AddLine(bed.Drawing, x + 60, y + 60, x + 160, y + 60, "LEADER");
        AddVMark(bed.Drawing, x + 160, y + 60);
        AddLine(bed.Drawing, x + 160, y - 100, x + 160, y + 180 + i % 5, "BAR");
        AddVMark(bed.Drawing, x + 400, y + 60);
        AddLine(bed.Drawing, x + 400, y - 50, x + 400, y + 150 + i % 3, "BAR");
    }
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

} // namespace

int main(int argc, char** argv) {
    const int labels = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int otherLines = argc > 2 ? std::atoi(argv[2]) : 100000;
    const std::string only = argc > 3 ? argv[3] : "";
    for (const TTraceSearch search : {TTraceSearch::Indexed, TTraceSearch::PlainScan}) {
        if ((only == "indexed" && search != TTraceSearch::Indexed) ||
            (only == "plain" && search != TTraceSearch::PlainScan)) {
            continue;
        }
        BuildDrawing(labels, otherLines);
        const auto start = std::chrono::steady_clock::now();
        bed.Tracer.TraceAllLabels(search);
        const auto traced = std::chrono::steady_clock::now();
        SortTally(bed.Tally);
        const auto sorted = std::chrono::steady_clock::now();
        std::printf("%-10s labels %d, lines %d: trace %.3f s, sort %.3f s, %d bars\n",
                    search == TTraceSearch::Indexed ? "indexed" : "plain scan", labels,
                    bed.Drawing.LineCount(), Seconds(traced - start), Seconds(sorted - traced),
                    bed.Tally.Count());
    }
    return 0;
}
