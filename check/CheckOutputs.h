// The check outputs: what the analysis did, for a person to check a drawing by. A check list
// (.csv, one line per label circle), a check drawing (.dxf, an overlay in the drawing's own
// coordinates for the CAD host) and a check picture (.svg, for a browser). Each is built whole in
// memory from an analysis that kept everything of its trace (TTraceKeeping::Everything).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Analysis.h"
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

// The check list's fields (CP932, unquoted): its header, and one row per label circle in the
// order the tracer handled them; the list is these as CSV.
std::vector<std::string> CheckListHeader();
std::vector<std::vector<std::string>> CheckListRows(const TAnalysis& analysis);

std::string CheckListText(const TAnalysis& analysis);
std::string CheckDrawingText(const TAnalysis& analysis);
std::string CheckPictureText(const TAnalysis& analysis);

// The check output in `format` (not Unknown).
std::string CheckText(TCheckFormat format, const TAnalysis& analysis);

// The whole file of the bar mass table (MassTable.h) over the analysis's bars; `mmPerUnit` is how
// many millimetres one drawing unit is.
std::string MassTableText(const TAnalysis& analysis, double mmPerUnit);

// The lines that warn of the label circles that did not give a bar at every point they led to:
// at most `limit` of them, then one that says how many were left out. CP932, without line ends.
std::vector<std::string> WarningLines(const TTraceRecord& record, std::size_t limit = 20);

} // namespace kolvo
