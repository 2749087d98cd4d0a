#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "DecimalFormat.h"
#include "ExactSum.h"
#include "MassTable.h"

namespace kolvo {
namespace {

TEST(FormatScaled, RoundsHalvesAwayFromZeroOnTheExactValue) {
    struct Case {
        double Value;
        int Shift, Decimals;
        const char* Expected;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        // Millimetres to metres, three decimals: half a millimetre goes up.
        {0, 3, 3, "0.000"},
        {0.5, 3, 3, "0.001"},
        {0.49999999999999994, 3, 3, "0.000"},
        {1250.5, 3, 3, "1.251"},
        {1251.5, 3, 3, "1.252"}, // not to even
        {999.5, 3, 3, "1.000"},
        {12252.25, 3, 3, "12.252"},
        {1e20, 3, 3, "100000000000000000.000"},
        {5e-324, 3, 3, "0.000"},
        // Milligrams to kilograms, two decimals: 995000 mg is exactly 0.995 kg.
        {995000, 6, 2, "1.00"},
        {994999.99999999988, 6, 2, "0.99"},
        {5000, 6, 2, "0.01"},
        {4999.9999999999991, 6, 2, "0.00"},
        {9999995, 6, 2, "10.00"},
        {20941614.75, 6, 2, "20.94"},
        // Unshifted: the double nearest 0.015 lies below the half although 0.015 * 100 gives
        // exactly 1.5; the double nearest 2.675 lies below too, 0.125 is exact.
        {0.015, 0, 2, "0.01"},
        {2.675, 0, 2, "2.67"},
        {0.125, 0, 2, "0.13"},
        {15, 3, 2, "0.02"},
        // Signs and the values only a broken drawing gives.
        {-2.5, 0, 0, "-3"},
        {-0.4, 0, 0, "0"},
        {-1250.5, 3, 3, "-1.251"},
        {inf, 3, 3, "INF"},
        {-inf, 3, 3, "-INF"},
        {std::numeric_limits<double>::quiet_NaN(), 3, 3, "NAN"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatScaled(c.Value, c.Shift, c.Decimals), c.Expected)
            << c.Value << " shift " << c.Shift << " decimals " << c.Decimals;
    }
}

double SumInOrder(const std::vector<double>& Values) {
    TExactSum sum;
    for (double value : Values) {
        sum.Add(value);
    }
    return sum.Value();
}

TEST(ExactSum, GivesTheRoundedExactSumInAnyOrder) {
    // Plain addition from the left loses both ones; from the right it keeps them.
    EXPECT_EQ(SumInOrder({1e16, 1, 1}), 1e16 + 2);
    EXPECT_EQ(SumInOrder({1, 1, 1e16}), 1e16 + 2);
    EXPECT_EQ(SumInOrder({}), 0);

    // Multiples of 2^-20 below 2^32: their exact sum is an integer count of 2^-20, and a sum
    // beyond 2^53 of those counts must round once, to nearest.
    std::mt19937_64 random(13);
    std::uniform_int_distribution<std::int64_t> counts(0, (std::int64_t{1} << 52) - 1);
    std::vector<double> values;
    std::int64_t exactCount = 0;
    for (int i = 0; i < 1000; ++i) {
        const std::int64_t count = counts(random);
        exactCount += count;
        values.push_back(std::ldexp(static_cast<double>(count), -20));
    }
    const double expected = std::ldexp(static_cast<double>(exactCount), -20);
    for (int shuffle = 0; shuffle < 20; ++shuffle) {
        std::shuffle(values.begin(), values.end(), random);
        ASSERT_EQ(SumInOrder(values), expected) << "shuffle " << shuffle;
    }

    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(SumInOrder({1, inf, 2}), inf);
    EXPECT_EQ(SumInOrder({std::numeric_limits<double>::max(), 1e308, 5}), inf);
    EXPECT_TRUE(std::isnan(SumInOrder({1, std::numeric_limits<double>::quiet_NaN()})));
}

TEST(ParseMmPerUnit, AcceptsOnlyPositiveFiniteNumbers) {
    EXPECT_EQ(ParseMmPerUnit("1"), 1.0);
    EXPECT_EQ(ParseMmPerUnit("0.5"), 0.5);
    EXPECT_EQ(ParseMmPerUnit("1e3"), 1000.0);
    for (const char* bad :
         {"", "0", "-1", "+1", " 1", "1 ", "1mm", "abc", "inf", "nan", "1e999", "0x10"}) {
        EXPECT_FALSE(ParseMmPerUnit(bad).has_value()) << bad;
    }
}

} // namespace
} // namespace kolvo
