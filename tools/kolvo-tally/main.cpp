// kolvo-tally [--weights FILE.csv] [--mm-per-unit F] [--check FILE]... DRAWING.dxf REPORT:
// tallies the bars of an exported drawing into the summary and detail reports, as the dialog's
// quantity run does after the CAD host has exported; on request also the bar mass table and check
// outputs that show what the analysis did. Label circles that did not give a bar at every point
// are warned of on standard error. Options may stand anywhere; "--" ends them.
//
// Exit codes: 0 reports written; 1 the analysis failed (earlier reports of that name stay as
// they were); 2 a usage error or no drawing file (nothing created, nothing deleted).
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "Analysis.h"
#include "CheckOutputs.h"
#include "ConsoleText.h"
#include "Errors.h"
#include "FileIdentity.h"
#include "FileNames.h"
#include "MassTable.h"
#include "NumberFormat.h"
#include "ReportNames.h"
#include "TraceRecord.h"
#include "UserMessage.h"

namespace {

using kolvo::TConsoleLine;

constexpr int ExitOk = 0;
constexpr int ExitAnalysisFailed = 1;
constexpr int ExitUsage = 2;

constexpr std::string_view Usage =
    "使い方: kolvo-tally [--weights 重量表.csv] [--mm-per-unit 数] [--check 確認ファイル]... "
    "図面.dxf 報告ファイル";

// At most this many warning lines; then one line says how many were left out.
constexpr std::size_t MaxWarnings = 20;

struct TOptions {
    std::string Drawing;
    std::string Report;
    std::string Weights; // the mass table's file; empty when none is asked for
    double MmPerUnit = 1;
    std::vector<std::string> Checks; // check files, each in the format its extension names
};

void PrintHelp() {
    const char* const lines[] = {
        "使い方: kolvo-tally [--weights 重量表.csv] [--mm-per-unit 数] [--check 確認ファイル]... "
        "図面.dxf 報告ファイル",
        "",
        "DXF 図面の鉄筋を符号ごとに数えて長さを測り、集計表と明細を書きます。",
        "  集計表: 報告ファイル (拡張子がなければ .csv を付けた名前)",
        "  明細  : 集計表の拡張子を .txt に替えた名前",
        "同じ名前のファイルは書き換えます。集計できなかったときは前のファイルをそのまま残します。",
        "",
        "  --weights 重量表.csv  鉄筋の径ごとの本数・総延長・質量 (JIS G 3112) の表も書きます",
        "  --mm-per-unit 数      図面の1単位が何mmか (既定は1)",
        "  --check 確認ファイル  集計の中身を確かめるファイルも書きます (何度でも指定できます)",
        "                        .csv 符号ごとの確認表  .dxf 図面に重ねる確認図  .svg 確認画像",
        "  --                    これより後はオプションではありません",
        "  --help                この説明を表示します",
        "  --version             版を表示します",
        "",
        "終了コード: 0 集計結果を保存した  1 集計できなかった  "
        "2 使い方の誤り、または図面ファイルがない",
    };
    for (const char* line : lines) {
        TConsoleLine().Text(line).WriteTo(stdout);
    }
}

int UsageError(std::string_view problem, std::string_view name = {}) {
    TConsoleLine().Text("kolvo-tally: ").Text(problem).Name(name).WriteTo(stderr);
    TConsoleLine().Text(Usage).WriteTo(stderr);
    TConsoleLine().Text("詳しくは kolvo-tally --help").WriteTo(stderr);
    return ExitUsage;
}

int Failed(std::string_view cp932Message) {
    TConsoleLine().Text("kolvo-tally: ").Text(cp932Message).WriteTo(stderr);
    return ExitAnalysisFailed;
}

// The extension of a name as the system spells it.
std::string ExtensionOf(const std::string& name) {
#ifdef _WIN32
    return kolvo::ExtractFileExt(name);
#else
    const std::size_t dot = kolvo::FileExtPositionUtf8(name);
    return dot == std::string::npos ? std::string() : name.substr(dot);
#endif
}

// One line per label circle that did not give a bar at every point it led to.
void Warn(const kolvo::TTraceRecord& trace) {
    std::size_t shown = 0, left = 0;
    for (const kolvo::TLabelTrace& label : trace.Labels()) {
        const kolvo::TLabelOutcome outcome = label.Outcome();
        if (outcome == kolvo::TLabelOutcome::Ok) {
            continue;
        }
        if (shown == MaxWarnings) {
            ++left;
            continue;
        }
        ++shown;
        TConsoleLine()
            .Text("警告: 符号 ")
            .Text(label.Label)
            .Text(" (" + kolvo::FormatWhole(label.CX) + ", " + kolvo::FormatWhole(label.CY) + "): ")
            .Text(kolvo::OutcomeRemark(outcome))
            .WriteTo(stderr);
    }
    if (left > 0) {
        TConsoleLine()
            .Text("警告: ほかに " + std::to_string(left) + " 個の符号に警告があります")
            .WriteTo(stderr);
    }
}

int CannotWrite(const std::string& name) {
    TConsoleLine()
        .Text("kolvo-tally: ")
        .Text(kolvo::CannotCreateFileMessage)
        .Text(": ")
        .Name(name)
        .WriteTo(stderr);
    return ExitAnalysisFailed;
}

int Tally(const TOptions& options) {
    const std::string& drawing = options.Drawing;
    const std::string& report = options.Report;
    switch (kolvo::FileKind(drawing)) {
    case kolvo::TFileKind::Missing:
        TConsoleLine()
            .Text("kolvo-tally: 図面ファイルが見つかりません: ")
            .Name(drawing)
            .WriteTo(stderr);
        return ExitUsage;
    case kolvo::TFileKind::Other:
        TConsoleLine()
            .Text(
                "kolvo-tally: 図面が普通のファイルではありません (フォルダーや装置は読めません): ")
            .Name(drawing)
            .WriteTo(stderr);
        return ExitUsage;
    case kolvo::TFileKind::Regular:
        break;
    }
    const kolvo::TReportNames names = kolvo::ReportNamesFor(report);
    const std::string& summary = names.Summary;
    // A summary named .txt is its own detail list (on Windows whatever the letter case), and
    // the two reports would overwrite each other.
    if (kolvo::IsDetailReportExt(kolvo::ExtractFileExt(summary), true)) {
        return UsageError("報告ファイルの拡張子に .txt は使えません (明細の名前になります): ",
                          report);
    }
    // Replacing the reports would take the drawing's name away.
    if (kolvo::IsSameFile(drawing, summary) || kolvo::IsSameFile(drawing, names.Detail)) {
        return UsageError("報告ファイルが図面ファイルと同じ名前になります: ", drawing);
    }
    std::vector<const std::string*> extras;
    if (!options.Weights.empty()) {
        extras.push_back(&options.Weights);
    }
    for (const std::string& check : options.Checks) {
        extras.push_back(&check);
    }
    for (const std::string* extra : extras) {
        if (kolvo::IsSameFile(drawing, *extra) || *extra == summary || *extra == names.Detail) {
            return UsageError("図面や報告と同じ名前には書けません: ", *extra);
        }
    }
    kolvo::TMassTable masses(options.MmPerUnit);
    // Without check files only the outcome of each label is kept, for the warnings.
    kolvo::TTraceRecord trace(!options.Checks.empty());
    std::vector<std::string> checkTexts;
    const auto tallied = [&](const kolvo::TDrawing& traced, const kolvo::TTally& tally) {
        if (!options.Weights.empty()) {
            for (const kolvo::TTallyRecord& record : tally) {
                masses.Add(record.Label.view(), record.Length);
            }
        }
        for (const std::string& check : options.Checks) {
            switch (kolvo::CheckFormatOf(ExtensionOf(check))) {
            case kolvo::TCheckFormat::List:
                checkTexts.push_back(kolvo::CheckListText(trace));
                break;
            case kolvo::TCheckFormat::Drawing:
                checkTexts.push_back(kolvo::CheckDrawingText(trace, traced));
                break;
            default:
                checkTexts.push_back(kolvo::CheckPictureText(trace, traced));
                break;
            }
        }
    };

    std::vector<std::string> refusals;
    std::string failure;
    try {
        kolvo::TallyBarsFromDxf(drawing, names.AnalysisReport, tallied, &trace,
                                [&refusals](const std::string& text) { refusals.push_back(text); });
    } catch (const std::bad_alloc&) {
        failure = "メモリが足りません";
    } catch (const std::exception& e) {
        // EConvertError and EInOutError carry the user's message texts in CP932.
        failure = e.what();
    }
    // Until here the user's reports are untouched; they are replaced only by a complete pair.
    if (!failure.empty()) {
        kolvo::RemoveStagedReports(names);
        return Failed(failure);
    }
    if (!refusals.empty()) {
        kolvo::RemoveStagedReports(names);
        for (const std::string& text : refusals) {
            TConsoleLine()
                .Text("kolvo-tally: ")
                .Text(text)
                .Text(": ")
                .Name(summary)
                .WriteTo(stderr);
        }
        return ExitAnalysisFailed;
    }
    if (const std::string failed = kolvo::MoveStagedReports(names); !failed.empty()) {
        return CannotWrite(failed);
    }
    TConsoleLine().Text("集計結果を").Name(summary).Text("へ保存しました").WriteTo(stdout);
    Warn(trace);
    // What comes from the reports is written only beside a complete pair of them.
    int status = ExitOk;
    if (!options.Weights.empty()) {
        if (kolvo::WriteFileWhole(options.Weights, masses.FileText())) {
            TConsoleLine()
                .Text("鉄筋重量表を")
                .Name(options.Weights)
                .Text("へ保存しました")
                .WriteTo(stdout);
        } else {
            status = CannotWrite(options.Weights);
        }
    }
    for (std::size_t i = 0; i < options.Checks.size(); ++i) {
        if (kolvo::WriteFileWhole(options.Checks[i], checkTexts[i])) {
            TConsoleLine()
                .Text("確認用のファイルを")
                .Name(options.Checks[i])
                .Text("へ保存しました")
                .WriteTo(stdout);
        } else {
            status = CannotWrite(options.Checks[i]);
        }
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    TOptions options;
    std::vector<std::string> names;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            names.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            PrintHelp();
            return ExitOk;
        } else if (arg == "--version") {
            TConsoleLine().Text("kolvo-tally " KOLVO_VERSION).WriteTo(stdout);
            return ExitOk;
        } else if (arg == "--weights" || arg == "--mm-per-unit" || arg == "--check") {
            if (i + 1 >= argc) {
                return UsageError("オプションの値がありません: ", arg);
            }
            const std::string value = argv[++i];
            if (arg == "--check") {
                if (kolvo::CheckFormatOf(ExtensionOf(value)) == kolvo::TCheckFormat::Unknown) {
                    return UsageError("確認ファイルの拡張子は .csv、.dxf、.svg のどれかです: ",
                                      value);
                }
                options.Checks.push_back(value);
            } else if (arg == "--weights") {
                if (value.empty()) {
                    return UsageError("重量表の名前が空です");
                }
                options.Weights = value;
            } else if (const auto mm = kolvo::ParseMmPerUnit(value)) {
                options.MmPerUnit = *mm;
            } else {
                return UsageError("--mm-per-unit には正の数を指定してください: ", value);
            }
        } else {
            return UsageError("知らないオプションです: ", arg);
        }
    }
    if (names.size() != 2) {
        return UsageError(names.size() < 2 ? "図面ファイルと報告ファイルを指定してください"
                                           : "引数が多すぎます");
    }
    if (names[1].empty()) {
        return UsageError("報告ファイルの名前が空です");
    }
    options.Drawing = names[0];
    options.Report = names[1];
    return Tally(options);
}
