// The quantity run against a scripted host: which texts are typed, in which order, and what
// happens to the files, the dialog and the notice.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "QuantityRun.h"

namespace kolvo {
namespace {

std::string Utf16ToAscii(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c));
    }
    return out;
}

// Records every step as a line of text; the command line answers from a script, one line per
// read, repeating the last line when the script runs out.
class ScriptedEnvironment : public RunEnvironment {
public:
    std::string reportName = "C:\\data\\bars";
    bool hostPresent = true;
    NoticeWindow commandLine = 42;
    std::deque<std::string> lines;
    std::set<std::string> files;
    int closeAfterPauses = -1; // the program starts closing after this many pauses
    int hostGoneAfterPauses = -1;
    bool analysisWritesReport = true;
    // The host does not take the text typed as number `failingText` (0 is the first) this way.
    int failingText = -1;
    SendOutcome failure = SendOutcome::NoAnswer;
    int typed = 0;
    TRunAnalysis analysis; // what the analysis leaves for the run to show
    bool answerYes = false;

    std::vector<std::string> log;
    int pauses = 0;

    std::string ReportName() override { return reportName; }
    void ShowError(const std::string& message) override { log.push_back("error " + message); }
    void MinimiseDialog() override { log.push_back("minimise"); }
    void RestoreDialog() override { log.push_back("restore"); }
    void DeleteFileIfAny(const std::string& path) override {
        files.erase(path);
        log.push_back("delete " + path);
    }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    bool ActivateHost() override {
        log.push_back("activate");
        return hostPresent;
    }
    NoticeWindow FindCommandLine() override { return commandLine; }
    SendOutcome TypeCommand(std::u16string_view text) override {
        log.push_back("type " + Utf16ToAscii(text));
        return typed++ == failingText ? failure : SendOutcome::Sent;
    }
    std::u16string AnsiToUtf16(std::string_view text) override {
        return std::u16string(text.begin(), text.end());
    }
    std::string ReadCommandLine() override {
        if (lines.empty()) {
            return std::string(IdlePrompt);
        }
        std::string line = lines.front();
        if (lines.size() > 1) {
            lines.pop_front();
        }
        return line;
    }
    void Pause() override { ++pauses; }
    bool SelectionAbandoned() override {
        return ProgramClosing() || (hostGoneAfterPauses >= 0 && pauses >= hostGoneAfterPauses);
    }
    bool ProgramClosing() override { return closeAfterPauses >= 0 && pauses >= closeAfterPauses; }
    TRunAnalysis Analyse(const std::string& dxfPath, const std::string& reportPath,
                         const std::string& pagePath) override {
        log.push_back("analyse " + dxfPath + " " + reportPath + " " + pagePath);
        if (analysisWritesReport) {
            files.insert(reportPath);
        }
        return analysis;
    }
    bool AskYesNo(const std::string& text) override {
        log.push_back("ask " + text);
        return answerYes;
    }
    void OpenPage(const std::string& path) override { log.push_back("open " + path); }
    void PaintNotice(NoticeWindow window, const std::string& text) override {
        log.push_back("notice " + std::to_string(window) + " " + text);
    }
};

const std::string kBase = "C:\\Users\\u\\AppData\\Roaming\\Vantorel\\241207090503.scr";
const std::string kDxf = "C:\\Users\\u\\AppData\\Roaming\\Vantorel\\241207090503.dxf";

TEST(QuantityRunTexts, CommandTextsAreExact) {
    EXPECT_EQ(SelectPreviousText, u"\x0003SELECT P\x000DU\x000D\x000D");
    EXPECT_EQ(SelectPreviousText.size(), 13u);
    EXPECT_EQ(StartSelectText, u"\x0003SELECT ");
    EXPECT_EQ(FileDialogsOffText, u"FILEDIA 0 ");
    EXPECT_EQ(AnswerYesText, u"Y\x000D");
    EXPECT_EQ(FileDialogsOnText, u"FILEDIA 1 ");
    EXPECT_EQ(IdlePrompt, "\x83\x52\x83\x7D\x83\x93\x83\x68: ");

    const std::string path = "C:\\\x95\x5C\\a.dxf"; // a folder named 表
    const std::string text = ExportCommandText(path);
    EXPECT_EQ(text, "DXFOUT \"" + path + "\"\rVER 2000 OBJ PREV \r16 ");
    EXPECT_EQ(text.size(), 32 + path.size());
}

