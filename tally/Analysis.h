// The analysis: from the exported DXF file to the two report files.
#pragma once

#include <functional>
#include <string>

#include "DrawingModel.h"
#include "Tally.h"
#include "TraceObserver.h"
#include "UserMessage.h"

namespace kolvo {

// Shown through the user-message hook when the summary report cannot be created.
inline constexpr char CannotCreateFileMessage[] = "ファイルを作成できません";

// The analysis of a drawing already read: its bars traced and sorted. A drawing with a coordinate
// or a bar length that a report cannot show (NumberLimits.h) raises EDamagedDrawing. Tracing
// marks the drawing's lines and polylines. `Observer`, when given, is told of every step of the
// trace.
TTally TallyDrawing(TDrawing& drawing, TTraceObserver* Observer = nullptr);

// Reads the drawing at `DxfPath`, traces its labels and bars, and writes the summary report
// (SummaryReportPath of `ReportPath`) and the detail report beside it.
//
// A summary that cannot be created, or a report name ending in .txt (which would make both
// reports one file), is reported through the user-message hook and nothing else is done. Every
// other failure (the detail report cannot be created, the DXF file cannot be read or converted, a
// report cannot be written or closed) is raised as an exception; both report files are then closed
// with what was written before the failure, and the summary is only written after the whole detail
// report. Success leaves both files complete; the caller learns of it by finding the summary.
//
// `Tallied`, when given, is called once both reports are complete, with the drawing as traced
// and the sorted tally: what a caller builds beyond the reports comes from the same analysis.
// `Observer`, when given, is told of every step of the trace. `ShowMessage`, when given, receives
// the messages the user must see; without it they are dropped.
using TTalliedHook = std::function<void(const TDrawing&, const TTally&)>;
void TallyBarsFromDxf(const std::string& DxfPath, const std::string& ReportPath,
                      const TTalliedHook& Tallied = {}, TTraceObserver* Observer = nullptr,
                      const UserMessageHook& ShowMessage = {});

} // namespace kolvo
