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

// The host dialogue: selection, then export with the file dialogs off. Whatever way it ends,
// the host's file dialogs are switched back on once they were switched off.
void DriveHostExport(RunEnvironment& env, const std::string& dxfPath) {
    env.TypeCommand(SelectPreviousText);
    env.TypeCommand(StartSelectText);

    // The user picks objects in the host for as long as it takes; the wait has no count limit.
    for (;;) {
        env.Pause();
        if (env.SelectionAbandoned()) {
            return;
        }
        if (env.ReadCommandLine() == IdlePrompt) {
            break;
        }
    }

    env.TypeCommand(FileDialogsOffText);
    env.TypeCommand(env.AnsiToUtf16(ExportCommandText(dxfPath)));

    for (int polls = 0; polls < ExportWaitPolls; ++polls) {
        env.Pause();
        if (env.ProgramClosing()) {
            break;
        }
        const ExportPollAction action = DecideExportPoll(env.ReadCommandLine());
        for (int i = 0; i < action.answers; ++i) {
            env.TypeCommand(AnswerYesText);
        }
        if (action.done) {
            break;
        }
    }
    env.TypeCommand(FileDialogsOnText);
}

} // namespace

RunPaths RunQuantity(RunEnvironment& env, std::string_view baseName) {
    const std::string reportName = env.ReportName();
    if (reportName.empty()) {
        env.ShowError(std::string(EmptyNameMessage));
        return {};
    }
    env.MinimiseDialog();

    RunPaths paths{DialogDxfPath(baseName), DialogReportPath(reportName)};
    env.DeleteFileIfAny(paths.dxfPath);
    env.DeleteFileIfAny(paths.reportPath);

    NoticeWindow noticeWindow = 0;
    if (env.ActivateHost()) {
        noticeWindow = env.FindCommandLine();
        DriveHostExport(env, paths.dxfPath);
    }
    if (env.ProgramClosing()) {
        return paths;
    }

    env.RestoreDialog();
    if (env.FileExists(paths.dxfPath)) {
        env.Analyse(paths.dxfPath, paths.reportPath);
    }
    if (noticeWindow != 0 && env.FileExists(paths.reportPath)) {
        env.PaintNotice(noticeWindow, "集計結果を" + paths.reportPath + "へ保存しました");
    }
    return paths;
}

} // namespace kolvo
