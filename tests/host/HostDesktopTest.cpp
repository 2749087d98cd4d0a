// The host driving against stand-in hosts running as separate processes on the desktop: which
// windows are found, what bytes reach the host, and what is read back from its command line.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "Acad11ACtrl.h"
#include "StandInProcess.h"
#include "TestFiles.h"
#include "TestText.h"

namespace kolvo {
namespace {

using test::Hex;
using test::StandInProcess;
using test::Wide;
using testing::TTempFolder;

// "コマンド: " in CP932.
const std::string kPromptBytes = "\x83\x52\x83\x7d\x83\x93\x83\x68\x3a\x20";
const std::wstring kSelectPrevious = L"\x0003SELECT P\rU\r\r";

// Waits for a condition that another process brings about; gives up after a generous while so
// that a broken host fails the test instead of hanging it.
bool Eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 1000; ++i) {
        if (condition()) {
            return true;
        }
        Sleep(20);
        // As the run does between its polls: this program's own windows get their messages.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }
    return condition();
}

DWORD ProcessOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

std::string TitleOf(HWND window) {
    char buffer[256] = {};
    GetWindowTextA(window, buffer, 255);
    return buffer;
}

class HostDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        // Titles and the command line are CP932 bytes only on the Japanese code page.
        ASSERT_EQ(GetACP(), 932u) << "run with LANG=ja_JP.UTF-8";
    }
};

TEST_F(HostDesktop, NothingElseIsTakenForTheHost) {
    StandInProcess bare({L"--title=AutoCAD", L"--command-line=docked"});
    StandInProcess lower({L"--title=autocad 2000"});
    StandInProcess wrongClass({L"--title=AutoCAD 2000", L"--class=AfxFrameOrView100u"});
    StandInProcess textWindowOnly({L"--title=Viewer", L"--command-line=text-window"});
    // Another MFC program: today's frame class, but no host's title.
    StandInProcess notepad({L"--title=Notepad", L"--class=AfxMDIFrame140u"});

    EXPECT_EQ(FindHostMainWindow(), nullptr);
    EXPECT_FALSE(ActivateHost());
    EXPECT_EQ(FindHostCommandLine(), nullptr);
    EXPECT_FALSE(TypeCommand(L"LINE "));
    EXPECT_EQ(ReadCommandLine(), "");
    EXPECT_EQ(ReadWindowText(nullptr), "");
    for (const StandInProcess* decoy : {&bare, &lower, &wrongClass, &textWindowOnly, &notepad}) {
        EXPECT_TRUE(decoy->LogLinesStartingWith("copydata").empty());
    }
}

TEST_F(HostDesktop, AcceptedTitlesAndClasses) {
    const std::vector<std::vector<std::wstring>> accepted = {
        {L"--title=AutoCAD 2000 - [図面1.dwg]",
         L"--class=Afx:00400000:8:00010011:00000000:00000000"},
        {L"--title=Autodesk Map", L"--class=Afx:00400000:8:00010011:00000000:00000000"},
        {L"--title=ACADx", L"--class=Afx:8:"},
        {L"--title=AutoCAD LT", L"--class=AfxMDIFrame90u"},
        {L"--title=ACAD 2006", L"--class=AfxMDIFrame100u"},
        {L"--title=AutoCAD 2012", L"--class=AfxMDIFrame110u"},
        // Today's host: "Autodesk AutoCAD 2025 - [構造図.dwg]" in an AfxMDIFrame140u frame.
        {L"--modern"},
    };
    for (std::size_t i = 0; i < accepted.size(); ++i) {
        StandInProcess host(accepted[i]);
        const HWND main = FindHostMainWindow();
        ASSERT_NE(main, nullptr) << "form " << i;
        EXPECT_EQ(ProcessOf(main), host.Id());
        EXPECT_EQ(RememberedHost().HostProcessId, host.Id());
        EXPECT_TRUE(ActivateHost());
    }
}

TEST_F(HostDesktop, ActivateHostBringsItToTheFront) {
    StandInProcess host;
    // A window of this program in front first, so that the host has to be brought there.
    const HWND own = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                     100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(own, nullptr);
    SetForegroundWindow(own);
    ASSERT_EQ(GetForegroundWindow(), own);
    const size_t before = host.LogLinesStartingWith("activated").size();
    EXPECT_TRUE(ActivateHost());
    // The host takes the activation when it next looks at its messages. Its own record of being
    // activated is what counts: on a loaded machine another process of the run may take the
    // foreground again before this test looks.
    EXPECT_TRUE(Eventually([&] { return host.LogLinesStartingWith("activated").size() > before; }));
    DestroyWindow(own);
}

