#include "Options.h"

#include <charconv>
#include <cstdio>

#include "CheckOutputs.h"
#include "ConsoleText.h"
#include "Errors.h"
#include "FileNames.h"
#include "MassTable.h"

namespace kolvo {

namespace {

constexpr std::string_view Usage =
    "使い方: kolvo-tally [--weights 重量表.csv] [--mm-per-unit 数] [--check 確認ファイル]... "
    "図面.dxf 報告ファイル";
constexpr std::string_view ProjectUsage =
    "        kolvo-tally --project 出力フォルダー [--jobs 数] [--mm-per-unit 数] 図面か"
    "フォルダー...";

void PrintHelp() {
    const char* const lines[] = {
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
        "                        .html 印刷できる確認ページ (図面・確認表・集計表・重量表)",
        "  --project フォルダー  多くの図面をまとめて集計します (プロジェクト): 図面ごとの集計表・",
        "                        明細・重量表・確認ページと、全体の "
        "project.csv・project.mass.csv・",
        "                        project.html をフォルダーに書きます。フォルダーを指定すると、",
        "                        その下の .dxf をすべて集計します",
        "  --jobs 数             プロジェクトで同時に集計する図面の数 (既定は CPU の数)",
        "  --                    これより後はオプションではありません",
        "  --help                この説明を表示します",
        "  --version             版を表示します",
        "",
        "終了コード: 0 集計結果を保存した  1 集計できなかった  "
        "2 使い方の誤り、または図面ファイルがない",
    };
    TConsoleLine().Text(Usage).WriteTo(stdout);
    TConsoleLine().Text(ProjectUsage).WriteTo(stdout);
    for (const char* line : lines) {
        TConsoleLine().Text(line).WriteTo(stdout);
    }
}

// Takes the value of an option that has one; false with the error said when it is not good.
bool TakeValue(TOptions& options, const std::string& option, const std::string& value, int& exit) {
    if (option == "--check") {
        if (CheckFormatOf(CommandLineExtension(value)) == TCheckFormat::Unknown) {
            exit =
                UsageError("確認ファイルの拡張子は .csv、.dxf、.svg、.html のどれかです: ", value);
            return false;
        }
        options.Checks.push_back(value);
    } else if (option == "--project") {
        if (value.empty()) {
            exit = UsageError("出力フォルダーの名前が空です");
            return false;
        }
        options.Project = value;
    } else if (option == "--jobs") {
        unsigned jobs = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), jobs);
        if (value.empty() || error != std::errc() || end != value.data() + value.size() ||
            jobs == 0 || jobs > 256) {
            exit = UsageError("--jobs には 1 から 256 の数を指定してください: ", value);
            return false;
        }
        options.Jobs = jobs;
    } else if (option == "--weights") {
        if (value.empty()) {
            exit = UsageError("重量表の名前が空です");
            return false;
        }
        options.Weights = value;
    } else if (const auto mm = ParseMmPerUnit(value)) {
        options.MmPerUnit = *mm;
    } else {
        exit = UsageError("--mm-per-unit には正の数を指定してください: ", value);
        return false;
    }
    return true;
}

} // namespace

int UsageError(std::string_view problem, std::string_view name) {
    TConsoleLine().Text("kolvo-tally: ").Text(problem).Name(name).WriteTo(stderr);
    TConsoleLine().Text(Usage).WriteTo(stderr);
    TConsoleLine().Text(ProjectUsage).WriteTo(stderr);
    TConsoleLine().Text("詳しくは kolvo-tally --help").WriteTo(stderr);
    return ExitUsage;
}

int RunFailed(std::string_view cp932Message) {
    TConsoleLine().Text("kolvo-tally: ").Text(cp932Message).WriteTo(stderr);
    return ExitAnalysisFailed;
}

int CannotWrite(std::string_view name) {
    TConsoleLine()
        .Text("kolvo-tally: ")
        .Text(CannotCreateFileMessage)
        .Text(": ")
        .Name(name)
        .WriteTo(stderr);
    return ExitAnalysisFailed;
}

TParsed ParseArguments(int argc, char** argv) {
    TParsed parsed;
    std::vector<std::string> names;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            names.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            PrintHelp();
            parsed.Exit = ExitOk;
            return parsed;
        } else if (arg == "--version") {
            TConsoleLine().Text("kolvo-tally " KOLVO_VERSION).WriteTo(stdout);
            parsed.Exit = ExitOk;
            return parsed;
        } else if (arg == "--weights" || arg == "--mm-per-unit" || arg == "--check" ||
                   arg == "--project" || arg == "--jobs") {
            if (i + 1 >= argc) {
                parsed.Exit = UsageError("オプションの値がありません: ", arg);
                return parsed;
            }
            if (!TakeValue(parsed.Options, arg, argv[++i], parsed.Exit)) {
                return parsed;
            }
        } else {
            parsed.Exit = UsageError("知らないオプションです: ", arg);
            return parsed;
        }
    }
    TOptions& options = parsed.Options;
    if (!options.Project.empty()) {
        // A project writes its own files: the options of a single run's extra files do not
        // go with it.
        if (!options.Weights.empty() || !options.Checks.empty()) {
            parsed.Exit = UsageError("--project と一緒には使えないオプションです: ",
                                     options.Weights.empty() ? "--check" : "--weights");
        } else if (names.empty()) {
            parsed.Exit = UsageError("集計する図面かフォルダーを指定してください");
        } else {
            options.Inputs = names;
        }
        return parsed;
    }
    if (options.Jobs != 0) {
        parsed.Exit = UsageError("--jobs は --project と一緒に使います");
    } else if (names.size() != 2) {
        parsed.Exit = UsageError(names.size() < 2 ? "図面ファイルと報告ファイルを指定してください"
                                                  : "引数が多すぎます");
    } else if (names[1].empty()) {
        parsed.Exit = UsageError("報告ファイルの名前が空です");
    } else {
        parsed.Options.Drawing = names[0];
        parsed.Options.Report = names[1];
    }
    return parsed;
}

} // namespace kolvo
