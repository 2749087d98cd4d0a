#include "TestDrawings.h"

#include "DxfDocument.h"

namespace kolvo::testing {

namespace {

using dxfgen::DxfDocument;
using dxfgen::Pen;

const Pen Plain{"0", 256, ""};
const Pen Bars{"BAR", 256, ""};

DxfDocument Document() {
    DxfDocument doc;
    doc.AddLayer("BAR", 1);
    return doc;
}

// A label circle of radius 10 at (x, 0) with `label`, and a leader straight down to its tip at
// (x, tipY) with the two strokes of its arrow.
void Label(DxfDocument& doc, double x, const std::string& label, double tipY = -100) {
    doc.Circle(Plain, {x, 0}, 10);
    doc.Text(Plain, {x - 6, -2}, 4, label);
    doc.Line(Plain, {x, -10}, {x, tipY});
    doc.Line(Plain, {x, tipY}, {x - 3, tipY + 5});
    doc.Line(Plain, {x, tipY}, {x + 3, tipY + 5});
}

} // namespace

void WriteCountedDrawing(const std::string& path) {
    DxfDocument doc = Document();
    doc.Line(Bars, {-100, -100}, {100, -100});
    Label(doc, 0, "D13");
    doc.WriteFile(path);
}

void WriteDrawingThatNeedsALook(const std::string& path) {
    DxfDocument doc = Document();
    doc.BeginBlock("grid", {0, 0});
    doc.Circle(Plain, {0, 0}, 20);
    doc.EndBlock();
    doc.Insert(Plain, "grid", {0, 500});
    // One bar for two labels at x 300 and 600, drawn before their arrows.
    doc.Line(Bars, {200, -100}, {700, -100});
    Label(doc, 300, "D16");
    Label(doc, 600, "D16");
    // The arrow before its bar: a stroke is taken for the bar.
    Label(doc, 0, "D13", -200);
    doc.Line(Bars, {-100, -200}, {100, -200});
    // A tip made by a V mark, which no line crosses: no bar there.
    doc.Circle(Plain, {1000, 0}, 10);
    doc.Text(Plain, {994, -2}, 4, "D19");
    doc.Line(Plain, {1000, -10}, {1000, -300});
    doc.LwPolyline(Plain, {{996, -294}, {1000, -300}, {1004, -294}});
    // A grid bubble drawn as a circle with text, its line not reaching anything.
    doc.Circle(Plain, {1400, 0}, 10);
    doc.Text(Plain, {1394, -2}, 4, "X2");
    doc.Line(Plain, {1400, -10}, {1400, -60});
    doc.WriteFile(path);
}

} // namespace kolvo::testing
