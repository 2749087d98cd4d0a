#include "ReportNames.h"

#include <cstdio>

#include "FileIdentity.h"
#include "FileNames.h"

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace kolvo {

namespace {

long ProcessId() {
#ifdef _WIN32
    return static_cast<long>(_getpid());
#else
    return static_cast<long>(getpid());
#endif
}

} // namespace

TReportNames ReportNamesFor(const std::string& report) {
    TReportNames names;
#ifdef _WIN32
    names.Summary = SummaryReportPath(report);
    names.Detail = DetailReportPath(names.Summary);
#else
    names.Summary =
        FileExtPositionUtf8(report) == std::string_view::npos ? report + ".csv" : report;
    names.Detail = names.Summary.substr(0, FileExtPositionUtf8(names.Summary)) + ".txt";
#endif
    names.AnalysisReport = StagingName(names.Summary, ".csv");
    names.StagedSummary = SummaryReportPath(names.AnalysisReport);
    names.StagedDetail = DetailReportPath(names.StagedSummary);
    return names;
}

std::string StagingName(const std::string& path, std::string_view ext) {
    // Appended to the whole name, so the file lands in the same folder (a move across
    // folders may be a copy) without the folder part having to be found.
    return path + ".~kolvo-tally-" + std::to_string(ProcessId()) + std::string(ext);
}

bool ReplaceFile(const std::string& from, const std::string& to) {
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

void RemoveStagedReports(const TReportNames& names) {
    std::remove(names.StagedSummary.c_str());
    std::remove(names.StagedDetail.c_str());
}

std::string MoveStagedReports(const TReportNames& names) {
    // Both or neither: the old reports step aside under staging names first and come back if
    // either new one cannot take its place. Anything but a regular file in a report's place
    // (a folder, say) is the user's and is not moved.
    struct TStep {
        const std::string& Staged;
        const std::string& Target;
        std::string Aside;
        bool MovedAside = false;
        bool Replaced = false;
    };
    TStep steps[2] = {{names.StagedSummary, names.Summary, StagingName(names.Summary, ".old")},
                      {names.StagedDetail, names.Detail, StagingName(names.Detail, ".old")}};
    std::string failed;
    for (TStep& step : steps) {
        const TFileKind kind = FileKind(step.Target);
        if (kind == TFileKind::Other) {
            failed = step.Target;
            break;
        }
        if (kind == TFileKind::Regular) {
            if (!ReplaceFile(step.Target, step.Aside)) {
                failed = step.Target; // held open by another program, or read-only
                break;
            }
            step.MovedAside = true;
        }
    }
    for (TStep& step : steps) {
        if (!failed.empty()) {
            break;
        }
        if (!ReplaceFile(step.Staged, step.Target)) {
            failed = step.Target;
            break;
        }
        step.Replaced = true;
    }
    for (TStep& step : steps) {
        if (!failed.empty() && step.Replaced) {
            std::remove(step.Target.c_str());
        }
        if (step.MovedAside) {
            if (failed.empty()) {
                std::remove(step.Aside.c_str());
            } else {
                ReplaceFile(step.Aside, step.Target);
            }
        }
    }
    RemoveStagedReports(names);
    return failed;
}

bool WriteFileWhole(const std::string& path, std::string_view bytes) {
    const std::string staged = StagingName(path, ".tmp");
    std::FILE* file = std::fopen(staged.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (written && closed && ReplaceFile(staged, path)) {
        return true;
    }
    std::remove(staged.c_str());
    return false;
}

} // namespace kolvo
