// The quantity run from a press of "実　行", against the stand-in CAD host running as a program of
// its own: what the host receives, byte for byte and in order, the files left behind, what the
// user is shown, and how the run ends when the host or the dialog goes away under it.
#include "Acad11ACtrl.h"
#include "KolvoZokuseiU.h"
#include "ProcessWindows.h"
#include "ProgramProcess.h"
#include "Shell.h"
#include "StandInProcess.h"
#include "TestDrawings.h"
#include "TestFiles.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <functional>
#include <map>
#include <memory>

namespace kolvo {
namespace {

using test::FindProcessWindow;
using test::ReceivedAnsi;
using test::ReceivedUnicode;
using test::StandInProcess;
using test::WaitFor;
using test::Wide;
using test::WindowsPath;
using testing::FileExists;
using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

std::string Sample(const std::string& name) {
    return WindowsPath(KOLVO_SAMPLES_DIR) + "\\" + name;
}

// Actions the test takes while the run waits for the host: the run handles this thread's
// messages between its polls, so a thread timer fires in the middle of it.
std::map<UINT_PTR, std::function<void()>>& PendingActions() {
    static std::map<UINT_PTR, std::function<void()>> actions;
    return actions;
}

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto found = PendingActions().find(id);
    if (found == PendingActions().end()) {
        return;
    }
    std::function<void()> action = std::move(found->second);
    PendingActions().erase(found);
    action();
}

// Runs `action` at the run's first look at its messages after `milliseconds`.
void During(UINT milliseconds, std::function<void()> action) {
    const UINT_PTR id = SetTimer(nullptr, 0, milliseconds, RunPendingAction);
    PendingActions()[id] = std::move(action);
}

// Runs `action` at the run's first look at its messages once `condition` holds.
void When(std::function<bool()> condition, std::function<void()> action) {
    if (condition()) {
        action();
        return;
    }
    During(50, [condition = std::move(condition), action = std::move(action)]() mutable {
        When(std::move(condition), std::move(action));
    });
}

void HandleMessagesFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

// The command texts as the host must receive them.
const std::string SelectPrevious = ReceivedUnicode(L"\x0003SELECT P\rU\r\r");
const std::string StartSelect = ReceivedUnicode(L"\x0003SELECT ");
const std::string FileDialogsOff = ReceivedUnicode(L"FILEDIA 0 ");
const std::string AnswerYes = ReceivedUnicode(L"Y\r");
const std::string FileDialogsOn = ReceivedUnicode(L"FILEDIA 1 ");

std::string Export(const std::string& dxfPath) {
    return ReceivedUnicode(L"DXFOUT \"" + Wide(dxfPath) + L"\"\rVER 2000 OBJ PREV \r16 ");
}

class RunTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 932u) << "run with LANG=ja_JP.UTF-8";
        ASSERT_TRUE(CreateDirectoryA(reportFolder.c_str(), nullptr));
    }
    void TearDown() override {
        for (const auto& [id, action] : PendingActions()) {
            KillTimer(nullptr, id);
        }
        PendingActions().clear();
    }

    DialogServices Services() {
        DialogServices services;
        services.appDataFolder = [this](HWND) { return appData; };
        services.executablePath = [] { return std::string("D:\\bin\\Kolvo.exe"); };
        services.localTime = [] { return LocalTime{2024, 3, 7, 9, 5, 3}; };
        services.browseForSave = [](HWND, std::string&) { return false; };
        services.showError = [this](HWND, const std::string& text) { errors.push_back(text); };
        services.showMessage = [this](HWND, const std::string& text) { messages.push_back(text); };
        services.paintNotice = [this](HWND window, const std::string& text) {
            notices.push_back({window, text});
            SystemDialogServices().paintNotice(window, text);
        };
        services.deliverCommand = [this](HWND window, const COPYDATASTRUCT& record) {
            return deliver(window, record);
        };
        services.askYesNo = [this](const std::string& text) {
            questions.push_back(text);
            return answerYes;
        };
        services.openDocument = [this](const std::string& path) { opened.push_back(path); };
        return services;
    }

    std::unique_ptr<TKolvoZokuSeiF> Open(const std::string& reportName) {
        auto form =
            std::make_unique<TKolvoZokuSeiF>(GetModuleHandleA(nullptr), nullptr, Services(), false);
        EXPECT_TRUE(form->Created());
        form->SetReportName(reportName);
        form->Show();
        return form;
    }

    // "実　行" pressed; returns when the run is over.
    static void Press(TKolvoZokuSeiF& form) {
        SendMessageA(form.Control(IdPlButton1), BM_CLICK, 0, 0);
    }

    static bool ShownNormally(const TKolvoZokuSeiF& form) {
        return IsWindowVisible(form.Handle()) && !IsIconic(form.Handle());
    }

    std::string WorkFolder() const { return appData + "\\Vantorel\\"; }
    // The export under the dialog's twelve-digit base name.
    std::string Dxf() const { return WorkFolder() + "240307090503.dxf"; }

    static std::vector<std::wstring> QuickHost(std::vector<std::wstring> more = {}) {
        std::vector<std::wstring> args = {L"--select-delay=300", L"--export-delay=100",
                                          L"--drawing=" + Wide(Sample("beam-g1.dxf"))};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    TTempFolder scratch;
    // 表 ends in the byte of a backslash: the export path must reach the host whole.
    std::string appData = scratch.Path() + "\x90\x7d\x95\x5c";        // 図表
    std::string reportFolder = scratch.Path() + "\x8f\x57\x8c\x76\\"; // 集計
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    std::vector<std::pair<HWND, std::string>> notices;
    CommandDelivery deliver = DeliverCopyData;
    std::vector<std::string> questions; // asked with Yes and No
    bool answerYes = false;
    std::vector<std::string> opened; // handed to the shell to open
};

