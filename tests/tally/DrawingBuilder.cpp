#include "DrawingBuilder.h"

#include "BarTrace.h"
#include "Tally.h"

namespace kolvo::testing {

void ClearDrawing() {
    ResetDrawingModel();
    ResetTally();
    VisitedLines.Clear();
    MarkPoints.clear();
    MarkCursor = 0;
}

std::int32_t AddLine(double x1, double y1, double x2, double y2, std::string_view layer) {
    TDxfLine& line = Lines.Append();
    line.X1 = x1;
    line.Y1 = y1;
    line.X2 = x2;
    line.Y2 = y2;
    line.Layer = layer;
    return LineCount() - 1;
}

std::int32_t AddCircle(double cx, double cy, double radius, std::string_view layer) {
    TDxfCircle& circle = Circles.Append();
    circle.CX = cx;
    circle.CY = cy;
    circle.Radius = radius;
    circle.Layer = layer;
    return CircleCount() - 1;
}

std::int32_t AddText(double x, double y, std::string_view content) {
    TDxfText& text = Texts.Append();
    text.X = x;
    text.Y = y;
    text.Content = content;
    return TextCount() - 1;
}

std::int32_t AddPolyline(std::int32_t vertexCount, double x, double y, std::int32_t flags) {
    TDxfPolyline& polyline = Polylines.Append();
    polyline.Flags = flags;
    for (std::int32_t n = 1; n <= vertexCount; ++n) {
        polyline.AddVertex(0);
    }
    for (std::int32_t n = 1; n <= vertexCount; ++n) {
        polyline.Vertex(n).X = x + (n - 2) * 2.0;
        polyline.Vertex(n).Y = n == 2 ? y : y + 3.0;
    }
    return PolylineCount() - 1;
}

std::int32_t AddVMark(double x, double y, std::int32_t flags) {
    return AddPolyline(3, x, y, flags);
}

} // namespace kolvo::testing
