#include <algorithm>

#include "CheckOutputs.h"
#include "SvgParts.h"

namespace kolvo {

std::string CheckPictureText(const TAnalysis& analysis) {
    const TTraceRecord& record = analysis.Trace;
    const TDrawing& drawing = analysis.Drawing;
    const TBounds b = DrawingBounds(drawing);
    const double size = PictureSize(b);
    const double margin = size / 50;
    const double font = size / 60;

    std::string out;
    out.reserve(64 * (static_cast<std::size_t>(drawing.LineCount() + drawing.CircleCount())) +
                4096);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" viewBox=\"" + ViewBox(b) +
           "\">\n";
    out += "<title>Kolvo check</title>\n<style type=\"text/css\">\n";
    // Strokes keep their width in screen pixels however far the browser zooms in.
    out += "line,path,circle{vector-effect:non-scaling-stroke}\n";
    out += ".drawing{fill:none;stroke:#c8c8c8;stroke-width:0.5}\n";
    out += ".bar{stroke:#00a000;stroke-width:2}\n";
    out += ".double{stroke:#e00000;stroke-width:3}\n";
    out += ".leader{stroke:#0090d0;stroke-width:1.5}\n";
    out += ".point{fill:#00a000}\n.point.missed{fill:#e00000}\n";
    out += ".missing{fill:none;stroke:#e00000;stroke-width:2}\n";
    out += "text{font-family:sans-serif}\n</style>\n";

    // The drawing itself, thin and light grey: every line in one path keeps a large drawing
    // light to open.
    out += "<g class=\"drawing\">\n";
    AppendDrawingShapes(out, drawing);
    out += "</g>\n<g>\n";

    for (const std::int32_t index : WalkedLines(record)) {
        out += LineElement(drawing.Lines[index], "leader") + "/>\n";
    }
    for (const TCheckedBar& bar : CheckedBars(record)) {
        out += LineElement(drawing.Lines[bar.Line], bar.Times > 1 ? "double" : "bar") + "><title>" +
               XmlText(CheckedBarText(bar, drawing)) + "</title></line>\n";
    }
    for (const TLabelTrace& label : record.Labels()) {
        for (const TProbe& probe : label.ProbedPoints) {
            out += CircleElement(probe.X, probe.Y, std::max(1.0, label.Radius * 0.2),
                                 probe.Bar >= 0 ? "point" : "point missed") +
                   "/>\n";
        }
        const TLabelOutcome outcome = label.Outcome();
        if (outcome != TLabelOutcome::Ok) {
            out += CircleElement(label.CX, label.CY, 1.5 * label.Radius, "missing") + "><title>" +
                   XmlText(label.Label) + ": " + XmlText(OutcomeRemark(outcome)) +
                   "</title></circle>\n";
        }
    }
    out += "</g>\n";

    // The legend, in the top left corner.
    const double x = b.MinX - margin + font;
    double y = -b.MaxY - margin + font * 1.5;
    out += "<g font-size=\"" + Num(font) + "\">\n";
    const char* const entries[][2] = {
        {"#00a000", "鉄筋"},
        {"#e00000", "重複して数えた鉄筋"},
        {"#0090d0", "引出線"},
        {"#e00000", "確認が必要な符号・鉄筋のない点"},
    };
    for (const auto& entry : entries) {
        out += "<rect x=\"" + Num(x) + "\" y=\"" + Num(y - font * 0.8) + "\" width=\"" + Num(font) +
               "\" height=\"" + Num(font * 0.8) + "\" fill=\"" + entry[0] + "\"/><text x=\"" +
               Num(x + font * 1.5) + "\" y=\"" + Num(y) + "\">" + XmlText(entry[1]) + "</text>\n";
        y += font * 1.3;
    }
    out += "</g>\n</svg>\n";
    return out;
}

} // namespace kolvo