TEST_F(RunTest, WholeRunExportsAnswersTalliesAndLeavesTheNotice) {
    StandInProcess host(QuickHost({L"--ask-export"}));
    ASSERT_TRUE(host.Started());
    auto form = Open(reportFolder + "bars.dat");
    // An export already there when the host comes to write: it asks before replacing it.
    During(250, [&] { ASSERT_NO_THROW(WriteBytes(Dxf(), "stale")); });
    Press(*form);

    const std::vector<std::string> expected = {SelectPrevious, StartSelect, FileDialogsOff,
                                               Export(Dxf()),  AnswerYes,   AnswerYes,
                                               FileDialogsOn};
    EXPECT_EQ(host.Received(), expected);
    // Each question was answered once, and the export replaced the file in place.
    EXPECT_EQ(ReadBytes(Dxf()), ReadBytes(Sample("beam-g1.dxf")));
    EXPECT_EQ(ReadBytes(reportFolder + "bars.csv"), ReadBytes(Sample("beam-g1.expected.csv")));
    EXPECT_EQ(ReadBytes(reportFolder + "bars.txt"), ReadBytes(Sample("beam-g1.expected.txt")));
    EXPECT_EQ(form->LastRun().dxfPath, Dxf());
    EXPECT_EQ(form->LastRun().reportPath, reportFolder + "bars.csv");

    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].first, FindHostCommandLine());
    EXPECT_EQ(notices[0].second, "\x8f\x57\x8c\x76\x8c\x8b\x89\xca\x82\xf0" + reportFolder +
                                     "bars.csv\x82\xd6\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb5"
                                     "\x82\xbd"); // 集計結果を … へ保存しました
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(ShownNormally(*form));
    EXPECT_FALSE(form->Running());
}