TEST(QuantityRunTexts, ExportPollAnswersEachQuestionAndEndsOnPromptOrEmpty) {
    EXPECT_EQ(DecideExportPoll("既存のファイルを置き換えますか? <N>").answers, 1);
    EXPECT_EQ(DecideExportPoll("書き出しますか? 置き換えますか?").answers, 2);
    EXPECT_FALSE(DecideExportPoll("書き出しますか?").done);
    EXPECT_TRUE(DecideExportPoll(IdlePrompt).done);
    EXPECT_TRUE(DecideExportPoll("").done);
    EXPECT_FALSE(DecideExportPoll("コマンド: DXFOUT").done); // extra text after the prompt
    EXPECT_EQ(DecideExportPoll("コマンド: ").answers, 0);
}

TEST(QuantityRunPaths, ReportPathReplacesOnlyTheFileExtension) {
    EXPECT_EQ(DialogReportPath("C:\\data\\bars.txt"), "C:\\data\\bars.csv");
    EXPECT_EQ(DialogReportPath("C:\\data\\bars"), "C:\\data\\bars.csv");
    EXPECT_EQ(DialogReportPath("C:\\data.old\\bars"), "C:\\data.old\\bars.csv");
    EXPECT_EQ(DialogDxfPath(kBase), kDxf);
}

TEST(QuantityRun, EmptyNameShowsTheMessageAndDoesNothingElse) {
    ScriptedEnvironment env;
    env.reportName = "";
    env.files = {kDxf};
    RunQuantity(env, kBase);
    ASSERT_EQ(env.log.size(), 1u);
    EXPECT_EQ(env.log[0], "error 保存ファイル名が指定されていません");
    EXPECT_TRUE(env.FileExists(kDxf));

    ScriptedEnvironment blanks; // blanks are a name
    blanks.reportName = " ";
    RunQuantity(blanks, kBase);
    EXPECT_EQ(blanks.log[0], "minimise");
}

TEST(QuantityRun, FullRunTypesTheTextsInOrderAndPaintsTheNotice) {
    ScriptedEnvironment env;
    env.lines = {"オブジェクトを選択: ",
                 "オブジェクトを選択: ",
                 "コマンド: ",
                 "既存のファイルを置き換えますか? <N>",
                 "DXFOUT",
                 "コマンド: "};
    env.files = {kDxf, "C:\\data\\bars.csv"};
    RunQuantity(env, kBase);
    // The earlier export and summary were deleted before the host was asked for anything.
    const std::vector<std::string> expectedStart = {
        "minimise", "delete " + kDxf,           "delete C:\\data\\bars.csv",
        "activate", "type \x03SELECT P\rU\r\r", "type \x03SELECT "};
    ASSERT_GE(env.log.size(), expectedStart.size());
    EXPECT_EQ(std::vector<std::string>(env.log.begin(), env.log.begin() + 6), expectedStart);
    const std::vector<std::string> expectedRest = {"type FILEDIA 0 ",
                                                   "type " + ExportCommandText(kDxf), "type Y\r",
                                                   "type FILEDIA 1 ", "restore"};
    EXPECT_EQ(std::vector<std::string>(env.log.begin() + 6, env.log.end()), expectedRest);
    EXPECT_EQ(env.pauses, 6); // three selection polls, three export polls
}

// A host that writes the export when it is told to.
class Exporting : public ScriptedEnvironment {
public:
    SendOutcome TypeCommand(std::u16string_view text) override {
        if (text.substr(0, 6) == u"DXFOUT") {
            files.insert(kDxf);
        }
        return ScriptedEnvironment::TypeCommand(text);
    }
};

