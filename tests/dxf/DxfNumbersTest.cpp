#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
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

// Group codes take a quicker way: on every short line it must agree with the full conversion,
// and it must take every code as the host writes them.
TEST(DxfNumbers, GroupCodesAreReadAsTheFullConversionReadsThem) {
    const std::string alphabet = " 0123456789-+x";
    for (std::size_t length = 0; length <= 4; ++length) {
        std::size_t count = 1;
        for (std::size_t i = 0; i < length; ++i) {
            count *= alphabet.size();
        }
        for (std::size_t n = 0; n < count; ++n) {
            std::string line;
            for (std::size_t rest = n, i = 0; i < length; ++i, rest /= alphabet.size()) {
                line += alphabet[rest % alphabet.size()];
            }
            std::int32_t quick = -1;
            std::int32_t full = -2;
            if (TryParseGroupCode(line, quick)) {
                ASSERT_TRUE(TryParseDxfInteger(line, full)) << '"' << line << '"';
                ASSERT_EQ(quick, full) << '"' << line << '"';
            }
        }
    }
    for (int code = 0; code <= 999; ++code) {
        char line[8];
        std::snprintf(line, sizeof line, "%3d", code);
        std::int32_t value = -1;
        ASSERT_TRUE(TryParseGroupCode(line, value)) << line;
        ASSERT_EQ(value, code);
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

// The line as the reader hands it out, before its line break.
std::string_view BeforeBreak(const std::string& text) {
    thread_local std::string buffer;
    buffer = text + "\r\n";
    return std::string_view(buffer.data(), text.size());
}

// Plain decimals take a quicker way than the full conversion (one division, none without a
// fraction, from_chars beyond 2^53); all must give the correctly rounded double, so the quick one
// is checked against the C library on many random values, around 2^53 and 19 digits and with
// trailing zeros in the fraction.
TEST(DxfNumbers, PlainDecimalsAreRoundedAsTheFullConversionRoundsThem) {
    std::mt19937_64 random(15);
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 21);
        std::string text = random() % 2 ? "-" : "";
        text += i % 7 == 0 ? "900719925474099" : "";
        for (int d = 0; d < digits; ++d) {
            text += static_cast<char>('0' + random() % 10);
        }
        text += std::string(random() % 4 == 0 ? random() % 6 : 0, '0');
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
        ASSERT_TRUE(!TryParseRealBeforeBreak(BeforeBreak(text), value) || value == expected)
            << text;
    }
}

// The reader's quick way either leaves a line to the full conversion or gives what it gives.
TEST(DxfNumbers, TheReadersQuickWayAgreesWithTheFullConversion) {
    std::mt19937_64 random(16);
    const std::string alphabet = "0123456789000000000.- +eEx";
    int quick = 0;
    for (int i = 0; i < 300000; ++i) {
        std::string text;
        for (std::size_t n = random() % 28; n > 0; --n) {
            text += alphabet[random() % alphabet.size()];
        }
        double value = 0;
        if (TryParseRealBeforeBreak(BeforeBreak(text), value)) {
            ++quick;
            double expected = 0;
            ASSERT_TRUE(TryParseDxfReal(text, expected)) << text;
            ASSERT_EQ(value, expected) << text;
            ASSERT_EQ(std::signbit(value), std::signbit(expected)) << text;
        }
    }
    EXPECT_GT(quick, 1000);
}

// The messages are the runtime's texts in CP932, with the offending line quoted as it stands.
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

std::string Repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

// A line of a whole drawing without breaks is quoted by its start, cut between characters.
TEST(DxfNumbers, ALongLineIsQuotedByItsStart) {
    const std::string ellipsis = "\x81\x63"; // …
    const std::string hyo = "\x95\x5c";      // 表, whose second byte is a backslash's
    const struct {
        std::string line, quoted;
    } cases[] = {
        {Repeated("x", 80), Repeated("x", 80)},
        {Repeated("x", 81), Repeated("x", 80) + ellipsis},
        {Repeated("7", 5000000), Repeated("7", 80) + ellipsis},
        // Not cut in two: 79 bytes are quoted, not 80.
        {"a" + Repeated(hyo, 50), "a" + Repeated(hyo, 39) + ellipsis},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QuotedLine(c.line), c.quoted);
    }
    EXPECT_EQ(NotARealMessage(Repeated("x", 1000)),
              "'" + Repeated("x", 80) + ellipsis + NotARealMessage("").substr(1));
}

} // namespace
} // namespace kolvo
