#include <gtest/gtest.h>

#include <string>

#include "FileNames.h"

namespace kolvo {
namespace {

// One report name as the dialog and as the command line turn it into a summary name, side by
// side: where they differ, they differ on purpose.
struct TNameCase {
    const char* Report;
    const char* Dialog;
    const char* CommandLine;
};

TEST(FileNames, DialogAndCommandLineSummaryNames) {
    const TNameCase cases[] = {
        {"plan", "plan.csv", "plan.csv"},
        {"plan.csv", "plan.csv", "plan.csv"},
        {"plan.dat", "plan.csv", "plan.dat"},
        {"plan.txt", "plan.csv", "plan.txt"},
        {"C:\\a.b\\plan", "C:\\a.b\\plan.csv", "C:\\a.b\\plan.csv"},
        {"\x95\x5c", "\x95\x5c.csv", "\x95\x5c.csv"}, // 表: its 0x5C is no separator
    };
    for (const TNameCase& c : cases) {
        SCOPED_TRACE(c.Report);
        EXPECT_EQ(DialogReportPath(c.Report), c.Dialog);
        EXPECT_EQ(SummaryReportPath(c.Report), c.CommandLine);
    }
    EXPECT_EQ(DialogDxfPath("C:\\work\\Kolvo"), "C:\\work\\Kolvo.dxf");
}

TEST(FileNames, DetailExtensionAndUtf8Names) {
    EXPECT_TRUE(IsDetailReportExt(".txt", false));
    EXPECT_FALSE(IsDetailReportExt(".TXT", false));
    EXPECT_TRUE(IsDetailReportExt(".TxT", true));
    EXPECT_FALSE(IsDetailReportExt(".txt2", true));
    EXPECT_FALSE(IsDetailReportExt("txt", true));
    // 配筋.csv in UTF-8: the CP932 rule takes the last byte of 筋 for a lead byte and misses the
    // dot; the UTF-8 rule finds it.
    const std::string utf8 = "\xe9\x85\x8d\xe7\xad\x8b.csv";
    EXPECT_EQ(FileExtPosition(utf8), std::string::npos);
    EXPECT_EQ(FileExtPositionUtf8(utf8), 6u);
    EXPECT_EQ(FileExtPositionUtf8("a.b/c"), std::string::npos);
}

TEST(FileNames, ANameInAFolder) {
#ifdef _WIN32
    EXPECT_EQ(CommandLinePathIn("C:\\work", "a.csv"), "C:\\work\\a.csv");
    EXPECT_EQ(CommandLinePathIn("C:\\work\\", "a.csv"), "C:\\work\\a.csv");
    EXPECT_EQ(CommandLinePathIn("C:/work/", "a.csv"), "C:/work/a.csv");
    EXPECT_EQ(CommandLinePathIn("C:", "a.csv"), "C:a.csv");
    // 表 ends in 0x5C, which is no separator.
    EXPECT_EQ(CommandLinePathIn("C:\\\x95\x5c", "a.csv"), "C:\\\x95\x5c\\a.csv");
#else
    EXPECT_EQ(CommandLinePathIn("/work", "a.csv"), "/work/a.csv");
    EXPECT_EQ(CommandLinePathIn("/work/", "a.csv"), "/work/a.csv");
    EXPECT_EQ(CommandLinePathIn("/", "a.csv"), "/a.csv");
#endif
    EXPECT_EQ(CommandLinePathIn("", "a.csv"), "a.csv");
}

} // namespace
} // namespace kolvo
