// Checks the environment the Windows tests run in: without the Japanese ANSI code page or a font
// that has Japanese glyphs, the dialog tests would pass while users saw mojibake or boxes.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(WineBed, AnsiCodePageIsShiftJis) {
    EXPECT_EQ(GetACP(), 932u);
}

TEST(WineBed, AnsiLiteralsAreShiftJisBytes) {
    // "集計" compiled as CP932 must turn into the same UTF-16 as the wide literal.
    const char narrow[] = "集計";
    ASSERT_EQ(sizeof narrow, 5u);
    EXPECT_EQ(static_cast<unsigned char>(narrow[0]), 0x8Fu);
    wchar_t wide[8] = {};
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, narrow, -1, wide, 8), 3);
    EXPECT_EQ(std::wstring(wide), std::wstring(L"\u96C6\u8A08"));
}

TEST(WineBed, DialogFontHasJapaneseGlyphs) {
    HFONT font =
        CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "ＭＳ Ｐゴシック");
    ASSERT_NE(font, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(dc, &tm));
    EXPECT_EQ(tm.tmCharSet, SHIFTJIS_CHARSET);
    WORD glyphs[2] = {};
    ASSERT_EQ(GetGlyphIndicesW(dc, L"\u96C6\u884C", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS), 2u);
    EXPECT_NE(glyphs[0], 0xFFFF);
    EXPECT_NE(glyphs[1], 0xFFFF);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
}

} // namespace