TEST_F(HostDesktop, ActivateHostRestoresAMinimisedHost) {
    StandInProcess host;
    const HWND main = FindHostMainWindow();
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(Eventually([&] { return IsIconic(main) != FALSE; }));
    EXPECT_TRUE(ActivateHost());
    EXPECT_TRUE(Eventually([&] { return IsIconic(main) == FALSE; })) << "still an icon";
}

TEST_F(HostDesktop, AHostThatNeverTakesATextIsGivenUpOn) {
    StandInProcess host({L"--hang"});
    ASSERT_NE(FindHostMainWindow(), nullptr);
    // Stays inside the host's WM_COPYDATA until the test ends it: only the bound returns.
    EXPECT_EQ(DeliverCommand(L"FILEDIA 0 "), SendOutcome::NoAnswer);
    EXPECT_FALSE(TypeCommand(L"FILEDIA 0 "));
    // The outcome a delivery gives is what the typing reports.
    for (const SendOutcome outcome :
         {SendOutcome::Refused, SendOutcome::NoAnswer, SendOutcome::Sent}) {
        EXPECT_EQ(DeliverCommand(L"LINE ", [&](HWND, const COPYDATASTRUCT&) { return outcome; }),
                  outcome);
    }
    host.Stop();
    EXPECT_EQ(DeliverCommand(L"LINE "), SendOutcome::NoHost);
}

TEST_F(HostDesktop, FirstEnumeratedHostWins) {
    StandInProcess first({L"--title=ACAD one"});
    StandInProcess second({L"--title=ACAD two"});
    // The platform's own order decides: whichever of the two it lists first.
    DWORD expected = 0;
    EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
            const std::string title = TitleOf(window);
            if (title == "ACAD one" || title == "ACAD two") {
                *reinterpret_cast<DWORD*>(found) = ProcessOf(window);
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&expected));
    ASSERT_NE(expected, 0u);
    EXPECT_EQ(ProcessOf(FindHostMainWindow()), expected);
}

TEST_F(HostDesktop, CommandLineDockedFloatingOrInTheTextWindow) {
    const std::vector<std::vector<std::wstring>> layouts = {
        {L"--command-line=docked"},
        {L"--command-line=docked", L"--ansi"},
        {L"--command-line=floating"},
        {L"--command-line=text-window"},
        {L"--command-line=text-window", L"--ansi"},
        {L"--command-line=docked", L"--no-mounttam"},
    };
    for (const auto& layout : layouts) {
        StandInProcess host(layout);
        const HWND line = FindHostCommandLine();
        ASSERT_NE(line, nullptr) << layout[0];
        EXPECT_EQ(ProcessOf(line), host.Id());
        // The system keeps the title; the window itself answers with the line.
        EXPECT_EQ(TitleOf(line), "Headlands");
        EXPECT_EQ(Hex(ReadCommandLine()), Hex(kPromptBytes));
        EXPECT_EQ(Hex(ReadWindowText(line)), Hex(kPromptBytes));
    }
}

TEST_F(HostDesktop, CommandLineTitleMustMatchExactly) {
    for (const wchar_t* title : {L"headlands", L"Headlands2"}) {
        StandInProcess host({std::wstring(L"--headlands-title=") + title});
        ASSERT_NE(FindHostMainWindow(), nullptr);
        EXPECT_EQ(FindHostCommandLine(), nullptr);
        EXPECT_EQ(ReadCommandLine(), "");
    }
}

TEST_F(HostDesktop, FloatingFrameOfAnotherProcessButNotItsTextWindow) {
    StandInProcess host({L"--command-line=none"});
    {
        StandInProcess other({L"--title=Viewer", L"--command-line=text-window"});
        EXPECT_EQ(FindHostCommandLine(), nullptr);
    }
    StandInProcess frame({L"--title=Viewer", L"--command-line=floating"});
    const HWND line = FindHostCommandLine();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(ProcessOf(line), frame.Id());
    EXPECT_EQ(ProcessOf(FindHostMainWindow()), host.Id());
    EXPECT_EQ(Hex(ReadCommandLine()), Hex(kPromptBytes));
}

TEST_F(HostDesktop, RestartedHostIsFoundAgain) {
    auto host = std::make_unique<StandInProcess>(std::vector<std::wstring>{});
    const HWND oldLine = FindHostCommandLine();
    ASSERT_NE(oldLine, nullptr);
    host->Stop();
    EXPECT_EQ(FindHostCommandLine(), nullptr);
    EXPECT_FALSE(ActivateHost());
    EXPECT_FALSE(TypeCommand(L"LINE "));

    host = std::make_unique<StandInProcess>(std::vector<std::wstring>{L"--command-line=floating"});
    const HWND newLine = FindHostCommandLine();
    ASSERT_NE(newLine, nullptr);
    EXPECT_NE(newLine, oldLine);
    EXPECT_EQ(ProcessOf(newLine), host->Id());
    EXPECT_EQ(Hex(ReadCommandLine()), Hex(kPromptBytes));
}

