// Drawings whose numbers a report cannot show are refused: never "INF", "NAN" or a run of
// digits that means nothing, and no bar quietly lost to an overflow in the geometry.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "Analysis.h"
#include "Errors.h"
#include "NumberLimits.h"
#include "TestFiles.h"

namespace kolvo {
namespace {

using testing::ReadBytes;
using testing::TTempFolder;

TEST(NumberLimits, TheLastExactWholeNumberIsTheLimitEitherWay) {
    EXPECT_TRUE(IsPrintableMagnitude(MaxPrintableMagnitude));
    EXPECT_TRUE(IsPrintableMagnitude(-MaxPrintableMagnitude));
    EXPECT_FALSE(IsPrintableMagnitude(std::nextafter(MaxPrintableMagnitude, 1e300)));
    EXPECT_FALSE(IsPrintableMagnitude(-std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(IsPrintableMagnitude(std::numeric_limits<double>::quiet_NaN()));
}

// Each drawing in tests/data/damaged has one bar found at its label's tip; only its ends vary.
TEST(NumberLimits, DrawingsBeyondTheLimitAreRefusedWithoutReports) {
    for (const char* name : {"length-overflows", "coordinates-overflow-difference",
                             "coordinates-too-long", "length-too-long"}) {
        SCOPED_TRACE(name);
        TTempFolder folder;
        const std::string path =
            testing::BuildPath(KOLVO_TEST_DATA_DIR) + "/damaged/" + std::string(name) + ".dxf";
        ASSERT_TRUE(testing::FileExists(path));
        std::string message = "(tallied)";
        try {
            TallyBarsFromDxf(path, folder.File("bars"));
        } catch (const EDamagedDrawing& e) {
            message = e.what();
        }
        EXPECT_EQ(message, TooLargeNumberMessage);
        EXPECT_FALSE(testing::FileExists(folder.File("bars.csv")));
        EXPECT_FALSE(testing::FileExists(folder.File("bars.txt")));
    }
}

} // namespace
} // namespace kolvo
