// The check outputs of kolvo-tally: what the analysis did, for a person to check a drawing by.
// A check list (.csv, one line per label circle), a check drawing (.dxf, an overlay in the
// drawing's own coordinates for the CAD host) and a check picture (.svg, for a browser). Each is
// built whole in memory from the trace record and the drawing as traced.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "DrawingModel.h"
#include "TraceRecord.h"

namespace kolvo {

enum class TCheckFormat { List, Drawing, Picture, Unknown };

// The format a check file's name asks for by its extension (letter case ignored).
TCheckFormat CheckFormatOf(std::string_view extension);

// A bar line tallied at least once, with the label circle that tallied it first.
struct TCheckedBar {
    std::int32_t Line = 0;
    const TLabelTrace* Label = nullptr;
    std::int32_t Times = 0; // more than one: a double
};

// Every tallied bar line once, in the order first tallied.
std::vector<TCheckedBar> CheckedBars(const TTraceRecord& record);
// Every line walked, once, in the order first walked.
std::vector<std::int32_t> WalkedLines(const TTraceRecord& record);

// The text of a bar on the overlays: label and length, and how often a double was tallied.
std::string CheckedBarText(const TCheckedBar& bar, const TDrawing& drawing);

std::string CheckListText(const TTraceRecord& record);
std::string CheckDrawingText(const TTraceRecord& record, const TDrawing& drawing);
std::string CheckPictureText(const TTraceRecord& record, const TDrawing& drawing);

} // namespace kolvo
