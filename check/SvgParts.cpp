#include "SvgParts.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "TextCodec.h"

namespace kolvo {

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

namespace {

std::string Escaped(std::string_view utf8, bool apostrophe) {
    std::string escaped;
    for (const char c : utf8) {
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
        case '\'':
            escaped += apostrophe ? "&#39;" : "'";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string Utf8Of(std::string_view cp932) {
    return Cp932ToUtf8(cp932, TCp932Decoding{u'?', true});
}

} // namespace

std::string XmlText(std::string_view cp932) {
    return Escaped(Utf8Of(cp932), false);
}

std::string HtmlText(std::string_view cp932) {
    return Escaped(Utf8Of(cp932), true);
}

std::string HtmlUtf8(std::string_view utf8) {
    return Escaped(utf8, true);
}

TBounds DrawingBounds(const TDrawing& drawing) {
    TBounds b{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    const auto add = [&b](double x, double y) {
        b.MinX = std::min(b.MinX, x);
        b.MaxX = std::max(b.MaxX, x);
        b.MinY = std::min(b.MinY, y);
        b.MaxY = std::max(b.MaxY, y);
    };
    for (const TDxfLine& line : drawing.Lines) {
        add(line.X1, line.Y1);
        add(line.X2, line.Y2);
    }
    for (const TDxfCircle& circle : drawing.Circles) {
        add(circle.CX - circle.Radius, circle.CY - circle.Radius);
        add(circle.CX + circle.Radius, circle.CY + circle.Radius);
    }
    if (!(b.MinX <= b.MaxX)) {
        b = TBounds{0, 0, 1, 1};
    }
    return b;
}

double PictureSize(const TBounds& b) {
    return std::max({b.MaxX - b.MinX, b.MaxY - b.MinY, 1.0});
}

std::string ViewBox(const TBounds& b) {
    const double margin = PictureSize(b) / 50;
    return Num(b.MinX - margin) + " " + Num(-b.MaxY - margin) + " " +
           Num(b.MaxX - b.MinX + 2 * margin) + " " + Num(b.MaxY - b.MinY + 2 * margin);
}

std::string LineElement(const TDxfLine& line, std::string_view cls) {
    return "<line class=\"" + std::string(cls) + "\" x1=\"" + Num(line.X1) + "\" y1=\"" +
           Num(-line.Y1) + "\" x2=\"" + Num(line.X2) + "\" y2=\"" + Num(-line.Y2) + "\"";
}

std::string CircleElement(double x, double y, double r, std::string_view cls) {
    return "<circle class=\"" + std::string(cls) + "\" cx=\"" + Num(x) + "\" cy=\"" + Num(-y) +
           "\" r=\"" + Num(r) + "\"";
}

void AppendDrawingShapes(std::string& out, const TDrawing& drawing) {
    out += "<path d=\"";
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
}

} // namespace kolvo