TEST_F(RunTest, ReportNameGivesTheSummaryAndDetailPaths) {
    StandInProcess host(QuickHost());
    ASSERT_TRUE(host.Started());
    for (const std::string folder : {"data", "data.old"}) {
        ASSERT_TRUE(CreateDirectoryA((scratch.Path() + folder).c_str(), nullptr));
    }
    const std::string data = scratch.Path() + "data\\";
    const std::string old = scratch.Path() + "data.old\\";
    const struct {
        std::string name, summary, detail;
    } cases[] = {
        {data + "bars.txt", data + "bars.csv", data + "bars.txt"},
        {data + "plain", data + "plain.csv", data + "plain.txt"},
        // A dot in a folder name is no extension.
        {old + "bars", old + "bars.csv", old + "bars.txt"},
    };
    auto form = Open("");
    for (const auto& run : cases) {
        SCOPED_TRACE(run.name);
        form->SetReportName(run.name);
        Press(*form);
        EXPECT_EQ(form->LastRun().reportPath, run.summary);
        EXPECT_EQ(ReadBytes(run.summary), ReadBytes(Sample("beam-g1.expected.csv")));
        EXPECT_EQ(ReadBytes(run.detail), ReadBytes(Sample("beam-g1.expected.txt")));
    }
    EXPECT_EQ(notices.size(), 3u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(RunTest, EmptyReportNameIsRefusedBeforeAnythingHappens) {
    StandInProcess host(QuickHost());
    ASSERT_TRUE(host.Started());
    auto form = Open("");
    ASSERT_NO_THROW(WriteBytes(Dxf(), "earlier export"));
    Press(*form);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "\x95\xdb\x91\xb6\x83\x74\x83\x40\x83\x43\x83\x8b\x96\xbc\x82\xaa\x8e"
                           "\x77\x92\xe8\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82"
                           "\xf1"); // 保存ファイル名が指定されていません
    EXPECT_TRUE(host.Received().empty());
    EXPECT_EQ(ReadBytes(Dxf()), "earlier export");
    EXPECT_TRUE(ShownNormally(*form));
}

TEST_F(RunTest, WithoutHostNothingIsTypedAndEarlierFilesAreGone) {
    auto form = Open(reportFolder + "bars");
    ASSERT_NO_THROW(WriteBytes(Dxf(), "earlier export"));
    ASSERT_NO_THROW(WriteBytes(reportFolder + "bars.csv", "D13,1,100\r\n"));
    Press(*form);
    EXPECT_FALSE(FileExists(Dxf()));
    EXPECT_FALSE(FileExists(reportFolder + "bars.csv"));
    EXPECT_FALSE(FileExists(reportFolder + "bars.txt"));
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(messages, std::vector<std::string>{std::string(HostNotFoundMessage)});
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(ShownNormally(*form));
}

TEST_F(RunTest, EveryFormOfTheHostGivesTheSameRun) {
    const std::vector<std::vector<std::wstring>> forms = {
        {L"--modern"}, // today's: AfxMDIFrame140u, "Autodesk AutoCAD 2025 - [構造図.dwg]"
        {},            // Afx:...:8:
        {L"--class=AfxMDIFrame90u", L"--title=AutoCAD LT 2009 - [Drawing1.dwg]"},
        {L"--class=AfxMDIFrame100u"},
        {L"--command-line=floating"},
        {L"--command-line=text-window"},
        {L"--ansi"},
    };
    for (std::size_t i = 0; i < forms.size(); ++i) {
        SCOPED_TRACE("form " + std::to_string(i));
        notices.clear();
        StandInProcess host(QuickHost(forms[i]));
        ASSERT_TRUE(host.Started());
        auto form = Open(reportFolder + "bars");
        Press(*form);
        const bool ansi = i + 1 == forms.size();
        const auto sent = [ansi](const std::string& text) {
            return ansi ? ReceivedAnsi(text) : ReceivedUnicode(Wide(text));
        };
        const std::vector<std::string> expected = {
            sent("\x03SELECT P\rU\r\r"), sent("\x03SELECT "), sent("FILEDIA 0 "),
            sent("DXFOUT \"" + Dxf() + "\"\rVER 2000 OBJ PREV \r16 "), sent("FILEDIA 1 ")};
        EXPECT_EQ(host.Received(), expected);
        EXPECT_EQ(ReadBytes(reportFolder + "bars.csv"), ReadBytes(Sample("beam-g1.expected.csv")));
        EXPECT_EQ(ReadBytes(reportFolder + "bars.txt"), ReadBytes(Sample("beam-g1.expected.txt")));
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].first, FindHostCommandLine());
        EXPECT_TRUE(messages.empty());
    }
}

