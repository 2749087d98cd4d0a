#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "BarDiameter.h"

namespace kolvo {
namespace {

constexpr TBarDiameter D(int Size) {
    return {TBarKind::Deformed, Size};
}
constexpr TBarDiameter Phi(int Size) {
    return {TBarKind::Round, Size};
}
constexpr TBarDiameter kUnknown{};

// The labels below are written as text; these are the CP932 bytes they stand for.
static_assert(std::string_view("φ") == "\x83\xD3");
static_assert(std::string_view("ゥ") == "\x83\x44");
static_assert(std::string_view("ア") == "\x83\x41");
static_assert(std::string_view("モc") == "\x83\x82\x63");
static_assert(std::string_view("ャﾓ") == "\x83\x83\xD3");

std::string Describe(const TBarDiameter& Diameter) {
    std::string text = Diameter.Kind == TBarKind::Deformed ? "D"
                       : Diameter.Kind == TBarKind::Round  ? "phi"
                                                           : "unknown";
    text += Diameter.Kind == TBarKind::Unknown ? "" : std::to_string(Diameter.Size);
    return text;
}

TEST(ReadBarDiameter, FollowsTheLabelGrammar) {
    struct Case {
        const char* Label; // CP932, as the reports write it
        TBarDiameter Expected;
    };
    const Case cases[] = {
        // The forms draughtsmen write.
        {"4-D25", D(25)},
        {"D13@200", D(13)},
        {"@200D13", D(13)},
        {"はかま筋D13", D(13)},
        {"2-D22", D(22)},
        {"D6", D(6)},
        {"D51", D(51)},
        {"D13\x83", D(13)}, // a lead byte cut off at the end stays one character
        // Full-width letter and digits, alone and mixed.
        {"Ｄ１３", D(13)},
        {"4-Ｄ２５@150", D(25)},
        {"Ｄ16", D(16)},
        {"D１９", D(19)},
        // Round bars: phi as the reader writes \U+03C6, and the %%c code typed in.
        {"φ13", Phi(13)},
        {"φ２８", Phi(28)},
        {"%%c9", Phi(9)},
        {"%%C32", Phi(32)},
        {"2-%%c16@300", Phi(16)},
        // Grade marks are no diameters; a diameter beside one still counts.
        {"SD345", kUnknown},
        {"SD295A D19", D(19)},
        {"D19 SD390", D(19)},
        {"HD13", kUnknown},
        {"d13", kUnknown},
        // One diameter named twice is that diameter; two different ones are unknown.
        {"D13@200D13", D(13)},
        {"D13+Ｄ１３", D(13)},
        {"D10,D13", kUnknown},
        {"D13,φ13", kUnknown},
        {"D13,SD345", D(13)},
        // Digits: one or two, and no further digit after them.
        {"D", kUnknown},
        {"D-13", kUnknown},
        {"D130", kUnknown},
        {"D１３０", kUnknown},
        {"φ130", kUnknown},
        {"D130 D13", D(13)},
        {"%c13", kUnknown},
        {"", kUnknown},
        {"はかま筋", kUnknown},
        // Sizes without a unit mass.
        {"D14", kUnknown},
        {"D9", kUnknown},
        {"φ10", kUnknown},
        {"%%c10", kUnknown},
        {"D14,D13", kUnknown},
        // Second bytes of double-byte characters are never read as characters.
        {"ゥ13", kUnknown},  // 0x83 0x44: "D" as a second byte
        {"アD13", D(13)},    // 0x83 0x41: a second byte that looks like a letter is no letter
        {"モc13", kUnknown}, // 0x83 0x82 0x63: Ｄ across a character boundary
        {"ャﾓ13", kUnknown}, // 0x83 0x83 0xD3: φ across a character boundary
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(ReadBarDiameter(c.Label)), Describe(c.Expected)) << "label: " << c.Label;
    }
}

TEST(LabelCount, ACountOfTwoOrMoreBeforeADashIsRead) {
    const struct {
        const char* Label;
        int Count;
    } cases[] = {
        {"4-D25", 4},   {"２－D22", 2}, {"12-D13", 12}, {"9999-D10", 9999},
        {"2－D19", 2},  {"1-D10", 0},   {"0-D10", 0},   {"12345-D13", 0},
        {"D13-4", 0},   {"4D25", 0},    {"-D25", 0},    {"4 -D25", 0},
        {"表4-D25", 0}, {"", 0},        {"4-", 4},      {"03-D13", 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadLabelCount(c.Label), c.Count) << "label: " << c.Label;
    }
}

} // namespace
} // namespace kolvo
