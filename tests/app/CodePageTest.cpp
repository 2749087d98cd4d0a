// Kolvo.exe started on a system whose ANSI code page is not Japanese (this test program runs
// with another locale, which Wine turns into code page 1252 for it and for what it starts): it
// says plainly that it needs code page 932, in text that shows on that system, and opens anyway.
#include "KolvoZokuseiU.h"
#include "ProgramProcess.h"
#include "TestFiles.h"
#include "TestText.h"
#include "TextCodec.h"

#include <gtest/gtest.h>

namespace kolvo {
namespace {

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
    test::TProgramProcess kolvo(exe);
    ASSERT_TRUE(kolvo.Started());

    const HWND box = kolvo.WaitForWindow("#32770");
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), Cp932ToUtf16(CodePageMessage));
    EXPECT_EQ(TextOf(box), Cp932ToUtf16(ApplicationTitle));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    const HWND dialog = kolvo.WaitForWindow("TKolvoZokuSeiF");
    ASSERT_NE(dialog, nullptr) << "the dialog did not open after the message";
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(kolvo.WaitForExit(), 0);
}

} // namespace
} // namespace kolvo