TEST_F(RunTest, ARunThatCannotWorkSaysWhyAndTypesNothingAfter) {
    const struct {
        std::vector<std::wstring> host;
        int failingText;     // the delivery of this text (0 is the first) goes wrong...
        SendOutcome outcome; // ...this way; a late answer is delivered all the same
        std::vector<std::string> received;
        std::string_view message;
    } cases[] = {
        {{L"--command-line=none"}, -1, SendOutcome::Sent, {}, CommandLineNotFoundMessage},
        {{}, 0, SendOutcome::Refused, {}, HostRefusedMessage},
        {{}, 2, SendOutcome::Refused, {SelectPrevious, StartSelect}, HostRefusedMessage},
        {{},
         3,
         SendOutcome::NoAnswer,
         {SelectPrevious, StartSelect, FileDialogsOff, Export(Dxf()), FileDialogsOn},
         HostNotAnsweringMessage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.failingText) + " " + std::string(c.message));
        messages.clear();
        StandInProcess host(QuickHost(c.host));
        ASSERT_TRUE(host.Started());
        int texts = 0;
        deliver = [&](HWND window, const COPYDATASTRUCT& record) {
            if (texts++ != c.failingText) {
                return DeliverCopyData(window, record);
            }
            if (c.outcome == SendOutcome::NoAnswer) {
                DeliverCopyData(window, record);
            }
            return c.outcome;
        };
        auto form = Open(reportFolder + "bars");
        Press(*form);
        EXPECT_EQ(host.Received(), c.received);
        EXPECT_EQ(messages, std::vector<std::string>{std::string(c.message)});
        EXPECT_FALSE(FileExists(reportFolder + "bars.csv")) << "nothing is analysed";
        EXPECT_TRUE(notices.empty());
        EXPECT_TRUE(ShownNormally(*form));
        EXPECT_FALSE(form->Running());
    }
}

TEST_F(RunTest, HostClosedDuringSelectionEndsTheRun) {
    StandInProcess host({L"--select-delay=600000"});
    ASSERT_TRUE(host.Started());
    auto form = Open(reportFolder + "bars");
    During(500, [&] {
        EXPECT_FALSE(ShownNormally(*form)) << "the dialog steps aside while the user selects";
        host.Stop();
    });
    Press(*form);
    const std::vector<std::string> expected = {SelectPrevious, StartSelect};
    EXPECT_EQ(host.Received(), expected);
    EXPECT_TRUE(ShownNormally(*form));
    EXPECT_FALSE(FileExists(reportFolder + "bars.csv"));
    EXPECT_TRUE(notices.empty());
}

TEST_F(RunTest, HostStuckAfterExportingEndsWhenTheHostIsClosed) {
    StandInProcess host(QuickHost({L"--stuck"}));
    ASSERT_TRUE(host.Started());
    auto form = Open(reportFolder + "bars");
    // Closed once the export is written (the host logs it when the file is whole) and the host
    // shows its busy line for good. Stopped while still copying, it would leave a cut-off file.
    When(
        [&] {
            return host.Received().size() == 4 && !host.LogLinesStartingWith("export ").empty();
        },
        [&] { host.Stop(); });
    Press(*form);
    // The closed host reads as an empty command line: the export wait ends and the file that
    // was written is analysed.
    const std::vector<std::string> expected = {SelectPrevious, StartSelect, FileDialogsOff,
                                               Export(Dxf())};
    EXPECT_EQ(host.Received(), expected);
    EXPECT_EQ(ReadBytes(reportFolder + "bars.csv"), ReadBytes(Sample("beam-g1.expected.csv")));
    EXPECT_TRUE(ShownNormally(*form));
}

