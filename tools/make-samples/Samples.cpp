// Coordinates are millimetres at full size. Every drawing is laid out so that its reports can
// be worked out by hand: the comments name the line that each tip and each V mark picks out,
// and samples/*.expected.* hold the reports reasoned from them.
#include "Samples.h"

#include <cmath>

#include "RebarMarks.h"

namespace kolvo::samples {

namespace {

using dxfgen::DxfDocument;
using dxfgen::Pen;
using dxfgen::Point;

constexpr double LabelRadius = 250.0;
constexpr double LabelTextHeight = 100.0;
constexpr double ArrowLength = 100.0;
constexpr double VArm = 60.0;

void StandardTables(DxfDocument& doc) {
    doc.AddLineType("CENTER", "Center ____ _ ____ _ ____", {31.75, -6.35, 6.35, -6.35});
    doc.AddLineType("HIDDEN", "Hidden __ __ __ __", {6.35, -3.175});
    doc.AddLayer("通り芯", 1, "CENTER");
    doc.AddLayer("躯体", 8);
    doc.AddLayer("鉄筋", 2);
    doc.AddLayer("引出線", 3);
    doc.AddLayer("符号", 7);
    doc.AddLayer("文字", 7);
    doc.AddTextStyle("漢字", 0.0, "msgothic.ttc");
}

// A text centred in its circle as the host writes it: the alignment point is the centre, the
// first alignment point the left end of the baseline.
void CentredText(DxfDocument& doc, const Pen& pen, Point centre, double height,
                 std::string_view text) {
    const double halfWidth = 0.35 * height * static_cast<double>(text.size());
    doc.Text(pen, Point{centre.X - halfWidth, centre.Y - height / 2}, height, text, "漢字",
             dxfgen::TextJustify{1, 2}, centre);
}

// The grid bubble block: its circle and text must never be taken for a bar label.
void GridBubbleBlock(DxfDocument& doc, std::string_view name) {
    const Pen pen{"通り芯", 256, ""};
    doc.BeginBlock(name, Point{0, 0});
    doc.Circle(pen, Point{0, 0}, 200);
    doc.Text(pen, Point{-40, -50}, 100, "X", "漢字");
    doc.Line(pen, Point{0, -200}, Point{0, -400});
    doc.EndBlock();
}

// Beam G1, side view: main bars, cut-off bars and stirrups.
DxfDocument BeamG1() {
    DxfDocument doc;
    StandardTables(doc);
    doc.AddLayer("寸法", 4);
    GridBubbleBlock(doc, "通り芯符号");

    const Pen grid{"通り芯", 256, ""};
    const Pen body{"躯体", 256, ""};
    const Pen bar{"鉄筋", 256, ""};
    const Pen stirrup{"鉄筋", 3, ""};
    const Pen leader{"引出線", 256, ""};
    const Pen mark{"符号", 256, ""};
    const Pen note{"文字", 256, ""};
    const Pen dim{"寸法", 256, ""};

    doc.Line(grid, {0, -600}, {0, 1400});       // line 0
    doc.Line(grid, {6000, -600}, {6000, 1400}); // line 1
    doc.Line(body, {0, 0}, {6000, 0});          // line 2
    doc.Line(body, {0, 700}, {6000, 700});      // line 3
    doc.Line(bar, {-400, 640}, {6400, 640});    // line 4: top bars
    doc.Line(bar, {-400, 60}, {6400, 60});      // line 5: bottom bars
    doc.Line(bar, {-400, 580}, {1800, 580});    // line 6: second-layer top bars, left
    doc.Line(bar, {4200, 120}, {6400, 120});    // line 7: second-layer bottom bars, right
    for (int k = 1; k <= 29; ++k) {             // lines 8-36: stirrups at x = 200 k
        doc.Line(stirrup, {200.0 * k, 30}, {200.0 * k, 670});
    }
    doc.Line(dim, {0, -900}, {6000, -900});
    doc.Line(dim, {-50, -950}, {50, -850});
    doc.Line(dim, {5950, -950}, {6050, -850});
    doc.Text(dim, {2850, -870}, 100, "6000", "漢字");
    doc.Insert(grid, "通り芯符号", {0, 1600});
    doc.Insert(grid, "通り芯符号", {6000, 1600});

    // Top bars: arrow on line 4.
    doc.Circle(mark, {1100, 1100}, LabelRadius);
    CentredText(doc, mark, {1100, 1100}, LabelTextHeight, "4-D25");
    dxfgen::Leader(doc, leader, {{1100, 850}, {1100, 640}});
    dxfgen::ArrowTip(doc, leader, {1100, 640}, {1100, 850}, ArrowLength);

    // Bottom bars: arrow on line 5.
    doc.Circle(mark, {1100, -500}, LabelRadius);
    CentredText(doc, mark, {1100, -500}, LabelTextHeight, "4-D25");
    dxfgen::Leader(doc, leader, {{1100, -250}, {1100, 60}});
    dxfgen::ArrowTip(doc, leader, {1100, 60}, {1100, -250}, ArrowLength);

    // Left cut-off bars: a two-segment leader, arrow on line 6.
    doc.Circle(mark, {2000, 1100}, LabelRadius);
    CentredText(doc, mark, {2000, 1100}, LabelTextHeight, "2-D25");
    dxfgen::Leader(doc, leader, {{1750, 1100}, {1600, 1100}, {1500, 580}});
    dxfgen::ArrowTip(doc, leader, {1500, 580}, {1600, 1100}, ArrowLength);

    // Stirrups: V mark tip on the stirrup at 3400, V marks on those at 3000 and 3200.
    doc.Circle(mark, {2900, 1100}, LabelRadius);
    CentredText(doc, mark, {2900, 1100}, LabelTextHeight, "D10");
    dxfgen::Leader(doc, leader, {{2900, 850}, {2900, 350}, {3400, 350}});
    dxfgen::VMark(doc, leader, {3000, 350}, {3000, 450}, VArm);
    dxfgen::VMark(doc, leader, {3200, 350}, {3200, 450}, VArm);
    dxfgen::VMark(doc, leader, {3400, 350}, {2900, 350}, VArm);

    // Right cut-off bars: V mark tip (POLYLINE) on line 7.
    doc.Circle(mark, {4700, -500}, LabelRadius);
    CentredText(doc, mark, {4700, -500}, LabelTextHeight, "2-D25");
    dxfgen::Leader(doc, leader, {{4700, -250}, {4700, 120}});
    dxfgen::VMark(doc, leader, {4700, 120}, {4700, -250}, VArm, true);

    // Stirrups again: MTEXT label, arrow on the stirrup at 5000, V marks at 5400 and 5200.
    doc.Circle(mark, {5500, 1100}, LabelRadius);
    doc.MText(mark, {5500, 1100}, LabelTextHeight, "\\C3;D10", "漢字");
    dxfgen::Leader(doc, leader, {{5500, 850}, {5500, 300}, {5000, 300}});
    dxfgen::VMark(doc, leader, {5400, 300}, {5400, 400}, VArm, true);
    dxfgen::VMark(doc, leader, {5200, 300}, {5200, 400}, VArm, true);
    dxfgen::ArrowTip(doc, leader, {5000, 300}, {5500, 300}, ArrowLength);

    doc.Text(note, {0, -1300}, 200, "G1 配筋詳細図  S=1/50", "漢字");
    return doc;
}

// Slab S1, plan: bars both ways, corner bars, labels of every kind.
DxfDocument SlabS1() {
    DxfDocument doc;
    StandardTables(doc);
    doc.AddLayer("スラブ筋", 2);
    doc.AddLayer("補強筋", 6);
    doc.AddLayer("設備", 5);
    GridBubbleBlock(doc, "通り芯符号");

    const Pen grid{"通り芯", 256, ""};
    const Pen xBar{"スラブ筋", 256, ""};
    const Pen yBar{"スラブ筋", 5, ""};
    const Pen cornerBar{"補強筋", 256, ""};
    const Pen leader{"引出線", 256, ""};
    const Pen mark{"符号", 256, ""};
    const Pen note{"文字", 256, ""};
    const Pen services{"設備", 256, ""};

    doc.Line(grid, {0, -600}, {0, 4600});       // line 0
    doc.Line(grid, {6000, -600}, {6000, 4600}); // line 1
    doc.Line(grid, {-600, 0}, {6600, 0});       // line 2
    doc.Line(grid, {-600, 4000}, {6600, 4000}); // line 3
    for (int k = 1; k <= 7; ++k) {              // lines 4-10: x-direction bars at y = 500 k
        doc.Line(xBar, {-300, 500.0 * k}, {6300, 500.0 * k});
    }
    for (int k = 1; k <= 11; ++k) { // lines 11-21: y-direction bars at x = 500 k
        doc.Line(yBar, {500.0 * k, -300}, {500.0 * k, 4300});
    }
    doc.Line(cornerBar, {200, 900}, {900, 200});   // line 22: x + y = 1100
    doc.Line(cornerBar, {300, 1100}, {1100, 300}); // line 23: x + y = 1400
    // A sleeve: a circle without text is no label, lines through it or not.
    doc.Circle(services, {4750, 1250}, 100);
    doc.Line(services, {4650, 1250}, {4850, 1250});
    doc.Insert(grid, "通り芯符号", {0, 4800});

    // y-direction bars: V mark tip (POLYLINE) on x = 2500, V marks on x = 1500 and 2000.
    doc.Circle(mark, {1250, -700}, LabelRadius);
    CentredText(doc, mark, {1250, -700}, LabelTextHeight, "D10");
    dxfgen::Leader(doc, leader, {{1250, -450}, {1250, 750}, {2500, 750}});
    dxfgen::VMark(doc, leader, {1500, 750}, {1500, 850}, VArm);
    dxfgen::VMark(doc, leader, {2000, 750}, {2000, 850}, VArm);
    dxfgen::VMark(doc, leader, {2500, 750}, {1250, 750}, VArm, true);

    // A divided circle: "D13" above, "@200" below. The divider is the line nearest the
    // centre; one leader leaves from each of its ends.
    doc.Circle(mark, {3000, 4700}, LabelRadius);
    doc.Line(mark, {2750, 4700}, {3250, 4700});
    doc.Text(mark, {2895, 4750}, LabelTextHeight, "D13", "漢字");
    doc.Text(mark, {2860, 4600}, LabelTextHeight, "@200", "漢字");
    dxfgen::Leader(doc, leader, {{2750, 4700}, {2250, 3500}});
    dxfgen::ArrowTip(doc, leader, {2250, 3500}, {2750, 4700}, ArrowLength);
    dxfgen::Leader(doc, leader, {{3250, 4700}, {3750, 3000}});
    dxfgen::VMark(doc, leader, {3750, 3000}, {3250, 4700}, VArm, true);

    // y-direction bars from below: arrow on x = 2500 (already labelled above), V mark on 3000.
    doc.Circle(mark, {3250, -700}, LabelRadius);
    doc.MText(mark, {3250, -700}, LabelTextHeight, "\\LD10\\l", "漢字");
    dxfgen::Leader(doc, leader, {{3250, -450}, {3250, 250}, {2500, 250}});
    dxfgen::VMark(doc, leader, {3000, 250}, {3000, 350}, VArm);
    dxfgen::ArrowTip(doc, leader, {2500, 250}, {3250, 250}, ArrowLength);

    // x-direction bars: arrow on y = 2500, V marks (POLYLINE) on y = 3500 and 3000.
    doc.Circle(mark, {6800, 3800}, LabelRadius);
    doc.MText(mark, {6800, 3800}, LabelTextHeight, "\\C1;D13", "漢字");
    dxfgen::Leader(doc, leader, {{6550, 3800}, {4250, 3800}, {4250, 2500}});
    dxfgen::VMark(doc, leader, {4250, 3500}, {4350, 3500}, VArm, true);
    dxfgen::VMark(doc, leader, {4250, 3000}, {4350, 3000}, VArm, true);
    dxfgen::ArrowTip(doc, leader, {4250, 2500}, {4250, 3800}, ArrowLength);

    // Corner bars, round-bar label written with the phi escape: arrow on x + y = 1400,
    // V mark on x + y = 1100. The red circle sorts after the circles coloured by layer.
    doc.Circle(Pen{"符号", 2, ""}, {-700, 300}, LabelRadius);
    doc.MText(mark, {-700, 300}, LabelTextHeight, "\\U+03C613", "漢字");
    dxfgen::Leader(doc, leader, {{-450, 300}, {300, 300}, {700, 700}});
    dxfgen::VMark(doc, leader, {550, 550}, {450, 650}, VArm);
    dxfgen::ArrowTip(doc, leader, {700, 700}, {300, 300}, ArrowLength);

    doc.MText(note, {7200, 2500}, 120,
              "特記事項\\P1. 鉄筋の継手及び定着の長さは、特記なき限り標準図による。\\P"
              "2. 開口部及び隅角部の補強は、補強筋の表による。\\P"
              "3. かぶり厚さはスラブ上端30、下端30とする。\\P"
              "4. 設備スリーブの位置は、設備図と照合の上、施工前に監理者の承認を受けること。\\P"
              "5. 図中の寸法の単位はミリメートルとする。",
              "漢字", 1);
    doc.Text(note, {0, -1300}, 200, "S1 スラブ配筋図  S=1/50", "漢字");
    return doc;
}

// Footing F1, section: what a draughtsman meets at the edge of the conventions.
DxfDocument FootingF1() {
    DxfDocument doc;
    StandardTables(doc);
    doc.BeginBlock("基礎符号", Point{0, 0});
    const Pen blockPen{"符号", 256, ""};
    doc.Circle(blockPen, Point{0, 0}, 300);
    doc.Text(blockPen, Point{-80, -50}, 100, "F1", "漢字");
    doc.Line(blockPen, Point{-300, 0}, Point{300, 0});
    doc.EndBlock();

    const Pen grid{"通り芯", 256, ""};
    const Pen body{"躯体", 256, ""};
    const Pen bar{"鉄筋", 256, ""};
    const Pen redBar{"鉄筋", 1, ""};
    const Pen hiddenBar{"鉄筋", 256, "HIDDEN"};
    const Pen leader{"引出線", 256, ""};
    const Pen mark{"符号", 256, ""};
    const Pen note{"文字", 256, ""};
    constexpr double R = 200.0;
    constexpr double H = 80.0;

    doc.Line(body, {-1000, 0}, {1000, 0});        // line 0
    doc.Line(body, {1000, 0}, {1000, 800});       // line 1
    doc.Line(body, {1000, 800}, {300, 800});      // line 2
    doc.Line(body, {300, 800}, {300, 1800});      // line 3
    doc.Line(body, {-300, 1800}, {-300, 800});    // line 4
    doc.Line(body, {-300, 800}, {-1000, 800});    // line 5
    doc.Line(body, {-1000, 800}, {-1000, 0});     // line 6
    doc.Line(redBar, {-930, 70}, {930, 70});      // line 7: bottom mat
    doc.Line(bar, {-930.5, 730}, {929.5, 730});   // line 8: top mat, ends on halves
    doc.Line(bar, {-230, 120}, {-230, 1800});     // line 9: column bar, left
    doc.Line(bar, {230, 120}, {230, 1800});       // line 10: column bar, right
    doc.Line(bar, {-0.4, 120}, {-0.4, 1800});     // line 11: column bar, drawn 0.4 off the grid
    doc.Line(hiddenBar, {-960, 400}, {-40, 400}); // line 12: side bar, left
    doc.Line(hiddenBar, {40, 400}, {960, 400});   // line 13: side bar, right, in line with 12
    doc.Line(bar, {-260, 1000}, {260, 1000});     // line 14: hoop
    doc.Line(bar, {-260, 1200}, {260, 1200});     // line 15: hoop
    doc.Line(bar, {-650, 500}, {-350.1, 500});    // line 16: 299.9 long
    doc.Line(bar, {350, 560}, {650.1, 560});      // line 17: 300.1 long
    doc.Circle(body, {0, 1600}, 50);              // an anchor hole, no label
    doc.Insert(mark, "基礎符号", {-1500, -700});

    // Text exactly on the circle belongs to it. Arrow on line 16.
    doc.Circle(mark, {-1500, 1100}, R);
    doc.Text(mark, {-1620, 940}, H, "D13", "漢字");
    dxfgen::Leader(doc, leader, {{-1500, 900}, {-500, 500}});
    dxfgen::ArrowTip(doc, leader, {-500, 500}, {-1500, 900}, ArrowLength);

    // "2-" typed later at the height of "D22": the later text comes first. Arrow on line 9,
    // V marks beyond the tip on lines 11 and 10.
    doc.Circle(mark, {-700, 1400}, R);
    doc.Text(mark, {-680, 1360}, H, "D22", "漢字");
    doc.Text(mark, {-760, 1360}, H, "2-", "漢字");
    dxfgen::Leader(doc, leader, {{-500, 1400}, {-230, 1400}});
    dxfgen::ArrowTip(doc, leader, {-230, 1400}, {-500, 1400}, ArrowLength);
    dxfgen::VMark(doc, leader, {0, 1400}, {0, 1480}, VArm);
    dxfgen::VMark(doc, leader, {230, 1400}, {230, 1480}, VArm);

    // Hoops: arrow on line 14, V mark (POLYLINE) on line 15 between the leader's ends.
    doc.Circle(mark, {-700, 2000}, R);
    doc.MText(mark, {-700, 2000}, H, "\\LD10\\l", "漢字");
    dxfgen::Leader(doc, leader, {{-500, 2000}, {-100, 1000}});
    dxfgen::VMark(doc, leader, {-180, 1200}, {-80, 1200}, VArm, true);
    dxfgen::ArrowTip(doc, leader, {-100, 1000}, {-500, 2000}, ArrowLength);

    // Mats: arrow on line 8, V mark beyond the tip on line 7. "\P" joins the two rows.
    doc.Circle(mark, {700, 1350}, R);
    doc.MText(mark, {700, 1350}, H, "D16\\P@200", "漢字");
    dxfgen::Leader(doc, leader, {{700, 1150}, {700, 730}});
    dxfgen::ArrowTip(doc, leader, {700, 730}, {700, 1150}, ArrowLength);
    dxfgen::VMark(doc, leader, {700, 70}, {800, 70}, VArm);

    // The arrow sits on the end of line 17: three stroke ends, no tip, no bar.
    doc.Circle(mark, {800, 1900}, R);
    CentredText(doc, mark, {800, 1900}, H, "D10");
    dxfgen::Leader(doc, leader, {{600, 1900}, {350, 560}});
    dxfgen::ArrowTip(doc, leader, {350, 560}, {600, 1900}, ArrowLength);

    // Arrow on line 17.
    doc.Circle(mark, {1500, 1300}, R);
    CentredText(doc, mark, {1500, 1300}, H, "D13");
    dxfgen::Leader(doc, leader, {{1500, 1100}, {500, 560}});
    dxfgen::ArrowTip(doc, leader, {500, 560}, {1500, 1100}, ArrowLength);

    // A long label in a larger cyan circle. The arrow sits on line 13, but line 12 lies on
    // the same infinite line and comes first: line 12 is the bar found.
    doc.Circle(Pen{"符号", 4, ""}, {1500, -500}, 400);
    doc.Text(mark, {1200, -540}, H, "はかま筋D13", "漢字");
    dxfgen::Leader(doc, leader, {{1500, -100}, {800, 400}});
    dxfgen::ArrowTip(doc, leader, {800, 400}, {1500, -100}, ArrowLength);

    doc.Line(grid, {0, -400}, {0, 2200});
    doc.Text(note, {-1000, -1300}, 150, "F1 基礎配筋詳細図  S=1/30", "漢字");
    return doc;
}

} // namespace

std::vector<SampleDrawing> SampleDrawings() {
    std::vector<SampleDrawing> all;
    all.push_back({"beam-g1", BeamG1()});
    all.push_back({"slab-s1", SlabS1()});
    all.push_back({"footing-f1", FootingF1()});
    return all;
}

} // namespace kolvo::samples
