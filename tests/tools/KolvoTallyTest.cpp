// kolvo-tally as a user runs it: the built program, its exit codes, its messages and the files
// it leaves behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "ConsoleText.h"
#include "ProcessRunner.h"
#include "TestFiles.h"

namespace kolvo {
namespace {

using testing::BuildPath;
using testing::FileExists;
using testing::ReadBytes;
using testing::RunProgram;
using testing::TRunResult;
using testing::TTempFolder;
using testing::WriteBytes;

// What the terminal receives for a Japanese text: UTF-8 on Linux, the ANSI code page (CP932,
// which is what a plain literal holds here) on Windows, where a pipe also gets CR LF.
#ifdef _WIN32
#define SHOWN(text) std::string(text)
const std::string Eol = "\r\n";
#else
#define SHOWN(text) std::string(reinterpret_cast<const char*>(u8##text))
const std::string Eol = "\n";
#endif

std::string Sample(const std::string& name) {
    return BuildPath(KOLVO_SAMPLES_DIR) + "/" + name;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class KolvoTally : public ::testing::Test {
protected:
    TRunResult Run(const std::vector<std::string>& args) {
        return RunProgram(BuildPath(KOLVO_TALLY_EXE), args, scratch_.File(""));
    }
    // Names of the files in the work folder.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(work_.File(""))) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
    std::string Work(const std::string& name) const { return work_.File(name); }

private:
    TTempFolder work_;
    TTempFolder scratch_; // the captured output lives apart from the reports
};

TEST_F(KolvoTally, WritesBothReportsAndNamesTheSummary) {
    const std::string report = Work("beam");
    const TRunResult r = Run({Sample("beam-g1.dxf"), report});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, SHOWN("集計結果を") + report + ".csv" + SHOWN("へ保存しました") + Eol);
    // The sample's two grid bubbles are block references, whose insides are not read.
    EXPECT_EQ(r.Err,
              SHOWN("警告: ブロック参照が 2 個あります。ブロックの中の符号や鉄筋は数えていません") +
                  Eol);
    EXPECT_EQ(ReadBytes(report + ".csv"), ReadBytes(Sample("beam-g1.expected.csv")));
    EXPECT_EQ(ReadBytes(report + ".txt"), ReadBytes(Sample("beam-g1.expected.txt")));
}

TEST_F(KolvoTally, AReportNameWithItsOwnExtensionIsTheSummary) {
    WriteBytes(Work("plan.dat"), "old summary");
    const TRunResult r = Run({Sample("slab-s1.dxf"), Work("plan.dat")});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_TRUE(Contains(r.Out, Work("plan.dat") + SHOWN("へ保存しました")));
    EXPECT_EQ(ReadBytes(Work("plan.dat")), ReadBytes(Sample("slab-s1.expected.csv")));
    EXPECT_EQ(ReadBytes(Work("plan.txt")), ReadBytes(Sample("slab-s1.expected.txt")));
}

TEST_F(KolvoTally, ADotInAFolderNameIsNoExtension) {
    std::filesystem::create_directory(Work("rev.2"));
    const std::string report = Work("rev.2") + "/plan";
    const TRunResult r = Run({Sample("beam-g1.dxf"), report});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(ReadBytes(report + ".csv"), ReadBytes(Sample("beam-g1.expected.csv")));
    EXPECT_EQ(ReadBytes(report + ".txt"), ReadBytes(Sample("beam-g1.expected.txt")));
    EXPECT_EQ(Files().size(), 1u); // nothing beside the folder
}

TEST_F(KolvoTally, AMissingDrawingCreatesAndDeletesNothing) {
    WriteBytes(Work("old.csv"), "keep me");
    WriteBytes(Work("old.txt"), "keep me too");
    for (const std::string& drawing : {Work("nothere.dxf"), Work("")}) { // a folder is no drawing
        SCOPED_TRACE(drawing);
        for (const std::string& report : {Work("old"), Work("new")}) {
            const TRunResult r = Run({drawing, report});
            EXPECT_EQ(r.ExitCode, 2);
            EXPECT_TRUE(Contains(r.Err, drawing == Work("")
                                            ? SHOWN("図面が普通のファイルではありません")
                                            : SHOWN("図面ファイルが見つかりません")));
            EXPECT_TRUE(Contains(r.Err, drawing)) << r.Err;
            EXPECT_EQ(r.Out, "");
        }
    }
    EXPECT_EQ(ReadBytes(Work("old.csv")), "keep me");
    EXPECT_EQ(ReadBytes(Work("old.txt")), "keep me too");
    EXPECT_EQ(Files().size(), 2u);
}

TEST_F(KolvoTally, UsageErrorsExitWithTwoAndCreateNothing) {
    const std::string drawing = Sample("beam-g1.dxf");
    const std::string report = Work("r");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {drawing},
        {drawing, report, Work("extra")},
        {"-x", drawing, report},
        {drawing, report, "--verbose"},
        {drawing, ""},
        {drawing, report, "--weights"},
        {"--mm-per-unit", "0", drawing, report},
        {"--mm-per-unit", "-1", drawing, report},
        {"--mm-per-unit", "inf", drawing, report},
        {"--mm-per-unit", "1mm", drawing, report},
        {drawing, report, "--weights", report + ".csv"},
        {"--check", Work("c.png"), drawing, report},
        {drawing, report, "--check", Work("c")},
    };
    for (const auto& args : cases) {
        const TRunResult r = Run(args);
        EXPECT_EQ(r.ExitCode, 2) << args.size();
        EXPECT_TRUE(Contains(r.Err, SHOWN("使い方: kolvo-tally"))) << r.Err;
        EXPECT_EQ(r.Out, "");
    }
    EXPECT_TRUE(Files().empty());
}

// The mass table of a sample read as drawn in centimetres, worked out by hand; options may
// stand anywhere.
TEST_F(KolvoTally, WritesTheMassTableAfterTheReports) {
    const TRunResult r = Run({"--mm-per-unit", "10", Sample("slab-s1.dxf"), "--weights",
                              Work("mass.csv"), "--", Work("plan")});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(ReadBytes(Work("mass.csv")),
              ReadBytes(BuildPath(KOLVO_TEST_DATA_DIR) + "/mass/slab-s1.mass-10mm.expected.csv"));
    EXPECT_EQ(ReadBytes(Work("plan.csv")), ReadBytes(Sample("slab-s1.expected.csv")));
    EXPECT_EQ(ReadBytes(Work("plan.txt")), ReadBytes(Sample("slab-s1.expected.txt")));

    // A mass table that cannot be written is named; the reports stand.
    const TRunResult failed =
        Run({Sample("beam-g1.dxf"), Work("plan"), "--weights", Work("no-folder") + "/m.csv"});
    EXPECT_EQ(failed.ExitCode, 1);
    EXPECT_TRUE(Contains(failed.Err, Work("no-folder") + "/m.csv")) << failed.Err;
    EXPECT_EQ(ReadBytes(Work("plan.csv")), ReadBytes(Sample("beam-g1.expected.csv")));
    EXPECT_EQ(Files().size(), 3u);
}

TEST_F(KolvoTally, HelpAndVersionAnswerAndExitWithZero) {
    TRunResult r = Run({"--help"});
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_TRUE(Contains(r.Out, SHOWN("使い方: kolvo-tally ")));
    EXPECT_TRUE(Contains(r.Out, "--weights"));
    EXPECT_TRUE(Contains(r.Out, "--version"));
    EXPECT_EQ(r.Err, "");

    r = Run({"--version"});
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_EQ(r.Out, "kolvo-tally " KOLVO_VERSION + Eol);

    // Help wins over whatever else stands on the line, and does nothing else.
    r = Run({Sample("beam-g1.dxf"), Work("r"), "--help"});
    EXPECT_EQ(r.ExitCode, 0);
    EXPECT_TRUE(Files().empty());
}

TEST_F(KolvoTally, AConversionErrorFailsWithTheReadersMessage) {
    // A LINE whose x is written in full-width digits, as a broken exporter might.
    const std::string drawing = Work("broken.dxf");
    WriteBytes(drawing, "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n"
                        "  8\r\n0\r\n 10\r\n\x82\x50\x82\x4f\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
    const TRunResult r = Run({drawing, Work("out")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(Contains(r.Err, SHOWN("'１０' は浮動小数点数ではありません"))) << r.Err;
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(Files(), std::vector<std::string>{"broken.dxf"}); // no report, nothing staged
}

// A failed run replaces nothing: last run's reports stay byte for byte, and no staged file is
// left beside them.
TEST_F(KolvoTally, AFailedRunKeepsTheEarlierReports) {
    WriteBytes(Work("cut.dxf"), "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n 10\r\nx\r\n");
    struct TCase {
        std::string Drawing;
        std::string Blocker; // a folder standing where one report goes
        std::string Named;   // what the message must name
    };
    const std::vector<TCase> cases = {
        {Work("cut.dxf"), "", ""},
        {Sample("beam-g1.dxf"), Work("plan.txt"), Work("plan.txt")},
        {Sample("beam-g1.dxf"), Work("plan.csv"), Work("plan.csv")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Blocker);
        for (const char* name : {"plan.csv", "plan.txt"}) {
            if (Work(name) != c.Blocker) {
                WriteBytes(Work(name), std::string("last run's ") + name);
            }
        }
        if (!c.Blocker.empty()) {
            std::filesystem::create_directory(c.Blocker);
        }
        const TRunResult r = Run({c.Drawing, Work("plan")});
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_EQ(r.Out, "");
        EXPECT_TRUE(Contains(r.Err, c.Named)) << r.Err;
        for (const char* name : {"plan.csv", "plan.txt"}) {
            if (Work(name) != c.Blocker) {
                EXPECT_EQ(ReadBytes(Work(name)), std::string("last run's ") + name);
            }
        }
        EXPECT_EQ(Files().size(), 3u); // the two reports (or the folder) and cut.dxf
        std::filesystem::remove_all(Work("plan.csv"));
        std::filesystem::remove_all(Work("plan.txt"));
    }
}

TEST_F(KolvoTally, ACutOffDrawingFailsAndSaysSo) {
    const std::string whole = ReadBytes(Sample("beam-g1.dxf"));
    const std::string drawing = Work("cut.dxf");
    WriteBytes(drawing, whole.substr(0, whole.find("ENDSEC", whole.find("ENTITIES")) - 20));
    const TRunResult r = Run({drawing, Work("out")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(Contains(r.Err, SHOWN("図面ファイルが途中で切れています"))) << r.Err;
    EXPECT_EQ(r.Out, "");
}

TEST_F(KolvoTally, ASummaryThatCannotBeCreatedFails) {
    const std::string report = Work("no-such-folder") + "/plan";
    const TRunResult r = Run({Sample("beam-g1.dxf"), report});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(Contains(r.Err, SHOWN("ファイルを作成できません"))) << r.Err;
    EXPECT_EQ(r.Out, "");
    EXPECT_TRUE(Files().empty());
}

TEST_F(KolvoTally, AReportNamedLikeTheDrawingIsRefusedAndTheDrawingKept) {
    const std::string original = ReadBytes(Sample("beam-g1.dxf"));
    WriteBytes(Work("g1.dxf"), original);
    WriteBytes(Work("g1.txt"), original); // a drawing exported under a .txt name

    TRunResult r = Run({Work("g1.dxf"), Work("g1.dxf")});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_EQ(ReadBytes(Work("g1.dxf")), original);

    r = Run({Work("g1.txt"), Work("g1")}); // the detail report would be g1.txt
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_EQ(ReadBytes(Work("g1.txt")), original);
    EXPECT_FALSE(FileExists(Work("g1.csv")));
}

TEST_F(KolvoTally, ASummaryNamedLikeItsDetailListIsRefused) {
    WriteBytes(Work("plan.txt"), "last week's list");
    for (const std::string& report : {Work("plan.txt"), Work("plan.TXT")}) {
        const TRunResult r = Run({Sample("beam-g1.dxf"), report});
        EXPECT_EQ(r.ExitCode, 2);
        EXPECT_TRUE(Contains(r.Err, ".txt")) << r.Err;
    }
    EXPECT_EQ(ReadBytes(Work("plan.txt")), "last week's list");
    EXPECT_EQ(Files().size(), 1u);
}

#ifndef _WIN32
TEST_F(KolvoTally, FileNamesAreUsedAsTheSystemGivesThem) {
    const std::string drawing = Work(SHOWN("配筋.dxf"));
    WriteBytes(drawing, ReadBytes(Sample("footing-f1.dxf")));
    // In UTF-8 the last byte of 筋 and of 計 looks like a CP932 lead byte: read as CP932 it
    // would hide the dot that follows.
    for (const std::string& name : {SHOWN("集計"), SHOWN("配筋.csv")}) {
        SCOPED_TRACE(name);
        const std::string report = Work(name);
        const TRunResult r = Run({drawing, report});
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
        const std::string stem = Work(name == SHOWN("集計") ? SHOWN("集計") : SHOWN("配筋"));
        EXPECT_EQ(r.Out, SHOWN("集計結果を") + stem + ".csv" + SHOWN("へ保存しました") + Eol);
        EXPECT_EQ(ReadBytes(stem + ".csv"), ReadBytes(Sample("footing-f1.expected.csv")));
        EXPECT_EQ(ReadBytes(stem + ".txt"), ReadBytes(Sample("footing-f1.expected.txt")));
    }
    EXPECT_EQ(Files().size(), 5u); // the drawing and two pairs of reports, nothing staged
}

TEST_F(KolvoTally, AFailedAnalysisKeepsReportsOfJapaneseNames) {
    const std::string drawing = Work("broken.dxf");
    WriteBytes(drawing, "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n 10\r\nx\r\n");
    WriteBytes(Work(SHOWN("配筋.csv")), "old");
    const TRunResult r = Run({drawing, Work(SHOWN("配筋.csv"))});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(ReadBytes(Work(SHOWN("配筋.csv"))), "old");
    EXPECT_EQ(Files().size(), 2u);
}

// Only a regular file is a drawing: a FIFO would block the read and /dev/zero never ends.
// Both are refused before anything is opened or created.
TEST_F(KolvoTally, ADrawingThatIsNoRegularFileIsRefused) {
    const std::string fifo = Work("pipe.dxf");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& drawing : {fifo, std::string("/dev/zero")}) {
        const TRunResult r = Run({drawing, Work("plan")});
        EXPECT_EQ(r.ExitCode, 2);
        EXPECT_TRUE(Contains(r.Err, SHOWN("図面が普通のファイルではありません"))) << r.Err;
        EXPECT_TRUE(Contains(r.Err, drawing)) << r.Err;
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"pipe.dxf"});
}
#endif

TEST(ConsoleText, ProgramTextsReachTheTerminalInItsEncoding) {
    EXPECT_EQ(ProgramTextToSystem("集計結果を"), SHOWN("集計結果を"));
    EXPECT_EQ(TConsoleLine().Text("集計結果を").Name("a/b").Text("へ").Bytes(),
              SHOWN("集計結果を") + "a/b" + SHOWN("へ"));
#ifndef _WIN32
    // Bytes that are no CP932 text do not stop the message.
    EXPECT_EQ(ProgramTextToSystem("A\xa0"
                                  "B"),
              "A?B");
    EXPECT_EQ(ProgramTextToSystem("D13\x81"), "D13?");
    // A name is never converted, even where it is no valid CP932.
    EXPECT_EQ(TConsoleLine().Name("\xe9\x85\x8d").Bytes(), "\xe9\x85\x8d");
#endif
}

} // namespace
} // namespace kolvo
