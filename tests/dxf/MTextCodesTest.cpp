#include <gtest/gtest.h>

#include <string>

#include "MTextCodes.h"

namespace kolvo {
namespace {

struct Case {
    const char* input;
    const char* expected;
};

void ExpectStripped(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(StripMTextCodes(c.input), c.expected) << "input: " << c.input;
    }
}

TEST(StripMTextCodes, RemovesTheFixedCodesOnly) {
    ExpectStripped({
        {R"(D13\P200)", "D13200"},
        {R"(\PD13)", "D13"},
        {R"(\P\P\P)", ""},
        {R"(\OD13\o)", "D13"},
        {R"(\LD13\l)", "D13"},
        {R"(A\T1.1;B)", "AB"},
        {R"(\C1;D13)", "D13"},
        {R"({\fArial|b0|i0;D13})", R"({\fArial|b0|i0;D13})"},
        {R"(\H2.5x;\A1;D13\~\\)", R"(\H2.5x;\A1;D13\~\\)"},
        {R"(\p\t\c)", R"(\p\t\c)"},
        {"", ""},
    });
}

TEST(StripMTextCodes, ValueCodesNeedTheirSemicolon) {
    ExpectStripped({
        // No ";" anywhere after it: the code stays.
        {R"(\C1D13)", R"(\C1D13)"},
        // The first ";" after the code ends it, even one that belongs to a later code.
        {R"(\C1D13\C2;X)", "X"},
        // A later unterminated occurrence of the same code stays; the next code still goes.
        {R"(A\T2;B\T3)", R"(AB\T3)"},
        {R"(\C1;D\T1)", R"(D\T1)"},
        {R"(\T1\C5)", R"(\T1\C5)"},
    });
}

TEST(StripMTextCodes, CodesFormedByARemoval) {
    ExpectStripped({
        // The code in hand, formed again: removed.
        {R"(\\PP)", ""},
        {R"(A\\PPB)", "AB"},
        {R"(\\T1;T2;X)", "X"},
        // A later code formed: removed in its turn.
        {R"(\\PO)", ""},
        {R"(\\PT1;X)", "X"},
        {R"(\\PC7;D13)", "D13"},
        // An earlier code formed: stays.
        {R"(\\OP)", R"(\P)"},
        {R"(\\C1;T2;X)", R"(\T2;X)"},
    });
}

// 0x95 0x5C is one character (the kanji for "table"); its second byte is no backslash.
TEST(StripMTextCodes, NeverMatchesOnASecondByte) {
    ExpectStripped({
        {"\x95\x5CP", "\x95\x5CP"},
        {"\x95\x5C\\P", "\x95\x5C"},
        {"\x95\x5C\\PP", "\x95\x5CP"},
        {"\x83\x5CT1;A", "\x83\x5CT1;A"},
        {"\x95\x5C\\C1;\x95\x5C", "\x95\x5C\x95\x5C"},
        {"\\OX\x95\x5CO", "X\x95\x5CO"},
        // A lead byte standing last is one character of its own.
        {"AB\\P\x95", "AB\x95"},
    });
}

TEST(ReplaceFirstPhiEscape, FirstOccurrenceOnly) {
    const struct {
        const char* input;
        const char* expected;
    } cases[] = {
        {R"(\U+03C613)", "\x83\xD3"
                         "13"},
        {R"(D\U+03C6\U+03C6)", "D\x83\xD3\\U+03C6"},
        {R"(\u+03c6)", R"(\u+03c6)"},
        {"\x95\x5CU+03C6", "\x95\x5CU+03C6"},
        {"\x95\x5C\\U+03C6", "\x95\x5C\x83\xD3"},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string text = c.input;
        ReplaceFirstPhiEscape(text);
        EXPECT_EQ(text, c.expected) << "input: " << c.input;
    }
}

} // namespace
} // namespace kolvo