TEST(QuantityRun, AnalysesWhenTheExportExistsAndPaintsOnlyWithAReport) {
    Exporting env;
    RunQuantity(env, kBase);
    ASSERT_GE(env.log.size(), 3u);
    EXPECT_EQ(env.log[env.log.size() - 3], "restore");
    EXPECT_EQ(env.log[env.log.size() - 2],
              "analyse " + kDxf + " C:\\data\\bars.csv C:\\data\\bars.check.html");
    EXPECT_EQ(env.log.back(), "notice 42 集計結果をC:\\data\\bars.csvへ保存しました");

    Exporting noReport;
    noReport.analysisWritesReport = false;
    RunQuantity(noReport, kBase);
    EXPECT_EQ(noReport.log.back(),
              "analyse " + kDxf + " C:\\data\\bars.csv C:\\data\\bars.check.html");
}

TEST(QuantityRun, AfterTheNoticeItSaysWhatNeedsALookAndOpensThePageWhenAsked) {
    const std::string question = "集計結果に確認が必要な所があります。\n\n"
                                 "鉄筋を数えられなかった符号: 3 個\n二重に数えた鉄筋: 1 本\n"
                                 "注意: 2 件\n\n確認ページを開きますか?";
    const struct {
        TRunAnalysis analysis;
        bool answerYes;
        std::vector<std::string> after; // what follows the notice
    } cases[] = {
        // Nothing to look at: the specified run and the page, nothing more.
        {{true, true, {}}, true, {}},
        {{true, true, {3, 1, 2}}, false, {"ask " + question}},
        {{true, true, {3, 1, 2}}, true, {"ask " + question, "open C:\\data\\bars.check.html"}},
        {{true, true, {0, 0, 1}}, false, {"ask " + LookQuestionText({0, 0, 1})}},
        // The page could not be written: said, and nothing is offered to open.
        {{true, false, {3, 1, 2}},
         true,
         {"error 確認ページを書けません: C:\\data\\bars.check.html"}},
        // No reports (the summary could not be created, already said): nothing.
        {{false, false, {}}, true, {}},
    };
    for (const auto& c : cases) {
        Exporting env;
        env.analysis = c.analysis;
        env.answerYes = c.answerYes;
        RunQuantity(env, kBase);
        const auto notice = std::find_if(env.log.begin(), env.log.end(), [](const std::string& e) {
            return e.starts_with("notice ");
        });
        ASSERT_NE(notice, env.log.end());
        EXPECT_EQ(std::vector<std::string>(notice + 1, env.log.end()), c.after);
    }
    EXPECT_EQ(CheckPagePath("C:\\\x8f\x57\x8c\x76\\\x94\x7a\x8b\xd8.csv"),
              "C:\\\x8f\x57\x8c\x76\\\x94\x7a\x8b\xd8.check.html"); // C:\集計\配筋
}

TEST(QuantityRun, NoHostOrNoCommandLineTypesNothingAndSaysSo) {
    ScriptedEnvironment noHost;
    noHost.hostPresent = false;
    noHost.files = {kDxf, "C:\\data\\bars.csv"};
    RunQuantity(noHost, kBase);
    const std::vector<std::string> start = {"minimise", "delete " + kDxf,
                                            "delete C:\\data\\bars.csv", "activate", "restore"};
    std::vector<std::string> expected = start;
    expected.push_back("error " + std::string(HostNotFoundMessage));
    EXPECT_EQ(noHost.log, expected);
    EXPECT_TRUE(noHost.files.empty());

    ScriptedEnvironment noCommandLine; // the selection wait could never end
    noCommandLine.commandLine = 0;
    noCommandLine.files = {kDxf};
    RunQuantity(noCommandLine, kBase);
    expected = start;
    expected.push_back("error " + std::string(CommandLineNotFoundMessage));
    EXPECT_EQ(noCommandLine.log, expected);
    EXPECT_EQ(noCommandLine.pauses, 0);
}