TEST_F(RunTest, DialogClosedDuringSelectionEndsTheRunThenCloses) {
    StandInProcess host({L"--select-delay=600000"});
    ASSERT_TRUE(host.Started());
    auto form = Open(reportFolder + "bars");
    HWND window = form->Handle();
    During(500, [&] { SendMessageA(window, WM_CLOSE, 0, 0); });
    Press(*form);
    EXPECT_TRUE(IsWindow(window)) << "the dialog outlives the run that uses it";
    HandleMessagesFor(300);
    EXPECT_FALSE(IsWindow(window)) << "and closes after it";
    const std::vector<std::string> expected = {SelectPrevious, StartSelect};
    EXPECT_EQ(host.Received(), expected);
    EXPECT_EQ(ReadBytes(WorkFolder() + "Kolvo.Ini"), "[\x8f\x89\x8a\xfa\x89\xbb]\r\n"
                                                     "\x95\xdb\x91\xb6\x96\xbc=" +
                                                         reportFolder + "bars\r\n");
}

TEST_F(RunTest, DialogClosedDuringExportSwitchesFileDialogsBackOn) {
    StandInProcess host(QuickHost({L"--stuck"}));
    ASSERT_TRUE(host.Started());
    auto form = Open(reportFolder + "bars");
    HWND window = form->Handle();
    When(
        [&] {
            return host.Received().size() == 4 && !host.LogLinesStartingWith("export ").empty();
        },
        [&] { PostMessageA(window, WM_CLOSE, 0, 0); });
    Press(*form);
    const std::vector<std::string> expected = {SelectPrevious, StartSelect, FileDialogsOff,
                                               Export(Dxf()), FileDialogsOn};
    EXPECT_EQ(host.Received(), expected);
    EXPECT_TRUE(FileExists(Dxf()));
    EXPECT_FALSE(FileExists(reportFolder + "bars.csv")) << "a closing program analyses nothing";
    HandleMessagesFor(300);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(RunTest, EmptyLineDuringExportEndsTheWaitAtOnce) {
    StandInProcess host({L"--select-delay=300", L"--export-delay=1500", L"--empty-during-export",
                         L"--drawing=" + Wide(Sample("beam-g1.dxf"))});
    ASSERT_TRUE(host.Started());
    auto form = Open(reportFolder + "bars");
    Press(*form);
    const std::vector<std::string> expected = {SelectPrevious, StartSelect, FileDialogsOff,
                                               Export(Dxf()), FileDialogsOn};
    EXPECT_EQ(host.Received(), expected);
    // The run went on before the host had written anything: nothing to analyse.
    EXPECT_FALSE(FileExists(reportFolder + "bars.csv"));
    EXPECT_TRUE(notices.empty());
    EXPECT_TRUE(ShownNormally(*form));
}

TEST_F(RunTest, SecondPressDuringARunIsIgnored) {
    StandInProcess host(QuickHost());
    ASSERT_TRUE(host.Started());
    auto form = Open(reportFolder + "bars");
    int nestedPresses = 0;
    During(250, [&] {
        ++nestedPresses;
        SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(IdPlButton1, BN_CLICKED),
                     reinterpret_cast<LPARAM>(form->Control(IdPlButton1)));
    });
    Press(*form);
    HandleMessagesFor(300);
    EXPECT_EQ(nestedPresses, 1);
    const std::vector<std::string> expected = {SelectPrevious, StartSelect, FileDialogsOff,
                                               Export(Dxf()), FileDialogsOn};
    EXPECT_EQ(host.Received(), expected);
    EXPECT_EQ(notices.size(), 1u);
}

TEST_F(RunTest, UnreadableDrawingIsReportedAndTheDialogStaysUsable) {
    const std::string broken = scratch.Path() + "broken.dxf";
    ASSERT_NO_THROW(WriteBytes(broken, "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n"
                                       " 10\r\n1O.5\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n"));
    StandInProcess host(
        {L"--select-delay=300", L"--export-delay=100", L"--drawing=" + Wide(broken)});
    ASSERT_TRUE(host.Started());
    auto form = Open(reportFolder + "bars");
    Press(*form);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "'1O.5' \x82\xcd\x95\x82\x93\xae\x8f\xac\x90\x94\x93\x5f\x90\x94\x82\xc5"
                         "\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1"); // は浮動小数点数では…
    EXPECT_TRUE(notices.empty());
    // A refused drawing writes no reports (an empty pair would read as a drawing without bars),
    // and no page.
    EXPECT_FALSE(FileExists(reportFolder + "bars.csv"));
    EXPECT_FALSE(FileExists(reportFolder + "bars.txt"));
    EXPECT_FALSE(FileExists(reportFolder + "bars.check.html"));
    EXPECT_TRUE(questions.empty());
    EXPECT_TRUE(ShownNormally(*form));
    EXPECT_FALSE(form->Running()) << "a new run can start";
}

