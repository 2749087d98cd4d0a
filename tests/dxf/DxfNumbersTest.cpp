#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "DxfNumbers.h"
#include "Errors.h"

namespace kolvo {
namespace {

TEST(DxfNumbers, IntegerSyntax) {
    const struct {
        const char* line;
        std::int32_t value;
    } valid[] = {{"0", 0},
                 {"  0", 0},
                 {" 10", 10},
                 {"-5", -5},
                 {"+7", 7},
                 {"   -2147483648", std::numeric_limits<std::int32_t>::min()},
                 {"2147483647", std::numeric_limits<std::int32_t>::max()},
                 {"000000000000000000042", 42}};
    for (const auto& c : valid) {
        std::int32_t value = -99;
        EXPECT_TRUE(TryParseDxfInteger(c.line, value)) << c.line;
        EXPECT_EQ(value, c.value) << c.line;
    }
    for (const char* line : {"", " ", "-", "0 ", "1.0", "- 5", "+-5", "2147483648", "-2147483649",
                             "99999999999999999999", "0x10", "1e2", "\t1", "12a"}) {
        std::int32_t value = -99;
        EXPECT_FALSE(TryParseDxfInteger(line, value)) << '"' << line << '"';
    }
}

TEST(DxfNumbers, RealSyntaxAndExactness) {
    const struct {
        const char* line;
        double value;
    } valid[] = {{"1.5", 1.5},
                 {"  -2.25", -2.25},
                 {"+3", 3},
                 {"10", 10},
                 {"1E+05", 1e5},
                 {"1e-3", 1e-3},
                 {".5", 0.5},
                 {"5.", 5},
                 {"2.5  ", 2.5},
                 {"  0.1  ", 0.1},
                 {"-0.0", 0.0},
                 {"1e-400", 0.0},
                 {"123456.789012345678", 123456.789012345678},
                 {"0.30000000000000004", 0.30000000000000004}};
    for (const auto& c : valid) {
        double value = -99;
        EXPECT_TRUE(TryParseDxfReal(c.line, value)) << c.line;
        EXPECT_EQ(value, c.value) << c.line; // exact: the correctly rounded double
    }
    double tiny = 1;
    ASSERT_TRUE(TryParseDxfReal("-1e-400", tiny));
    EXPECT_TRUE(tiny == 0.0 && std::signbit(tiny));

    for (const char* line : {"", " ", ".", "-", "1.5x", "1,5", "1e", "1e+", "e5", "1e999", "-1e999",
                             "- 1", "1 .5", "nan", "inf", "0x1p3", "1.2.3", "\t1"}) {
        double value = -99;
        EXPECT_FALSE(TryParseDxfReal(line, value)) << '"' << line << '"';
    }
}

// The messages are the runtime's texts in CP932, with the offending line quoted as it stands.
// Short plain decimals take a quicker way than the full conversion; both must give the correctly
// rounded double, so the quick one is checked against the C library on many random values.
TEST(DxfNumbers, PlainDecimalsAreRoundedAsTheFullConversionRoundsThem) {
    std::mt19937_64 random(15);
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 17);
        std::string text = random() % 2 ? "-" : "";
        for (int d = 0; d < digits; ++d) {
            text += static_cast<char>('0' + random() % 10);
        }
        text.insert(text.size() - random() % (digits + 1), ".");
        if (text == "." || text == "-.") {
            continue;
        }
        double value = 0;
        ASSERT_TRUE(TryParseDxfReal(text, value)) << text;
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(value, expected) << text;
        ASSERT_EQ(std::signbit(value), std::signbit(expected)) << text;
        ASSERT_EQ(DxfStrToFloat(text), expected) << text;
    }
}

TEST(DxfNumbers, ConversionErrorMessages) {
    try {
        DxfStrToInt("  0 ");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "'  0 ' \x82\xcd\x90\xae\x90\x94\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9"
                  "\x82\xf1");
    }
    try {
        DxfStrToFloat("1.5x");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "'1.5x' \x82\xcd\x95\x82\x93\xae\x8f\xac\x90\x94\x93\x5f\x90\x94\x82\xc5\x82\xcd"
                  "\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1");
    }
    EXPECT_EQ(DxfStrToInt(" 62"), 62);
    EXPECT_EQ(DxfStrToFloat("-7.25"), -7.25);
}

} // namespace
} // namespace kolvo
