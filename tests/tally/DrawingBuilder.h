// Fills a drawing's tables directly, so tracing can be tested without a DXF file.
#pragma once

#include <cstdint>
#include <string_view>

#include "BarTrace.h"
#include "DrawingModel.h"
#include "Tally.h"

namespace kolvo::testing {

// One drawing with its tally and its tracer, as one analysis has them.
struct TTraceBed {
    TDrawing Drawing;
    TTally Tally;
    TBarTracer Tracer{Drawing, Tally};
};

// The bed the tests of one test program share; ClearDrawing empties it.
TTraceBed& Bed();

// Empties the shared bed's drawing, tally and tracer state.
void ClearDrawing();

std::int32_t AddLine(TDrawing& drawing, double x1, double y1, double x2, double y2,
                     std::string_view layer = "BAR");
std::int32_t AddCircle(TDrawing& drawing, double cx, double cy, double radius,
                       std::string_view layer = "");
std::int32_t AddText(TDrawing& drawing, double x, double y, std::string_view content);
// A V mark whose middle vertex is (x, y), opening upwards.
std::int32_t AddVMark(TDrawing& drawing, double x, double y, std::int32_t flags = 0);
std::int32_t AddPolyline(TDrawing& drawing, std::int32_t vertexCount, double x, double y,
                         std::int32_t flags = 0);

} // namespace kolvo::testing
