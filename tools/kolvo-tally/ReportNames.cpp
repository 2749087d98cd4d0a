#include "ReportNames.h"

#include <cstdio>
#include <string_view>

#include "FileNames.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace kolvo {

namespace {

#ifndef _WIN32
std::string Folder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
#endif

} // namespace

TReportNames ReportNamesFor(const std::string& report) {
    TReportNames names;
    names.AnalysisReport = report;
#ifdef _WIN32
    names.Summary = SummaryReportPath(report);
    names.Detail = DetailReportPath(names.Summary);
#else
    names.Summary =
        FileExtPositionUtf8(report) == std::string_view::npos ? report + ".csv" : report;
    names.Detail = names.Summary.substr(0, FileExtPositionUtf8(names.Summary)) + ".txt";
    const std::string analysisSummary = SummaryReportPath(report);
    if (analysisSummary != names.Summary || DetailReportPath(analysisSummary) != names.Detail) {
        names.AnalysisReport = Folder(names.Summary) + ".kolvo-tally-" +
                               std::to_string(static_cast<long>(getpid())) + ".csv";
        names.Staged = true;
    }
#endif
    return names;
}

bool MoveStagedReports(const TReportNames& names) {
    if (!names.Staged) {
        return true;
    }
    const std::string stagedSummary = SummaryReportPath(names.AnalysisReport);
    const std::string stagedDetail = DetailReportPath(stagedSummary);
    bool moved = true;
    for (const auto& [from, to] :
         {std::pair{stagedSummary, names.Summary}, std::pair{stagedDetail, names.Detail}}) {
        std::FILE* probe = std::fopen(from.c_str(), "rb");
        if (probe == nullptr) {
            continue; // the analysis did not get as far as creating it
        }
        std::fclose(probe);
        if (std::rename(from.c_str(), to.c_str()) != 0) {
            std::remove(from.c_str());
            moved = false;
        }
    }
    return moved;
}

} // namespace kolvo
