#include <algorithm>
#include <charconv>
#include <cmath>

#include "CheckOutputs.h"
#include "TextCodec.h"

namespace kolvo {

namespace {

// A drawing's number in the picture, ten significant digits. (The callers turn y over: SVG's
// y points down.)
void AppendNum(std::string& out, double value) {
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 10);
    out.append(text, result.ptr);
}

std::string Num(double value) {
    std::string text;
    AppendNum(text, value);
    return text;
}

// A CP932 text as XML character data in UTF-8.
std::string XmlText(std::string_view cp932) {
    std::string escaped;
    for (const char c : Cp932ToUtf8(cp932, TCp932Decoding{u'?', true})) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

struct TBounds {
    double MinX = HUGE_VAL, MinY = HUGE_VAL, MaxX = -HUGE_VAL, MaxY = -HUGE_VAL;
    void Add(double x, double y) {
        MinX = std::min(MinX, x);
        MaxX = std::max(MaxX, x);
        MinY = std::min(MinY, y);
        MaxY = std::max(MaxY, y);
    }
};

std::string LineElement(const TDxfLine& line, std::string_view cls) {
    return "<line class=\"" + std::string(cls) + "\" x1=\"" + Num(line.X1) + "\" y1=\"" +
           Num(-line.Y1) + "\" x2=\"" + Num(line.X2) + "\" y2=\"" + Num(-line.Y2) + "\"";
}

std::string CircleElement(double x, double y, double r, std::string_view cls) {
    return "<circle class=\"" + std::string(cls) + "\" cx=\"" + Num(x) + "\" cy=\"" + Num(-y) +
           "\" r=\"" + Num(r) + "\"";
}

} // namespace

std::string CheckPictureText(const TAnalysis& analysis) {
    const TTraceRecord& record = analysis.Trace;
    const TDrawing& drawing = analysis.Drawing;
    TBounds b;
    for (const TDxfLine& line : drawing.Lines) {
        b.Add(line.X1, line.Y1);
        b.Add(line.X2, line.Y2);
    }
    for (const TDxfCircle& circle : drawing.Circles) {
        b.Add(circle.CX - circle.Radius, circle.CY - circle.Radius);
        b.Add(circle.CX + circle.Radius, circle.CY + circle.Radius);
    }
    if (!(b.MinX <= b.MaxX)) {
        b = TBounds{0, 0, 1, 1};
    }
    const double size = std::max({b.MaxX - b.MinX, b.MaxY - b.MinY, 1.0});
    const double margin = size / 50;
    const double font = size / 60;

    std::string out;
    out.reserve(64 * (static_cast<std::size_t>(drawing.LineCount() + drawing.CircleCount())) +
                4096);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" viewBox=\"" +
           Num(b.MinX - margin) + " " + Num(-b.MaxY - margin) + " " +
           Num(b.MaxX - b.MinX + 2 * margin) + " " + Num(b.MaxY - b.MinY + 2 * margin) + "\">\n";
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
    out += "<g class=\"drawing\">\n<path d=\"";
    for (const TDxfLine& line : drawing.Lines) {
        out += 'M';
        AppendNum(out, line.X1);
        out += ' ';
        AppendNum(out, -line.Y1);
        out += 'L';
        AppendNum(out, line.X2);
        out += ' ';
        AppendNum(out, -line.Y2);
    }
    out += "\"/>\n";
    for (const TDxfCircle& circle : drawing.Circles) {
        out += "<circle cx=\"" + Num(circle.CX) + "\" cy=\"" + Num(-circle.CY) + "\" r=\"" +
               Num(circle.Radius) + "\"/>\n";
    }
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
