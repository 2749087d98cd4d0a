// The names of the two reports as the system spells file names, and the staging that keeps the
// user's earlier reports whole until a new pair is complete.
//
// The analysis writes its reports under a staging name beside the summary; the command moves
// them over the user's reports only when everything succeeded, so a failed run leaves the old
// reports exactly as they were. The staging name also settles how names are read: the analysis
// derives the report names with the rules for CP932 paths, where the byte after a double-byte
// lead byte is never a dot or a separator. Windows hands the command its arguments in that code
// page, but a Linux file system holds UTF-8 names, whose bytes the CP932 rules misread (in
// "配筋.csv" the last byte of 筋 looks like a lead byte and hides the dot). The staging name
// ends in a plain ASCII ".csv", which every reading agrees on.
#pragma once

#include <string>
#include <string_view>

namespace kolvo {

struct TReportNames {
    std::string Summary; // the report name, or with ".csv" appended when it has no extension
    std::string Detail;  // the summary name with its extension replaced by ".txt"
    // The report name handed to the analysis, and the two files it writes under it.
    std::string AnalysisReport;
    std::string StagedSummary;
    std::string StagedDetail;
};

TReportNames ReportNamesFor(const std::string& report);

// A name beside `path` for a file that is written whole before it replaces `path`; `ext` (with
// its dot) ends it.
std::string StagingName(const std::string& path, std::string_view ext);

// Moves `from` over `to`, replacing a file there. False when it could not.
bool ReplaceFile(const std::string& from, const std::string& to);

// Removes the staged reports that exist.
void RemoveStagedReports(const TReportNames& names);

// Moves both staged reports over the user's, both or neither. Returns the name that could not be
// replaced (the user's reports are then as they were), or an empty string; the staged files are
// gone either way.
std::string MoveStagedReports(const TReportNames& names);

// Writes `bytes` under a staging name beside `path` and moves the file over `path`. False when
// either step fails; then no staged file is left and `path` is as it was.
bool WriteFileWhole(const std::string& path, std::string_view bytes);

} // namespace kolvo
