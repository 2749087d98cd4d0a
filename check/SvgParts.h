// What the check picture and the check page draw alike: numbers in the drawing's coordinates,
// the drawing's extent, and the drawing itself as one light path.
#pragma once

#include <string>
#include <string_view>

#include "DrawingModel.h"

namespace kolvo {

// A drawing's number in a picture, ten significant digits. (The callers turn y over: SVG's y
// points down.)
void AppendNum(std::string& out, double value);
std::string Num(double value);

// A CP932 text as XML character data and attribute values in UTF-8: & < > " escaped, bytes that
// are no CP932 character shown as "?".
std::string XmlText(std::string_view cp932);
// The same with ' escaped too, for HTML; and for a text that is UTF-8 already (a file name as the
// system spells it on Linux, or already converted).
std::string HtmlText(std::string_view cp932);
std::string HtmlUtf8(std::string_view utf8);

// The extent of a drawing's lines and circles; a unit square for a drawing without either.
struct TBounds {
    double MinX, MinY, MaxX, MaxY;
};
TBounds DrawingBounds(const TDrawing& drawing);

// The viewBox of a picture of `b` with a margin of a fiftieth of its size around it, and that
// size (the larger of its width and height, at least 1).
std::string ViewBox(const TBounds& b);
double PictureSize(const TBounds& b);

// The opening of a <line> along `line` and of a <circle>, of class `cls`, without their end.
std::string LineElement(const TDxfLine& line, std::string_view cls);
std::string CircleElement(double x, double y, double r, std::string_view cls);

// The drawing itself: every line as moves and lines of one <path>, which keeps a large drawing
// light to open, then a <circle> for each of its circles, each element on a line of its own.
void AppendDrawingShapes(std::string& out, const TDrawing& drawing);

} // namespace kolvo