TEST_F(HostDesktop, TextsArriveWholeInTheFormOfTheMainWindow) {
    const std::string selectUnicode = "0300530045004c00450043005400200050000d0055000d000d000000";
    const std::string selectAnsi = "0353454c45435420500d550d0d00";
    {
        StandInProcess host;
        ASSERT_TRUE(TypeCommand(kSelectPrevious));
        EXPECT_EQ(host.LastCopyData(), "copydata dwData=1 cbData=28 bytes=" + selectUnicode);
        ASSERT_TRUE(TypeCommand(L""));
        EXPECT_EQ(host.LastCopyData(), "copydata dwData=1 cbData=2 bytes=0000");
        EXPECT_TRUE(Eventually([&] { return host.LogLinesStartingWith("null").size() == 2; }));
    }
    {
        // The same program state, a new host of the other kind: the form follows the host.
        StandInProcess host({L"--ansi"});
        ASSERT_TRUE(TypeCommand(kSelectPrevious));
        EXPECT_EQ(host.LastCopyData(), "copydata dwData=1 cbData=14 bytes=" + selectAnsi);
        ASSERT_TRUE(TypeCommand(L""));
        EXPECT_EQ(host.LastCopyData(), "copydata dwData=1 cbData=1 bytes=00");
        // Japanese text travels as CP932 bytes.
        ASSERT_TRUE(TypeCommand(L"山田"));
        EXPECT_EQ(host.LastCopyData(), "copydata dwData=1 cbData=5 bytes=8e52936300");
        EXPECT_TRUE(Eventually([&] { return host.LogLinesStartingWith("null").size() == 3; }));
    }
}

TEST_F(HostDesktop, TypedTextIsExecutedAndEchoed) {
    for (const bool ansi : {false, true}) {
        StandInProcess host(
            {L"--select-delay=1000000", ansi ? L"--ansi" : L"--select-delay=1000000"});
        ASSERT_TRUE(TypeCommand(L"\x0003SEL"));
        EXPECT_EQ(ReadCommandLine(), kPromptBytes + "SEL");
        ASSERT_TRUE(TypeCommand(L"ECT "));
        EXPECT_EQ(ReadCommandLine(), "オブジェクトを選択: ");
        ASSERT_TRUE(TypeCommand(L"\x0003"));
        EXPECT_EQ(ReadCommandLine(), kPromptBytes);

        // 300 characters arrive whole and are read back whole.
        ASSERT_TRUE(TypeCommand(std::wstring(300, L'A')));
        EXPECT_NE(host.LastCopyData().find(ansi ? " cbData=301 " : " cbData=602 "),
                  std::string::npos);
        EXPECT_EQ(ReadCommandLine(), kPromptBytes + std::string(300, 'A'));
    }
}

TEST_F(HostDesktop, CharacterOutsideTheCodePageArrivesAsItsDefault) {
    StandInProcess host;
    const std::wstring text = L"A\xD83D\xDE00Z";
    ASSERT_TRUE(SendCommandText(text, true));
    const std::string line = host.LastCopyData();
    EXPECT_NE(line.find("cbData=10 "), std::string::npos) << line;
    // No half of the pair survives; A leads and Z follows whatever stands for the lost one.
    EXPECT_EQ(line.find("3dd8"), std::string::npos) << line;
    EXPECT_EQ(line.find("00de"), std::string::npos) << line;
    EXPECT_NE(line.find("bytes=4100"), std::string::npos) << line;
    EXPECT_NE(line.find("5a00"), std::string::npos) << line;
}

TEST_F(HostDesktop, LongExportCommandArrivesWholeAndIsExecuted) {
    // A DXF path long enough to make the export command pass 255 characters, as a long user
    // folder does.
    const TTempFolder scratch;
    const std::wstring folder = Wide(scratch.Path()) + std::wstring(170, L'f');
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\202401021530.dxf";
    DeleteFileW(path.c_str());
    const std::wstring exportCommand = L"DXFOUT \"" + path + L"\"\rVER 2000 OBJ PREV \r16 ";
    ASSERT_GT(exportCommand.size(), 255u);

    for (const bool ansi : {false, true}) {
        StandInProcess host({L"--export-delay=10", ansi ? L"--ansi" : L"--export-delay=10"});
        ASSERT_TRUE(TypeCommand(L"FILEDIA 0 "));
        ASSERT_TRUE(TypeCommand(exportCommand));
        const std::string sent = host.LastCopyData();
        const std::size_t units = exportCommand.size() + 1;
        const std::size_t bytes = ansi ? units : 2 * units;
        EXPECT_NE(sent.find(" cbData=" + std::to_string(bytes) + " "), std::string::npos);
        EXPECT_EQ(sent.size() - sent.find("bytes=") - 6, 2 * bytes);
        ASSERT_TRUE(Eventually([&] { return !host.LogLinesStartingWith("export").empty(); }));
        const std::string exported = host.LogLinesStartingWith("export").back();
        EXPECT_NE(exported.find("version=2000 places=16"), std::string::npos) << exported;
        EXPECT_NE(exported.find("written=yes"), std::string::npos) << exported;
        EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
        DeleteFileW(path.c_str());
        ASSERT_TRUE(Eventually([] { return ReadCommandLine() == kPromptBytes; }));
    }
    RemoveDirectoryW(folder.c_str());
}

