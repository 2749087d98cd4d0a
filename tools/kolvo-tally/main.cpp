// kolvo-tally [--weights FILE.csv] [--mm-per-unit F] [--check FILE]... DRAWING.dxf REPORT:
// tallies the bars of an exported drawing into the summary and detail reports, as the dialog's
// quantity run does after the CAD host has exported; on request also the bar mass table and check
// outputs that show what the analysis did. Label circles that did not give a bar at every point
// are warned of on standard error. Options may stand anywhere; "--" ends them.
// kolvo-tally --project OUT [--jobs N] [--mm-per-unit F] DRAWING_OR_FOLDER...: a whole project.
//
// Exit codes: 0 reports written; 1 the analysis failed (earlier reports of that name stay as
// they were); 2 a usage error or no drawing file (nothing created, nothing deleted).
#include <algorithm>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "Analysis.h"
#include "CheckOutputs.h"
#include "ConsoleText.h"
#include "Errors.h"
#include "FileNames.h"
#include "FileSystem.h"
#include "LocalClock.h"
#include "Options.h"
#include "OutputFiles.h"
#include "ProjectCommand.h"
#include "ReportFiles.h"
#include "TextCodec.h"

namespace kolvo {
namespace {

// Why the command may not write what it was asked to, as a usage error; nothing when it may.
std::optional<int> RefusedNames(const TOptions& options, const TReportNames& names) {
    switch (FileKind(options.Drawing)) {
    case TFileKind::Missing:
        TConsoleLine()
            .Text("kolvo-tally: 図面ファイルが見つかりません: ")
            .Name(options.Drawing)
            .WriteTo(stderr);
        return ExitUsage;
    case TFileKind::Other:
        TConsoleLine()
            .Text("kolvo-tally: ")
            .Text(NotARegularFileMessage)
            .Text(": ")
            .Name(options.Drawing)
            .WriteTo(stderr);
        return ExitUsage;
    case TFileKind::Regular:
        break;
    }
    // A summary named .txt is its own detail list (on Windows whatever the letter case), and
    // the two reports would overwrite each other.
    if (IsDetailReportExt(ExtractFileExt(names.Summary), true)) {
        return UsageError("報告ファイルの拡張子に .txt は使えません (明細の名前になります): ",
                          options.Report);
    }
    // Replacing the reports would take the drawing's name away.
    if (!RefusedTarget({names.Summary, names.Detail}, options.Drawing).empty()) {
        return UsageError("報告ファイルが図面ファイルと同じ名前になります: ", options.Drawing);
    }
    std::vector<std::string> extras = options.Checks;
    if (!options.Weights.empty()) {
        extras.insert(extras.begin(), options.Weights);
    }
    for (const std::string& extra : extras) {
        if (!RefusedTarget({names.Summary, names.Detail, extra}, options.Drawing).empty()) {
            return UsageError("図面や報告と同じ名前には書けません: ", extra);
        }
    }
    return std::nullopt;
}

// Writes what comes from the reports, each file on its own; a file that cannot be written is
// named and the others are written all the same.
int WriteExtra(const std::string& path, const std::string& bytes, const std::string& drawing,
               const char* saved) {
    if (!WriteFileSet({{path, bytes}}, drawing).Written()) {
        return CannotWrite(path);
    }
    TConsoleLine().Text(saved).Name(path).Text("へ保存しました").WriteTo(stdout);
    return ExitOk;
}

int Tally(const TOptions& options) {
    const TReportNames names = CommandLineReportNames(options.Report);
    if (const std::optional<int> refused = RefusedNames(options, names)) {
        return *refused;
    }
    TAnalysis analysis;
    try {
        // The whole trace: the warnings, the notes and the mass table read it too.
        analysis = Analyse(options.Drawing, TTraceKeeping::Everything);
    } catch (const std::bad_alloc&) {
        return RunFailed(OutOfMemoryMessage);
    } catch (const std::exception& e) {
        // The errors of the analysis carry the user's message texts in CP932.
        return RunFailed(e.what());
    }
    // The user's reports are replaced only by a complete pair.
    const TWriteOutcome reports = WriteFileSet(
        {{names.Summary, SummaryText(analysis.Tally)}, {names.Detail, DetailText(analysis.Tally)}},
        options.Drawing);
    if (!reports.Written()) {
        return CannotWrite(reports.Path);
    }
    TConsoleLine().Text("集計結果を").Name(names.Summary).Text("へ保存しました").WriteTo(stdout);
    for (const std::string& line : WarningLines(analysis)) {
        TConsoleLine().Text(line).WriteTo(stderr);
    }
    // What comes from the reports is written only beside a complete pair of them.
    int status = ExitOk;
    if (!options.Weights.empty()) {
        status =
            std::max(status, WriteExtra(options.Weights, MassTableText(analysis, options.MmPerUnit),
                                        options.Drawing, "鉄筋重量表を"));
    }
    TCheckPageInfo page;
    page.DrawingName = SystemNameToUtf8(CommandLineFileName(options.Drawing));
    page.MadeAt = LocalTimeText();
    if (!options.Weights.empty()) {
        page.MmPerUnit = options.MmPerUnit;
    }
    for (const std::string& check : options.Checks) {
        const std::string text =
            CheckText(CheckFormatOf(CommandLineExtension(check)), analysis, page);
        status = std::max(status, WriteExtra(check, text, options.Drawing, "確認用のファイルを"));
    }
    return status;
}

} // namespace
} // namespace kolvo

int main(int argc, char** argv) {
    const kolvo::TParsed parsed = kolvo::ParseArguments(argc, argv);
    if (parsed.Exit >= 0) {
        return parsed.Exit;
    }
    try {
        if (!parsed.Options.Project.empty()) {
            return kolvo::RunProjectCommand(parsed.Options);
        }
        return kolvo::Tally(parsed.Options);
    } catch (const std::bad_alloc&) {
        return kolvo::RunFailed(kolvo::OutOfMemoryMessage);
    }
}
