// Kolvo.exe started on a system whose ANSI code page is not Japanese (this test program runs
// with another locale, which Wine turns into code page 1252 for it and for what it starts): it
// says plainly that it needs code page 932, in text that shows on that system, and opens anyway.
#include "KolvoZokuseiU.h"
#include "ProcessWindows.h"
#include "TestFiles.h"
#include "TestText.h"
#include "TextCodec.h"

#include <gtest/gtest.h>

namespace kolvo {
namespace {

using test::FindProcessWindow;
using test::WaitFor;
using test::WindowsPath;
using testing::TTempFolder;

std::u16string TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 511);
    return std::u16string(text, text + wcslen(text));
}

TEST(ForeignCodePage, KolvoAsksForTheJapaneseCodePageAndOpensAnyway) {
    ASSERT_NE(GetACP(), JapaneseCodePage) << "run with a locale other than Japanese";
    TTempFolder scratch;
    const std::string exe = scratch.Path() + "KolvoCodePage.exe";
    ASSERT_TRUE(CopyFileA(WindowsPath(KOLVO_EXE).c_str(), exe.c_str(), FALSE));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + exe + "\"";
    ASSERT_TRUE(CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));

    HWND box = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        box = FindProcessWindow(process.dwProcessId, "#32770");
        return box != nullptr;
    })) << "no message box";
    if (box != nullptr) {
        EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), Cp932ToUtf16(CodePageMessage));
        EXPECT_EQ(TextOf(box), Cp932ToUtf16(ApplicationTitle));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    HWND dialog = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        dialog = FindProcessWindow(process.dwProcessId, "TKolvoZokuSeiF");
        return dialog != nullptr;
    })) << "the dialog did not open after the message";
    if (dialog != nullptr) {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
    const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(process.hProcess, 99);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_TRUE(ended);
}

} // namespace
} // namespace kolvo
