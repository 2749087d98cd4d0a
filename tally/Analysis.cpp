#include "Analysis.h"

#include <new>

#include "BarTrace.h"
#include "DxfReader.h"
#include "Errors.h"
#include "FileNames.h"
#include "FileSystem.h"
#include "NumberLimits.h"
#include "OutputFiles.h"
#include "ReportFiles.h"

namespace kolvo {

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

TAnalysis Analyse(const std::string& DxfPath, TTraceKeeping Keeping) {
    switch (FileKind(DxfPath)) {
    case TFileKind::Missing:
        throw EInOutError(2);
    case TFileKind::Other:
        throw EDamagedDrawing(NotARegularFileMessage);
    case TFileKind::Regular:
        break;
    }
    try {
        TAnalysis analysis{{}, {}, TTraceRecord(Keeping)};
        ReadDxfFile(DxfPath, analysis.Drawing);
        analysis.Tally = TallyDrawing(
            analysis.Drawing, Keeping == TTraceKeeping::Nothing ? nullptr : &analysis.Trace);
        return analysis;
    } catch (const std::bad_alloc&) {
        // The drawing, not the program, is too large: said so, instead of the runtime's name for
        // the failure.
        throw EOutOfMemory();
    }
}

void TallyBarsFromDxf(const std::string& DxfPath, const std::string& ReportPath) {
    AnalyseAndReport(DxfPath, ReportPath, TTraceKeeping::Nothing);
}

TAnalysis AnalyseAndReport(const std::string& DxfPath, const std::string& ReportPath,
                           TTraceKeeping Keeping) {
    const std::string summaryPath = SummaryReportPath(ReportPath);
    const std::string detailPath = DetailReportPath(summaryPath);
    TAnalysis analysis = Analyse(DxfPath, Keeping);
    const TWriteOutcome outcome = WriteFileSet(
        {{summaryPath, SummaryText(analysis.Tally)}, {detailPath, DetailText(analysis.Tally)}},
        DxfPath);
    if (outcome.Written()) {
        return analysis;
    }
    // A detail name equal to the summary's (a report name ending in .txt) or to the drawing is
    // a summary that cannot be created, as is one whose folder is missing or locked.
    if (outcome.Status == TWriteOutcome::TStatus::Refused || outcome.Path == summaryPath) {
        throw ECreateError();
    }
    throw EInOutError(outcome.Code);
}

} // namespace kolvo