TEST_F(HostDesktop, EmptyLineIsReadWithoutAskingForTheText) {
    // Wine answers an 8-bit WM_GETTEXTLENGTH by itself asking the window for its text with room
    // for exactly the length it was told and a NUL; every other request comes from the reader.
    const auto limitsAskedByReader = [](const StandInProcess& host) {
        std::vector<long> limits;
        long told = -1;
        for (const std::string& line : host.Log()) {
            if (line.rfind("gettextlength ", 0) == 0) {
                told = std::stol(line.substr(14));
            } else if (line.rfind("gettext limit=", 0) == 0) {
                const long limit = std::stol(line.substr(14));
                if (limit != told + 1) {
                    limits.push_back(limit);
                }
            }
        }
        return limits;
    };
    for (const bool ansi : {false, true}) {
        StandInProcess host({L"--export-delay=1000000", L"--empty-during-export",
                             ansi ? L"--ansi" : L"--empty-during-export"});
        // A window with a line is asked for it...
        EXPECT_EQ(ReadCommandLine(), kPromptBytes);
        const std::vector<long> limits = limitsAskedByReader(host);
        ASSERT_EQ(limits.size(), 1u);
        // Room for twice the length the reader was told (at least the 10 bytes) and a NUL.
        EXPECT_EQ(limits[0] % 2, 0);
        EXPECT_GE(limits[0], 2 * (static_cast<long>(kPromptBytes.size()) + 1));

        // ...the same window with an empty line is not.
        ASSERT_TRUE(TypeCommand(L"FILEDIA 0 "));
        ASSERT_TRUE(TypeCommand(L"DXFOUT \"C:\\kolvo-none\\x.dxf\"\r16 "));
        EXPECT_EQ(ReadCommandLine(), "");
        EXPECT_FALSE(host.LogLinesStartingWith("gettextlength 0").empty());
        EXPECT_EQ(limitsAskedByReader(host).size(), 1u);
    }
}

TEST_F(HostDesktop, SelectionAndExportDialogue) {
    // The run's whole dialogue with a host that asks both questions before it replaces a file.
    const TTempFolder scratch;
    const std::wstring folder = Wide(scratch.Path());
    const std::wstring drawing = folder + L"kolvo-host-drawing.dxf";
    const std::wstring target = folder + L"kolvo-host-export.dxf";
    {
        std::ofstream(std::filesystem::path(drawing), std::ios::binary) << "  0\r\nEOF\r\n";
        std::ofstream(std::filesystem::path(target), std::ios::binary) << "old";
    }
    StandInProcess host({L"--ansi", L"--select-delay=200", L"--export-delay=50", L"--ask-export",
                         L"--drawing=" + drawing});
    ASSERT_TRUE(ActivateHost());
    ASSERT_NE(FindHostCommandLine(), nullptr);

    TypeCommand(kSelectPrevious);
    TypeCommand(L"\x0003SELECT ");
    EXPECT_EQ(ReadCommandLine(), "オブジェクトを選択: ");
    ASSERT_TRUE(Eventually([] { return ReadCommandLine() == kPromptBytes; }));

    TypeCommand(L"FILEDIA 0 ");
    TypeCommand(L"DXFOUT \"" + target + L"\"\rVER 2000 OBJ PREV \r16 ");
    int answers = 0;
    ASSERT_TRUE(Eventually([&] {
        const std::string line = ReadCommandLine();
        for (const char* question : {"書き出しますか", "置き換えますか"}) {
            if (line.find(question) != std::string::npos) {
                TypeCommand(L"Y\r");
                ++answers;
            }
        }
        return line == kPromptBytes;
    }));
    TypeCommand(L"FILEDIA 1 ");
    EXPECT_EQ(answers, 2);

    std::ifstream written(std::filesystem::path(target), std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(written)),
                              std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "  0\r\nEOF\r\n");
    const auto exports = host.LogLinesStartingWith("export ");
    ASSERT_EQ(exports.size(), 1u);
    EXPECT_NE(exports[0].find("version=2000 places=16 binary=no objects=12 written=yes"),
              std::string::npos)
        << exports[0];
    written.close();
    DeleteFileW(target.c_str());
    DeleteFileW(drawing.c_str());
}

} // namespace
} // namespace kolvo
