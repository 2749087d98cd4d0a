// Kolvo.exe started as a program of its own and driven through its windows, as a user or a
// screen reader would: the dialog appears, remembers the report name across starts and browses
// with the system's save dialog.
#include "KolvoZokuseiU.h"
#include "ProcessWindows.h"
#include "ProgramProcess.h"
#include "Shell.h"
#include "TestFiles.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace kolvo {
namespace {

using test::FindProcessWindow;
using test::WaitFor;
using test::WindowsPath;
using testing::FileExists;
using testing::ReadBytes;
using testing::TTempFolder;

std::string TextOf(HWND window) {
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// Kolvo.exe started and its dialog waited for.
class RunningKolvo {
public:
    explicit RunningKolvo(const std::string& exe)
        : process_(exe), dialog_(process_.WaitForWindow("TKolvoZokuSeiF")) {}

    HWND Dialog() const { return dialog_; }
    HWND Control(KolvoControlId id) const { return GetDlgItem(dialog_, id); }
    DWORD ProcessId() const { return process_.Id(); }
    long WaitForExit() { return process_.WaitForExit(); }

private:
    test::TProgramProcess process_;
    HWND dialog_ = nullptr;
};

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(appData.empty());
        // Under another name and in another folder than the build put it: the settings file
        // must follow the name, not the folder. 表 ends in the byte of a backslash.
        ASSERT_TRUE(CopyFileA(WindowsPath(KOLVO_EXE).c_str(), exe.c_str(), FALSE))
            << WindowsPath(KOLVO_EXE) << " error " << GetLastError();
        DeleteFileA(settings.c_str());
    }
    void TearDown() override { DeleteFileA(settings.c_str()); }

    TTempFolder scratch;
    std::string appData = GetSpecialFolderPath(nullptr, CSIDL_APPDATA);
    std::string exe = scratch.Path() + "Kolvo\x95\x5C"
                                       "copy.exe";
    std::string settings = appData + "\\Vantorel\\Kolvo\x95\x5C"
                                     "copy.Ini";
};

TEST_F(ProgramTest, StartsWithTitledDialogAndRemembersTheReportName) {
    const std::string typed = "C:\\\x8f\x57\x8c\x76\\bars"; // C:\集計\bars, no extension
    {
        RunningKolvo kolvo(exe);
        ASSERT_NE(kolvo.Dialog(), nullptr) << "no dialog appeared";
        EXPECT_EQ(TextOf(kolvo.Dialog()), DialogCaption);
        EXPECT_TRUE(GetWindowLongPtrA(kolvo.Dialog(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        // The task-bar button belongs to the owner window and shows the application title.
        HWND owner = GetWindow(kolvo.Dialog(), GW_OWNER);
        ASSERT_NE(owner, nullptr);
        EXPECT_EQ(TextOf(owner),
                  "\x91\xae\x90\xab\x92\x6c\x82\xf0\x93\xbe\x82\xe9"); // 属性値を得る
        // Screen readers find the buttons by their texts, whatever their window class.
        EXPECT_EQ(FindWindowExA(kolvo.Dialog(), nullptr, nullptr, "実　行"),
                  kolvo.Control(IdPlButton1));
        EXPECT_EQ(FindWindowExA(kolvo.Dialog(), nullptr, nullptr, "閉じる"),
                  kolvo.Control(IdPlButton2));

        EXPECT_EQ(TextOf(kolvo.Control(IdEdit1)), "") << "first start: nothing remembered yet";
        SendMessageA(kolvo.Control(IdEdit1), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(typed.c_str()));
        PostMessageA(kolvo.Control(IdPlButton2), BM_CLICK, 0, 0); // 閉じる
        EXPECT_EQ(kolvo.WaitForExit(), 0);
    }
    EXPECT_EQ(ReadBytes(settings),
              "[\x8f\x89\x8a\xfa\x89\xbb]\r\n\x95\xdb\x91\xb6\x96\xbc=" + typed + "\r\n");
    {
        RunningKolvo kolvo(exe);
        ASSERT_NE(kolvo.Dialog(), nullptr);
        EXPECT_EQ(TextOf(kolvo.Control(IdEdit1)), typed);
        // Alt+F4 and the close box go the same way: the settings are written on every close.
        SendMessageA(kolvo.Control(IdEdit1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        PostMessageA(kolvo.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(kolvo.WaitForExit(), 0);
    }
    EXPECT_EQ(ReadBytes(settings), "[\x8f\x89\x8a\xfa\x89\xbb]\r\n\x95\xdb\x91\xb6\x96\xbc=\r\n");
}

HWND WaitForSaveDialog(DWORD processId) {
    HWND dialog = nullptr;
    WaitFor([&] {
        dialog = FindProcessWindow(processId, "#32770");
        return dialog != nullptr;
    });
    return dialog;
}

TEST_F(ProgramTest, BrowseTakesTheSaveDialogsFullPathOrNothing) {
    RunningKolvo kolvo(exe);
    ASSERT_NE(kolvo.Dialog(), nullptr);
    SendMessageA(kolvo.Control(IdEdit1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("before"));

    PostMessageA(kolvo.Control(IdButton1), BM_CLICK, 0, 0); // 参照, then cancel
    HWND save = WaitForSaveDialog(kolvo.ProcessId());
    ASSERT_NE(save, nullptr) << "no save dialog";
    PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(save); }));
    EXPECT_EQ(TextOf(kolvo.Control(IdEdit1)), "before");

    PostMessageA(kolvo.Control(IdButton1), BM_CLICK, 0, 0); // 参照, then a name and OK
    save = WaitForSaveDialog(kolvo.ProcessId());
    ASSERT_NE(save, nullptr);
    // The file-name box: a combo box in the explorer-style dialog, an edit field in older ones.
    HWND nameBox = GetDlgItem(save, 0x47C);
    if (nameBox == nullptr) {
        nameBox = GetDlgItem(save, 0x480);
    }
    ASSERT_NE(nameBox, nullptr);
    const std::string chosen = scratch.Path() + "\x8f\x57\x8c\x76"; // 集計, no extension added
    SendMessageA(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
    PostMessageA(save, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(save); }));
    EXPECT_EQ(TextOf(kolvo.Control(IdEdit1)), chosen);

    PostMessageA(kolvo.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_EQ(kolvo.WaitForExit(), 0);
    EXPECT_TRUE(FileExists(settings));
}

} // namespace
} // namespace kolvo
