// Fills the drawing-model tables directly, so tracing can be tested without a DXF file.
#pragma once

#include <cstdint>
#include <string_view>

#include "DrawingModel.h"

namespace kolvo::testing {

// Empties the drawing model and the tracer's working state.
void ClearDrawing();

std::int32_t AddLine(double x1, double y1, double x2, double y2, std::string_view layer = "BAR");
std::int32_t AddCircle(double cx, double cy, double radius, std::string_view layer = "");
std::int32_t AddText(double x, double y, std::string_view content);
// A V mark whose middle vertex is (x, y), opening upwards.
std::int32_t AddVMark(double x, double y, std::int32_t flags = 0);
std::int32_t AddPolyline(std::int32_t vertexCount, double x, double y, std::int32_t flags = 0);

} // namespace kolvo::testing