TEST_F(RunTest, SummaryThatCannotBeCreatedIsShownWithTheTitle) {
    StandInProcess host(QuickHost());
    ASSERT_TRUE(host.Started());
    auto form = Open(scratch.Path() + "no such folder\\bars");
    Press(*form);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x8d\xec\x90\xac\x82\xc5\x82"
                           "\xab\x82\xdc\x82\xb9\x82\xf1"); // ファイルを作成できません
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(notices.empty());
    EXPECT_TRUE(FileExists(Dxf()));
}

TEST_F(RunTest, WhatNeedsALookIsAskedAfterTheNoticeAndThePageOpenedWhenTold) {
    const std::string drawing = scratch.Path() + "look.dxf";
    testing::WriteDrawingThatNeedsALook(drawing);
    const std::string page = reportFolder + "bars.check.html";
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        questions.clear();
        opened.clear();
        notices.clear();
        answerYes = yes;
        StandInProcess host(
            {L"--select-delay=300", L"--export-delay=100", L"--drawing=" + Wide(drawing)});
        ASSERT_TRUE(host.Started());
        auto form = Open(reportFolder + "bars");
        Press(*form);
        EXPECT_EQ(notices.size(), 1u) << "the notice comes first, as ever";
        EXPECT_EQ(questions, std::vector<std::string>{
                                 "集計結果に確認が必要な所があります。\n\n"
                                 "鉄筋を数えられなかった符号: 1 個\n二重に数えた鉄筋: 1 本\n"
                                 "注意: 2 件\n\n確認ページを開きますか?"});
        EXPECT_EQ(opened, yes ? std::vector<std::string>{page} : std::vector<std::string>{});
        EXPECT_TRUE(ReadBytes(page).starts_with("<!DOCTYPE html>"));
        EXPECT_TRUE(FileExists(reportFolder + "bars.txt"));
        EXPECT_TRUE(messages.empty());
        EXPECT_FALSE(form->Running());
    }
}

TEST_F(RunTest, NothingToLookAtAsksNothingAndThePageIsThere) {
    const std::string drawing = scratch.Path() + "counted.dxf";
    testing::WriteCountedDrawing(drawing);
    StandInProcess host(
        {L"--select-delay=300", L"--export-delay=100", L"--drawing=" + Wide(drawing)});
    ASSERT_TRUE(host.Started());
    auto form = Open(reportFolder + "bars");
    Press(*form);
    EXPECT_EQ(ReadBytes(reportFolder + "bars.csv"), "D13,1,200\r\n");
    EXPECT_TRUE(FileExists(reportFolder + "bars.check.html"));
    EXPECT_TRUE(questions.empty());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(notices.size(), 1u);
}

TEST_F(RunTest, APageThatCannotBeWrittenIsSaidAndTheReportsStay) {
    const std::string page = reportFolder + "bars.check.html";
    ASSERT_TRUE(CreateDirectoryA(page.c_str(), nullptr)); // a folder in the page's place
    StandInProcess host(QuickHost());
    ASSERT_TRUE(host.Started());
    auto form = Open(reportFolder + "bars");
    Press(*form);
    EXPECT_EQ(ReadBytes(reportFolder + "bars.csv"), ReadBytes(Sample("beam-g1.expected.csv")));
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(messages, std::vector<std::string>{"確認ページを書けません: " + page});
    EXPECT_TRUE(questions.empty()) << "no page to open";
}

