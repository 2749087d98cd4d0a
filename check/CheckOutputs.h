// The check outputs: what the analysis did, for a person to check a drawing by. A check list
// (.csv, one line per label circle), a check drawing (.dxf, an overlay in the drawing's own
// coordinates for the CAD host), a check picture (.svg, for a browser) and the check page (.html,
// all of it on one printable page). Each is built whole in
// memory from an analysis that kept everything of its trace (TTraceKeeping::Everything).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Analysis.h"
#include "DrawingModel.h"
#include "MassTable.h"
#include "TraceRecord.h"

namespace kolvo {

enum class TCheckFormat { List, Drawing, Picture, Page, Unknown };

// What the check page shows besides the analysis.
struct TCheckPageInfo {
    std::string DrawingName; // UTF-8: the drawing's file name
    std::string MadeAt;      // UTF-8: when the page was made, as the reader's clock shows it
    std::optional<double> MmPerUnit; // with the mass table, for that many mm a drawing unit
};

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

// The check output in `format` (not Unknown); `page` is for the check page.
std::string CheckText(TCheckFormat format, const TAnalysis& analysis,
                      const TCheckPageInfo& page = {});

// The bar mass table (MassTable.h) over the analysis's bars, and its whole file; `mmPerUnit` is how
// many millimetres one drawing unit is.
TMassTable MassTableOf(const TAnalysis& analysis, double mmPerUnit);
// Counts the analysis's bars into `masses`, as MassTableOf does (several drawings into one table).
void AddBarsTo(TMassTable& masses, const TAnalysis& analysis);
std::string MassTableText(const TAnalysis& analysis, double mmPerUnit);
// The total length of the tallied bars, summed exactly (drawing units).
double TallyLength(const TTally& tally);

// The check page (.html): one self-contained UTF-8 page with the drawing and what was counted on
// it, the check list, the summary and, with `MmPerUnit`, the mass table.
std::string CheckPageText(const TAnalysis& analysis, const TCheckPageInfo& info);

// The lines that warn of what a person should look at (CP932, without line ends): the characters
// of a drawing in another encoding that CP932 lacks, the notes of the whole drawing, then one line
// for each label circle that did not give a bar at every point it led to or has notes, at most
// `limit` of those, then one that says how many were left out.
std::vector<std::string> WarningLines(const TAnalysis& analysis, std::size_t limit = 20);

} // namespace kolvo
