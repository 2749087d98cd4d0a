#include "Analysis.h"

#include "BarTrace.h"
#include "DxfReader.h"
#include "Errors.h"
#include "FileNames.h"
#include "NumberLimits.h"
#include "ReportFiles.h"
#include "Tally.h"
#include "UserMessage.h"

namespace kolvo {

namespace {

// Whether the detail report would be the summary file itself: a report name ending in .txt
// (in any letter case where the file system ignores it).
bool ReportsShareAFile(const std::string& summaryPath) {
#ifdef _WIN32
    constexpr bool ignoreCase = true;
#else
    constexpr bool ignoreCase = false;
#endif
    return IsDetailReportExt(ExtractFileExt(summaryPath), ignoreCase);
}

} // namespace

TTally TallyDrawing(TDrawing& drawing, TTraceObserver* Observer) {
    RefuseUnprintableCoordinates(drawing);
    TTally tally;
    TBarTracer tracer(drawing, tally);
    tracer.SetObserver(Observer);
    tracer.TraceAllLabels();
    SortTally(tally);
    RefuseUnprintableTally(tally);
    return tally;
}

void TallyBarsFromDxf(const std::string& DxfPath, const std::string& ReportPath,
                      const TTalliedHook& Tallied, TTraceObserver* Observer,
                      const UserMessageHook& ShowMessage) {
    const std::string summaryPath = SummaryReportPath(ReportPath);
    // Both reports cannot be written to one file; the file the name stands for is left as it
    // is, as when it cannot be created.
    TReportFile summary;
    if (ReportsShareAFile(summaryPath) || summary.Create(summaryPath) != 0) {
        if (ShowMessage) {
            ShowMessage(CannotCreateFileMessage);
        }
        return;
    }
    const std::string detailPath = DetailReportPath(summaryPath);
    TReportFile detail;
    if (const int code = detail.Create(detailPath); code != 0) {
        throw EInOutError(code);
    }

    TDrawing drawing;
    ReadDxfFile(DxfPath, drawing);
    const TTally tally = TallyDrawing(drawing, Observer);

    WriteDetailReport(detail, tally);
    WriteSummaryReport(summary, tally);
    summary.Close();
    detail.Close();
    if (Tallied) {
        Tallied(drawing, tally);
    }
}

} // namespace kolvo
