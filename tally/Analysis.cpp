#include "Analysis.h"

#include "BarTrace.h"
#include "DxfReader.h"
#include "Errors.h"
#include "ReportFiles.h"
#include "ReportPaths.h"
#include "Tally.h"
#include "UserMessage.h"

namespace kolvo {

namespace {
// The I/O code for a report that the other report already holds open.
constexpr int AccessDeniedCode = 5;
} // namespace

void TallyBarsFromDxf(const std::string& DxfPath, const std::string& ReportPath) {
    const std::string summaryPath = SummaryReportPath(ReportPath);
    TReportFile summary;
    if (summary.Create(summaryPath) != 0) {
        ShowUserMessage(CannotCreateFileMessage);
        return;
    }
    // A report name ending in .txt names both reports alike; writing both through one file
    // would interleave them, so the detail report counts as not creatable.
    const std::string detailPath = DetailReportPath(summaryPath);
    if (detailPath == summaryPath) {
        throw EInOutError(AccessDeniedCode);
    }
    TReportFile detail;
    if (const int code = detail.Create(detailPath); code != 0) {
        throw EInOutError(code);
    }

    ReadDxfFile(DxfPath);
    ResetTally();
    TraceAllLabels();
    SortTally();

    WriteDetailReport(detail);
    WriteSummaryReport(summary);
    summary.Close();
    detail.Close();
}

} // namespace kolvo
