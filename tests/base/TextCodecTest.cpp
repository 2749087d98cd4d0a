#include <gtest/gtest.h>

#include <string>

#include "TextCodec.h"

namespace kolvo {
namespace {

struct TCase {
    const char* What;
    std::string Cp932;
    std::u16string Utf16;
    std::string Utf8;
};

// Characters whose code the system code page fixes: ASCII (0x5C and 0x7E stay themselves),
// half-width katakana, the duplicated NEC and IBM characters (encoded back to the code the code
// page prefers), the wave dash and its kin, the user-defined area and the single bytes Windows
// gives characters of their own.
const TCase Cases[] = {
    {"ascii", "A\\~", u"A\\~", "A\\~"},
    {"kana", "\xb1\xdf", u"\uFF71\uFF9F", "\xef\xbd\xb1\xef\xbe\x9f"},
    {"kanji", "\x94\x7a\x8b\xd8", u"\u914D\u7B4B", "\xe9\x85\x8d\xe7\xad\x8b"},
    {"second byte 0x5C", "\x95\x5c", u"\u8868", "\xe8\xa1\xa8"},
    {"wave dash", "\x81\x60", u"\uFF5E", "\xef\xbd\x9e"},
    {"double vertical", "\x81\x61", u"\u2225", "\xe2\x88\xa5"},
    {"minus", "\x81\x7c", u"\uFF0D", "\xef\xbc\x8d"},
    {"not sign", "\x81\xca", u"\uFFE2", "\xef\xbf\xa2"},
    {"circled one", "\x87\x40", u"\u2460", "\xe2\x91\xa0"},
    {"user defined", "\xf0\x40", u"\uE000", "\xee\x80\x80"},
    {"windows singles", "\x80\xa0\xfd\xfe\xff", u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3",
     "\xc2\x80\xef\xa3\xb0\xef\xa3\xb1\xef\xa3\xb2\xef\xa3\xb3"},
    {"phi", "\x83\xd3", u"\u03C6", "\xcf\x86"},
};

TEST(TextCodec, CharactersConvertEveryWayAndBack) {
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(Cp932ToUtf16(c.Cp932), c.Utf16);
        EXPECT_EQ(Utf16ToCp932(c.Utf16), c.Cp932);
        EXPECT_EQ(Utf16ToUtf8(c.Utf16), c.Utf8);
        EXPECT_EQ(Utf8ToUtf16(c.Utf8), c.Utf16);
        EXPECT_EQ(Cp932ToUtf8(c.Cp932), c.Utf8);
        EXPECT_EQ(Utf8ToCp932(c.Utf8), c.Cp932);
    }
}

TEST(TextCodec, DuplicatedCharactersEncodeToThePreferredCode) {
    // NEC-selected IBM extensions (0xED..0xEE) and NEC row 13 duplicates decode like their
    // preferred codes, which encoding gives back.
    EXPECT_EQ(Cp932ToUtf16("\xed\x40"), u"\u7E8A");
    EXPECT_EQ(Utf16ToCp932(u"\u7E8A"), "\xfa\x5c");
    EXPECT_EQ(Cp932ToUtf16("\x87\x90"), u"\u2252");
    EXPECT_EQ(Utf16ToCp932(u"\u2252"), "\x81\xe0");
    EXPECT_EQ(Utf16ToCp932(u"\u2170"), "\xfa\x40"); // small roman one: the IBM code
    EXPECT_EQ(Utf16ToCp932(u"\u2160"), "\x87\x54"); // roman one: the NEC special row
    EXPECT_EQ(Utf16ToCp932(u"\uFFE2"), "\x81\xca"); // not sign: the JIS code
}

TEST(TextCodec, BrokenInputBecomesReplacements) {
    // An unmapped pair, a lead byte before a byte that cannot follow it, a lead byte at the end.
    EXPECT_EQ(Cp932ToUtf16("\x81\xad"
                           "A\x81 B\x81"),
              u"\u30FBA\u30FB B\u30FB");
    // Strictly, each byte that starts no character is one replacement.
    const TCp932Decoding strict{u'?', true};
    EXPECT_EQ(Cp932ToUtf16("\x81\xad\x80\xa0\xfd", strict), u"?\uFF6D???");
    // Characters the code page lacks, and lone surrogates.
    EXPECT_EQ(Utf16ToCp932(u"\u00E9\U0001F600x"), "???x");
    EXPECT_EQ(Utf16ToUtf8(u"\xD800"
                          "a\xDC00"),
              "\xef\xbf\xbd"
              "a\xef\xbf\xbd");
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xf0\x9f\x98\x80");
    // Overlong, surrogate, cut and stray bytes in UTF-8.
    EXPECT_EQ(Utf8ToUtf16("\xc0\xaf"
                          "\xed\xa0\x80"
                          "\xe3\x81"
                          "A"),
              u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDA");
    EXPECT_EQ(Utf8ToUtf16("\xf0\x9f\x98\x80"), u"\U0001F600");
}

TEST(TextCodec, EveryDoubleByteCharacterRoundTripsThroughItsPreferredCode) {
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string unit = Cp932ToUtf16(code, TCp932Decoding{u'?', true});
            if (unit.size() != 1) {
                continue; // no lead byte: two single-byte characters
            }
            ++characters;
            // Decoding the preferred code gives the same character again.
            EXPECT_EQ(Cp932ToUtf16(Utf16ToCp932(unit)), unit) << lead << " " << trail;
        }
    }
    EXPECT_EQ(characters, 9604);
}

// The host's escape for a character its code page lacks, both ways.
TEST(TextCodec, CharactersCp932LacksAreWrittenAndReadAsEscapes) {
    const struct {
        std::u16string text;
        std::string cp932;
        std::int32_t escaped;
    } cases[] = {
        {u"D13", "D13", 0},
        {u"\u00e9", "\\U+00E9", 1}, // é, upper-case hex
        {u"\u4eecD16\u20ac", "\\U+4EECD16\\U+20AC", 2},
        {u"\U0001F600", "\\U+1F600", 1},          // beyond the BMP: one escape, five digits
        {u"\u03c6\u9244", "\x83\xd3\x93\x53", 0}, // φ鉄 are CP932's
    };
    for (const auto& c : cases) {
        std::int32_t escaped = 0;
        EXPECT_EQ(Utf16ToCp932Escaping(c.text, &escaped), c.cp932);
        EXPECT_EQ(escaped, c.escaped);
    }
    EXPECT_EQ(DecodeUnicodeEscapes(u"\\U+00e9x\\U+03C6\\U+12\\u+00E9"),
              u"\u00e9x\u03c6\\U+12\\u+00E9"); // four hex digits after an upper-case U
}

} // namespace
} // namespace kolvo