TEST(QuantityRun, AHostThatDoesNotTakeATextEndsTheRunWithItsMessage) {
    const std::string off = "type FILEDIA 0 ", on = "type FILEDIA 1 ",
                      exportText = "type " + ExportCommandText(kDxf);
    const struct {
        int failingText;
        SendOutcome failure;
        std::vector<std::string> typedAfterSelection; // from FILEDIA 0 on
        std::string_view message;
    } cases[] = {
        {0, SendOutcome::Refused, {}, HostRefusedMessage},
        {1, SendOutcome::NoAnswer, {}, HostNotAnsweringMessage},
        // Refused: the file dialogs were never switched off, so nothing more is typed.
        {2, SendOutcome::Refused, {off}, HostRefusedMessage},
        // Not answered in time: the host may still have switched them off.
        {2, SendOutcome::NoAnswer, {off, on}, HostNotAnsweringMessage},
        {3, SendOutcome::NoAnswer, {off, exportText, on}, HostNotAnsweringMessage},
        {4, SendOutcome::Refused, {off, exportText, "type Y\r", on}, HostRefusedMessage},
        {5, SendOutcome::NoAnswer, {off, exportText, "type Y\r", on}, HostNotAnsweringMessage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failingText);
        ScriptedEnvironment env;
        env.lines = {"コマンド: ", "置き換えますか?", "コマンド: "};
        env.files = {kDxf}; // whatever is there is not analysed
        env.failingText = c.failingText;
        env.failure = c.failure;
        RunQuantity(env, kBase);
        std::vector<std::string> typed;
        for (const std::string& entry : env.log) {
            if (entry.starts_with("type ") && entry != "type \x03SELECT P\rU\r\r" &&
                entry != "type \x03SELECT ") {
                typed.push_back(entry);
            }
        }
        EXPECT_EQ(typed, c.typedAfterSelection);
        ASSERT_GE(env.log.size(), 2u);
        EXPECT_EQ(env.log[env.log.size() - 2], "restore");
        EXPECT_EQ(env.log.back(), "error " + std::string(c.message));
    }
}

TEST(QuantityRun, ExportWaitGivesUpAfterSixHundredPollsAndStillSwitchesDialogsOn) {
    ScriptedEnvironment env;
    env.lines = {"コマンド: ", "DXFOUT 書き出し中"};
    RunQuantity(env, kBase);
    EXPECT_EQ(env.pauses, 1 + ExportWaitPolls);
    EXPECT_EQ(env.log[env.log.size() - 2], "type FILEDIA 1 ");
}

TEST(QuantityRun, AQuestionStillShowingIsAnsweredAgainAtTheNextPoll) {
    ScriptedEnvironment env;
    env.lines = {"コマンド: ", "書き出しますか? 置き換えますか?", "置き換えますか?", ""};
    RunQuantity(env, kBase);
    int answers = 0;
    for (const auto& entry : env.log) {
        answers += entry == "type Y\r";
    }
    EXPECT_EQ(answers, 3);
    EXPECT_EQ(env.pauses, 4); // the empty line ended the export wait
}

TEST(QuantityRun, ClosingDuringSelectionTypesNothingFurther) {
    ScriptedEnvironment env;
    env.lines = {"オブジェクトを選択: "};
    env.closeAfterPauses = 5;
    env.files = {"C:\\data\\other.csv"};
    RunQuantity(env, kBase);
    EXPECT_EQ(env.log.back(), "type \x03SELECT ");
    EXPECT_EQ(env.pauses, 5);
}

TEST(QuantityRun, ClosingDuringExportStillSwitchesFileDialogsOn) {
    ScriptedEnvironment env;
    env.lines = {"コマンド: ", "DXFOUT"};
    env.closeAfterPauses = 3;
    RunQuantity(env, kBase);
    EXPECT_EQ(env.log.back(), "type FILEDIA 1 ");
}

TEST(QuantityRun, HostClosedDuringSelectionEndsTheWaitAndRestoresTheDialog) {
    ScriptedEnvironment env;
    env.lines = {"オブジェクトを選択: "};
    env.hostGoneAfterPauses = 7;
    RunQuantity(env, kBase);
    EXPECT_EQ(env.pauses, 7);
    EXPECT_EQ(env.log.back(), "restore");
    for (const auto& entry : env.log) {
        EXPECT_NE(entry, "type FILEDIA 0 ");
    }
}

} // namespace
} // namespace kolvo
