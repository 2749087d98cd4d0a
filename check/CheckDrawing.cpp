#include "CheckOutputs.h"
#include "DxfDocument.h"

namespace kolvo {

namespace {

constexpr int Red = 1;
constexpr int Green = 3;
constexpr int Cyan = 4;

dxfgen::Pen OnLayer(const char* layer, int color) {
    return dxfgen::Pen{layer, color, ""};
}

} // namespace

std::string CheckDrawingText(const TAnalysis& analysis) {
    const TTraceRecord& record = analysis.Trace;
    const TDrawing& drawing = analysis.Drawing;
    dxfgen::DxfDocument doc;
    for (const char* layer :
         {"KOLVO_BAR", "KOLVO_DOUBLE", "KOLVO_LEADER", "KOLVO_POINT", "KOLVO_MISSING"}) {
        doc.AddLayer(layer, 7);
    }
    for (const std::int32_t index : WalkedLines(record)) {
        const TDxfLine& line = drawing.Lines[index];
        doc.Line(OnLayer("KOLVO_LEADER", Cyan), {line.X1, line.Y1}, {line.X2, line.Y2});
    }
    for (const TCheckedBar& bar : CheckedBars(record)) {
        const TDxfLine& line = drawing.Lines[bar.Line];
        const dxfgen::Pen pen =
            bar.Times > 1 ? OnLayer("KOLVO_DOUBLE", Red) : OnLayer("KOLVO_BAR", Green);
        doc.Line(pen, {line.X1, line.Y1}, {line.X2, line.Y2});
        // Text as high as half the label circle is wide, centred on the bar's middle.
        const dxfgen::Point middle{(line.X1 + line.X2) / 2, (line.Y1 + line.Y2) / 2};
        doc.Text(pen, middle, bar.Label->Radius * 0.6, CheckedBarText(bar, drawing), "Standard",
                 dxfgen::TextJustify{1, 1}, middle);
    }
    for (const TLabelTrace& label : record.Labels()) {
        for (const TProbe& probe : label.ProbedPoints) {
            doc.Circle(OnLayer("KOLVO_POINT", probe.Bar >= 0 ? Green : Red), {probe.X, probe.Y},
                       1.0);
        }
        const TLabelOutcome outcome = label.Outcome();
        if (outcome != TLabelOutcome::Ok) {
            const dxfgen::Pen pen = OnLayer("KOLVO_MISSING", Red);
            doc.Circle(pen, {label.CX, label.CY}, 1.5 * label.Radius);
            const dxfgen::Point at{label.CX + 1.7 * label.Radius, label.CY};
            doc.Text(pen, at, label.Radius * 0.6, OutcomeRemark(outcome), "Standard",
                     dxfgen::TextJustify{0, 2}, at);
        }
    }
    return doc.Finish();
}

} // namespace kolvo
