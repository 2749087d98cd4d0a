// The analysis: from a DXF file to its traced drawing and sorted tally, as one value, and the
// driver that the quantity run calls, which writes the two reports from it.
#pragma once

#include <string>

#include "DrawingModel.h"
#include "Tally.h"
#include "TraceRecord.h"

namespace kolvo {

// Refusal of a path that is no regular file (a folder, a device, a pipe).
inline constexpr char NotARegularFileMessage[] =
    "図面が普通のファイルではありません (フォルダーや装置は読めません)";

// One analysis of a drawing.
struct TAnalysis {
    TDrawing Drawing;   // as traced: its lines and polylines carry the tracer's marks
    TTally Tally;       // sorted
    TTraceRecord Trace; // what the tracer did at each label circle, as far as it was kept
};

// The analysis of a drawing already read: its bars traced and sorted. A drawing with a coordinate
// or a bar length that a report cannot show (NumberLimits.h) raises EDamagedDrawing. Tracing
// marks the drawing's lines and polylines. `Observer`, when given, is told of every step of the
// trace.
TTally TallyDrawing(TDrawing& drawing, TTraceObserver* Observer = nullptr);

// Reads the drawing at `DxfPath` and traces it, keeping as much of the trace as `Keeping` asks.
// Every failure is raised with the message the user must see: a missing file or one that cannot
// be read (EInOutError), a path that is no regular file or a drawing that is damaged, foreign or
// has numbers too large (EDamagedDrawing), a value that is no number (EConvertError), and too
// little memory (EOutOfMemory). Nothing is written anywhere.
TAnalysis Analyse(const std::string& DxfPath, TTraceKeeping Keeping = TTraceKeeping::Nothing);

// Analyses the drawing at `DxfPath` and writes the summary report (SummaryReportPath of
// `ReportPath`) and the detail report beside it, both or neither (OutputFiles.h). Every failure
// is raised, and then no report is written: a summary that cannot be written, or a report name
// that would make both reports one file or the drawing itself, as ECreateError; a detail report
// that cannot be written as EInOutError; a drawing that cannot be analysed as Analyse raises it.
// The caller learns of success by finding the summary.
void TallyBarsFromDxf(const std::string& DxfPath, const std::string& ReportPath);

// The same, keeping as much of the trace as `Keeping` asks, and returning the analysis the
// reports were written from, for what the caller builds beside them.
TAnalysis AnalyseAndReport(const std::string& DxfPath, const std::string& ReportPath,
                           TTraceKeeping Keeping);

} // namespace kolvo