// Kolvo.exe under a name of its own, so that its settings file is its own, with none yet.
struct TKolvoCopy {
    std::string Exe, Settings;
};
TKolvoCopy CopyOfKolvo(const TTempFolder& scratch, const std::string& name) {
    TKolvoCopy copy{scratch.Path() + name + ".exe",
                    GetSpecialFolderPath(nullptr, CSIDL_APPDATA) + "\\Vantorel\\" + name + ".Ini"};
    EXPECT_TRUE(CopyFileA(WindowsPath(KOLVO_EXE).c_str(), copy.Exe.c_str(), FALSE));
    DeleteFileA(copy.Settings.c_str());
    return copy;
}

// Types the report name into the program's dialog and presses "実　行".
void PressRun(HWND dialog, const std::string& reportName) {
    SendMessageA(GetDlgItem(dialog, IdEdit1), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(reportName.c_str()));
    PostMessageA(GetDlgItem(dialog, IdPlButton1), BM_CLICK, 0, 0);
}

// Kolvo.exe itself: a close asked for while its run waits for the host ends the run, writes the
// settings and ends the program.
TEST(ProgramRun, ClosingFromTheTaskBarDuringARunSavesTheSettingsAndEnds) {
    TTempFolder scratch;
    const auto [exe, settings] = CopyOfKolvo(scratch, "KolvoRunClose");

    StandInProcess host({L"--select-delay=600000"});
    ASSERT_TRUE(host.Started());
    test::TProgramProcess kolvo(exe);
    const HWND dialog = kolvo.WaitForWindow("TKolvoZokuSeiF");
    ASSERT_NE(dialog, nullptr);
    const std::string name = scratch.Path() + "bars";
    PressRun(dialog, name);
    EXPECT_TRUE(WaitFor([&] { return host.Received().size() == 2; })) << "the run began";

    PostMessageA(GetWindow(dialog, GW_OWNER), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(kolvo.WaitForExit(), 0) << "the program did not end, or not normally";
    EXPECT_EQ(host.Received().size(), 2u) << "nothing typed after the close";
    EXPECT_EQ(ReadBytes(settings),
              "[\x8f\x89\x8a\xfa\x89\xbb]\r\n\x95\xdb\x91\xb6\x96\xbc=" + name + "\r\n");
    DeleteFileA(settings.c_str());
}

// Kolvo.exe asking what to do about what needs a look: its own box over the dialog, which stays
// usable; a close while the box is up answers it and ends the program as any close does.
TEST(ProgramRun, ClosingWhileTheQuestionIsUpEndsTheProgramNormally) {
    TTempFolder scratch;
    const auto [exe, settings] = CopyOfKolvo(scratch, "KolvoRunAsk");
    const std::string drawing = scratch.Path() + "look.dxf";
    testing::WriteDrawingThatNeedsALook(drawing);

    StandInProcess host(
        {L"--select-delay=300", L"--export-delay=100", L"--drawing=" + Wide(drawing)});
    ASSERT_TRUE(host.Started());
    test::TProgramProcess kolvo(exe);
    const HWND dialog = kolvo.WaitForWindow("TKolvoZokuSeiF");
    ASSERT_NE(dialog, nullptr);
    const std::string name = scratch.Path() + "bars";
    PressRun(dialog, name);

    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        box = FindProcessWindow(kolvo.Id(), "#32770");
        return box != nullptr && GetDlgItem(box, IDYES) != nullptr;
    })) << "no question";
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_EQ(std::string(text), "集計結果に確認が必要な所があります。\n\n"
                                 "鉄筋を数えられなかった符号: 1 個\n二重に数えた鉄筋: 1 本\n"
                                 "注意: 2 件\n\n確認ページを開きますか?");
    GetWindowTextA(box, text, sizeof text);
    EXPECT_EQ(std::string(text), ApplicationTitle);
    EXPECT_TRUE(IsWindowEnabled(dialog)) << "the dialog stays usable";
    EXPECT_TRUE(FileExists(name + ".check.html"));

    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(kolvo.WaitForExit(), 0);
    EXPECT_EQ(ReadBytes(settings),
              "[\x8f\x89\x8a\xfa\x89\xbb]\r\n\x95\xdb\x91\xb6\x96\xbc=" + name + "\r\n");
    DeleteFileA(settings.c_str());
}

} // namespace
} // namespace kolvo
