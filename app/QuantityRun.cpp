#include "QuantityRun.h"

#include "FileNames.h"
#include "ShiftJis.h"

namespace kolvo {

const std::string_view IdlePrompt = "コマンド: ";

const std::u16string_view SelectPreviousText = u"\x0003SELECT P\rU\r\r";
const std::u16string_view StartSelectText = u"\x0003SELECT ";
const std::u16string_view FileDialogsOffText = u"FILEDIA 0 ";
const std::u16string_view AnswerYesText = u"Y\r";
const std::u16string_view FileDialogsOnText = u"FILEDIA 1 ";

const std::string_view HostNotFoundMessage =
    "AutoCAD が見つかりません。AutoCAD (日本語版) を起動してから実行してください";
const std::string_view CommandLineNotFoundMessage =
    "AutoCAD のコマンドラインが見つかりません。コマンドラインを表示してから実行してください";
const std::string_view HostRefusedMessage =
    "AutoCAD が管理者として実行されています。Kolvo も同じ権限で起動してください";
const std::string_view HostNotAnsweringMessage = "AutoCAD が応答しません";
const std::string_view PageNotWrittenMessage = "確認ページを書けません: ";

std::string LookQuestionText(const TLookCounts& counts) {
    return "集計結果に確認が必要な所があります。\n\n鉄筋を数えられなかった符号: " +
           std::to_string(counts.Uncounted) +
           " 個\n二重に数えた鉄筋: " + std::to_string(counts.Doubles) +
           " 本\n注意: " + std::to_string(counts.Notes) + " 件\n\n確認ページを開きますか?";
}

std::string CheckPagePath(std::string_view reportPath) {
    return ChangeFileExt(reportPath, ".check.html");
}

namespace {
const std::string_view EmptyNameMessage = "保存ファイル名が指定されていません";
const std::string_view ExportQuestion = "書き出しますか";
const std::string_view OverwriteQuestion = "置き換えますか";
} // namespace

std::string ExportCommandText(std::string_view dxfPath) {
    std::string text;
    for (std::string_view piece : {std::string_view("DXFOUT \""), dxfPath, std::string_view("\""),
                                   std::string_view("\r"), std::string_view("VER 2000 OBJ PREV "),
                                   std::string_view("\r"), std::string_view("16 ")}) {
        text.append(piece);
    }
    return text;
}

ExportPollAction DecideExportPoll(std::string_view commandLine) {
    ExportPollAction action;
    // The host's questions are Japanese text, so the search must not start inside a character.
    if (SjisFind(commandLine, ExportQuestion) != std::string_view::npos) {
        ++action.answers;
    }
    if (SjisFind(commandLine, OverwriteQuestion) != std::string_view::npos) {
        ++action.answers;
    }
    action.done = commandLine == IdlePrompt || commandLine.empty();
    return action;
}

namespace {

// The message that ends the run when the host did not take a text; empty when it did, or when
// it has gone (the waits notice that themselves).
std::string_view FailureOf(SendOutcome outcome) {
    switch (outcome) {
    case SendOutcome::Refused:
        return HostRefusedMessage;
    case SendOutcome::NoAnswer:
        return HostNotAnsweringMessage;
    case SendOutcome::Sent:
    case SendOutcome::NoHost:
        break;
    }
    return {};
}

// The host dialogue: selection, then export with the file dialogs off. Whatever way it ends,
// the host's file dialogs are switched back on once they were switched off. Returns the message
// that ends the run, empty when the dialogue went as far as it could.
std::string_view DriveHostExport(RunEnvironment& env, const std::string& dxfPath) {
    for (std::u16string_view text : {SelectPreviousText, StartSelectText}) {
        if (const std::string_view failure = FailureOf(env.TypeCommand(text)); !failure.empty()) {
            return failure;
        }
    }

    // The user picks objects in the host for as long as it takes; the wait has no count limit.
    for (;;) {
        env.Pause();
        if (env.SelectionAbandoned()) {
            return {};
        }
        if (env.ReadCommandLine() == IdlePrompt) {
            break;
        }
    }

    const SendOutcome off = env.TypeCommand(FileDialogsOffText);
    std::string_view failure = FailureOf(off);
    // A host that was too slow to answer may still have switched them off.
    const bool switchedOff = off == SendOutcome::Sent || off == SendOutcome::NoAnswer;
    if (failure.empty()) {
        failure = FailureOf(env.TypeCommand(env.AnsiToUtf16(ExportCommandText(dxfPath))));
    }
    for (int polls = 0; failure.empty() && polls < ExportWaitPolls; ++polls) {
        env.Pause();
        if (env.ProgramClosing()) {
            break;
        }
        const ExportPollAction action = DecideExportPoll(env.ReadCommandLine());
        for (int i = 0; failure.empty() && i < action.answers; ++i) {
            failure = FailureOf(env.TypeCommand(AnswerYesText));
        }
        if (action.done) {
            break;
        }
    }
    if (switchedOff) {
        const std::string_view onFailure = FailureOf(env.TypeCommand(FileDialogsOnText));
        if (failure.empty()) {
            failure = onFailure;
        }
    }
    return failure;
}

} // namespace

RunPaths RunQuantity(RunEnvironment& env, std::string_view baseName) {
    const std::string reportName = env.ReportName();
    if (reportName.empty()) {
        env.ShowError(std::string(EmptyNameMessage));
        return {};
    }
    env.MinimiseDialog();

    RunPaths paths{DialogDxfPath(baseName), DialogReportPath(reportName), {}};
    paths.pagePath = CheckPagePath(paths.reportPath);
    env.DeleteFileIfAny(paths.dxfPath);
    env.DeleteFileIfAny(paths.reportPath);

    NoticeWindow noticeWindow = 0;
    std::string_view failure = HostNotFoundMessage;
    if (env.ActivateHost()) {
        noticeWindow = env.FindCommandLine();
        // Without a command line the selection wait could never see the host's prompt.
        failure =
            noticeWindow == 0 ? CommandLineNotFoundMessage : DriveHostExport(env, paths.dxfPath);
    }
    if (env.ProgramClosing()) {
        return paths;
    }

    env.RestoreDialog();
    if (!failure.empty()) {
        env.ShowError(std::string(failure));
        return paths;
    }
    TRunAnalysis analysis;
    if (env.FileExists(paths.dxfPath)) {
        analysis = env.Analyse(paths.dxfPath, paths.reportPath, paths.pagePath);
    }
    if (noticeWindow != 0 && env.FileExists(paths.reportPath)) {
        env.PaintNotice(noticeWindow, "集計結果を" + paths.reportPath + "へ保存しました");
    }
    // What follows the specified run: the user learns that something needs a look.
    if (analysis.Reported && !analysis.PageWritten) {
        env.ShowError(std::string(PageNotWrittenMessage) + paths.pagePath);
    } else if (analysis.PageWritten && analysis.Look.Any() &&
               env.AskYesNo(LookQuestionText(analysis.Look))) {
        env.OpenPage(paths.pagePath);
    }
    return paths;
}

} // namespace kolvo
