#include "DrawingBuilder.h"

#include "BarTrace.h"
#include "Tally.h"

namespace kolvo::testing {

TTraceBed& Bed() {
    static TTraceBed bed;
    return bed;
}

void ClearDrawing() {
    TTraceBed& bed = Bed();
    bed.Drawing.Reset();
    bed.Tally.Reset();
    bed.Tracer.DropSearchIndex();
    bed.Tracer.VisitedLines.Clear();
    bed.Tracer.MarkPoints.clear();
    bed.Tracer.MarkCursor = 0;
}

std::int32_t AddLine(TDrawing& drawing, double x1, double y1, double x2, double y2,
                     std::string_view layer) {
    TDxfLine& line = drawing.Lines.Append();
    line.X1 = x1;
    line.Y1 = y1;
    line.X2 = x2;
    line.Y2 = y2;
    line.Layer = drawing.Properties.Add(layer);
    return drawing.LineCount() - 1;
}

std::int32_t AddCircle(TDrawing& drawing, double cx, double cy, double radius,
                       std::string_view layer) {
    TDxfCircle& circle = drawing.Circles.Append();
    circle.CX = cx;
    circle.CY = cy;
    circle.Radius = radius;
    circle.Layer = drawing.Properties.Add(layer);
    return drawing.CircleCount() - 1;
}

std::int32_t AddText(TDrawing& drawing, double x, double y, std::string_view content) {
    TDxfText& text = drawing.Texts.Append();
    text.X = x;
    text.Y = y;
    text.Content = content;
    return drawing.TextCount() - 1;
}

std::int32_t AddPolyline(TDrawing& drawing, std::int32_t vertexCount, double x, double y,
                         std::int32_t flags) {
    TDxfPolyline& polyline = drawing.Polylines.Append();
    polyline.Flags = flags;
    for (std::int32_t n = 1; n <= vertexCount; ++n) {
        polyline.AddVertex(0);
    }
    for (std::int32_t n = 1; n <= vertexCount; ++n) {
        polyline.Vertex(n).X = x + (n - 2) * 2.0;
        polyline.Vertex(n).Y = n == 2 ? y : y + 3.0;
    }
    return drawing.PolylineCount() - 1;
}

std::int32_t AddVMark(TDrawing& drawing, double x, double y, std::int32_t flags) {
    return AddPolyline(drawing, 3, x, y, flags);
}

} // namespace kolvo::testing
