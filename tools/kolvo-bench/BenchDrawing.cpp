#include "BenchDrawing.h"

#include <algorithm>
#include <vector>

#include "RebarMarks.h"

namespace kolvo::bench {

namespace {

constexpr int CellsPerRow = 100;
constexpr double CellSize = 2000.0;
constexpr int BarsPerCell = 4;

// Every cell shifts its bars by 2 units per column and its leader by 3 per row, so that no two
// cells share a bar's line or a leader's line: the tracer looks along whole infinite lines.
// Bars lie 250 apart, further than any shift, and 100 rows fit before a leader line repeats.
struct TCell {
    double X0, Y0;   // lower-left corner
    double BarShift; // added to the bars' y
    double LeaderX;  // x of the tip segment
};

TCell Cell(int i) {
    const int col = i % CellsPerRow;
    const int row = i / CellsPerRow;
    const double x0 = col * CellSize;
    return TCell{x0, row * CellSize, 2.0 * col, x0 + 1050.0 + 3.0 * (row % 100)};
}

double BarY(const TCell& c, int j) {
    return c.Y0 + 200.0 + 250.0 * j + c.BarShift;
}

} // namespace

const char* LayoutName(TBenchLayout layout) {
    switch (layout) {
    case TBenchLayout::Plain:
        return "plain";
    case TBenchLayout::FarStray:
        return "one far stray line";
    case TBenchLayout::OthersFirst:
        return "other lines before the bars";
    case TBenchLayout::LongLines:
        return "very long lines";
    case TBenchLayout::TiplessLeads:
        return "tip-less network";
    }
    return "?";
}

TBenchDrawing MakeBenchDrawing(std::int32_t labels, std::int32_t otherLines, TBenchLayout layout) {
    TBenchDrawing bench;
    bench.Labels = labels;
    bench.OtherLines = otherLines;
    dxfgen::DxfDocument& doc = bench.Drawing;
    doc.AddLayer("鉄筋", 2);
    doc.AddLayer("引出線", 3);
    doc.AddLayer("符号", 7);
    doc.AddLayer("躯体", 8);
    doc.AddTextStyle("漢字", 0.0, "msgothic.ttc");
    const dxfgen::Pen bar{"鉄筋", 256, ""};
    const dxfgen::Pen leader{"引出線", 256, ""};
    const dxfgen::Pen mark{"符号", 256, ""};
    const dxfgen::Pen body{"躯体", 256, ""};
    const char* const names[] = {"D10", "D13", "D16", "D19", "D22", "D25"};

    // The chain of the tip-less layout stands in for most of the other lines, so that both
    // layouts hold as many lines.
    const int rows = (labels + CellsPerRow - 1) / CellsPerRow;
    const int chainLines = layout == TBenchLayout::TiplessLeads ? 10 * labels : 0;
    if (chainLines > 0) {
        otherLines = std::max(0, otherLines - chainLines);
    }
    // Outlines and hatching in the upper part of each cell, clear of bars, leaders and labels.
    // Long ones reach 50 cells either way; their ends and middles stay where the short ones
    // have them, seen cell by cell.
    const double reach = layout == TBenchLayout::LongLines ? 50 * CellSize : 0.0;
    auto otherLinesOut = [&] {
        for (int n = 0; n < otherLines; ++n) {
            const TCell c = Cell(labels > 0 ? n % labels : 0);
            const int k = (n / (labels > 0 ? labels : 1)) % 50;
            if (k % 2 == 0) {
                const double y = c.Y0 + 1600.0 + 7.0 * k;
                doc.Line(body, {c.X0 + 1500.0 - reach, y}, {c.X0 + 1900.0 + reach, y});
            } else {
                const double x = c.X0 + 100.0 + 6.0 * k;
                doc.Line(body, {x, c.Y0 + 1000.0 - reach}, {x, c.Y0 + 1900.0 + reach});
            }
        }
    };
    if (layout == TBenchLayout::OthersFirst) {
        otherLinesOut();
    }
    for (int i = 0; i < labels; ++i) {
        const TCell c = Cell(i);
        const double end = c.X0 + 1900.0 - 10.0 * (i % 7);
        for (int j = 0; j < BarsPerCell; ++j) {
            doc.Line(bar, {c.X0 + 100.0, BarY(c, j)}, {end, BarY(c, j)});
        }
    }
    for (int i = 0; i < labels; ++i) {
        const TCell c = Cell(i);
        const dxfgen::Point centre{c.LeaderX - 50.0, c.Y0 + 1450.0};
        doc.Circle(mark, centre, 100.0);
        doc.MText(mark, centre, 60.0, names[i % 6], "漢字");
        const dxfgen::Point joint{c.LeaderX, c.Y0 + 1300.0};
        const dxfgen::Point tip{c.LeaderX, BarY(c, 0)};
        dxfgen::Leader(doc, leader, {{centre.X, centre.Y - 100.0}, joint, tip});
        for (int j = 1; j < BarsPerCell; ++j) {
            dxfgen::VMark(doc, leader, {c.LeaderX, BarY(c, j)}, {c.LeaderX + 100.0, BarY(c, j)},
                          30.0);
        }
        if (i % 2 == 0) {
            dxfgen::ArrowTip(doc, leader, tip, joint, 60.0);
        } else {
            dxfgen::VMark(doc, leader, tip, joint, 30.0, true);
        }
    }
    if (layout != TBenchLayout::OthersFirst) {
        otherLinesOut();
    }
    if (layout == TBenchLayout::FarStray) {
        doc.Line(body, {1e9, 1e9}, {1e9 + 500.0, 1e9});
    }
    // A zigzag chain above the plan: every joint joins exactly two lines and neither end of the
    // chain meets anything, so a walk into it runs its whole length and finds no tip. Every
    // fiftieth line gets a label circle just below its middle, so that line is the label's nearest.
    const double chainY = rows * CellSize + 500.0;
    for (int k = 0; k < chainLines; ++k) {
        const dxfgen::Point from{20.0 * k, chainY + (k % 2) * 10.0};
        const dxfgen::Point to{20.0 * (k + 1), chainY + ((k + 1) % 2) * 10.0};
        doc.Line(body, from, to);
        if (k % 50 == 25) {
            const dxfgen::Point centre{(from.X + to.X) * 0.5, chainY - 3.0};
            doc.Circle(mark, centre, 2.0);
            doc.Text(mark, centre, 1.0, "D13");
        }
    }
    bench.ExpectedBars = labels * BarsPerCell;
    return bench;
}

} // namespace kolvo::bench
