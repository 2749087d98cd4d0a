// The names of the two reports as the system spells file names.
//
// The analysis derives the report names with the rules for CP932 paths, where the byte after a
// double-byte lead byte is never a dot or a separator. Windows hands the command its arguments
// in that code page, so there the names are the analysis' own. A Linux file system holds UTF-8
// names, whose bytes the CP932 rules misread: in "配筋.csv" the last byte of 筋 looks like a lead
// byte and hides the dot, and the analysis would write "配筋.csv.csv". For such names the command
// lets the analysis write under a plain staging name beside the reports and moves the files to
// their proper names afterwards.
#pragma once

#include <string>

namespace kolvo {

struct TReportNames {
    std::string Summary; // the report name, or with ".csv" appended when it has no extension
    std::string Detail;  // the summary name with its extension replaced by ".txt"
    // The report name to hand to the analysis: the user's own, or a staging name whose
    // reports MoveStagedReports puts in place.
    std::string AnalysisReport;
    bool Staged = false;
};

TReportNames ReportNamesFor(const std::string& report);

// Moves the staged reports that exist to their names, replacing files there. False when one
// of them could not be moved (it is then removed).
bool MoveStagedReports(const TReportNames& names);

} // namespace kolvo
