// The one writer: a set of files replaced whole or not at all, never a temporary file left
// behind, and no target that is the drawing or another target of its set.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "FileSystem.h"
#include "OutputFiles.h"
#include "TestFiles.h"

namespace kolvo {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

std::set<std::string> Names(const TTempFolder& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(folder.Path()))) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

class WriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(folder.File("plan.csv"), "old summary");
        WriteBytes(folder.File("plan.txt"), "old detail");
        WriteBytes(folder.File("plan.dxf"), "drawing");
    }
    void ExpectOldFilesOnly() const {
        EXPECT_EQ(ReadBytes(folder.File("plan.csv")), "old summary");
        EXPECT_EQ(ReadBytes(folder.File("plan.txt")), "old detail");
        EXPECT_EQ(ReadBytes(folder.File("plan.dxf")), "drawing");
    }
    std::vector<TOutputFile> Set(const std::string& last) const {
        return {{folder.File("plan.csv"), "new summary"},
                {folder.File("plan.txt"), "new detail"},
                {folder.File(last), "new last"}};
    }

    TTempFolder folder;
};

TEST_F(WriterTest, ReplacesTheWholeSetAndLeavesNothingElse) {
    const TWriteOutcome outcome = WriteFileSet(Set("plan.mass.csv"), folder.File("plan.dxf"));
    EXPECT_TRUE(outcome.Written());
    EXPECT_EQ(ReadBytes(folder.File("plan.csv")), "new summary");
    EXPECT_EQ(ReadBytes(folder.File("plan.txt")), "new detail");
    EXPECT_EQ(ReadBytes(folder.File("plan.mass.csv")), "new last");
    EXPECT_EQ(Names(folder),
              (std::set<std::string>{"plan.csv", "plan.txt", "plan.dxf", "plan.mass.csv"}));
    // An empty file is a file of its own.
    EXPECT_TRUE(WriteFileSet({{folder.File("empty.csv"), ""}}).Written());
    EXPECT_EQ(ReadBytes(folder.File("empty.csv")), "");
}

TEST_F(WriterTest, AFailureOnTheLastFileLeavesEveryOldFileAndNoTemporaryOne) {
    // Each makes the last target of the set one that cannot be written, and returns it.
    const struct {
        const char* what;
        std::function<std::string(const TTempFolder&)> lastTarget;
    } cases[] = {
        {"a folder in its place",
         [](const TTempFolder& f) {
             fs::create_directory(f.File("last"));
             return f.File("last");
         }},
        {"a read-only file",
         [](const TTempFolder& f) {
             WriteBytes(f.File("last"), "kept");
             fs::permissions(f.File("last"),
                             fs::perms::owner_write | fs::perms::group_write |
                                 fs::perms::others_write,
                             fs::perm_options::remove);
             return f.File("last");
         }},
        {"a folder that does not exist",
         [](const TTempFolder& f) { return f.File("missing") + "/last"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TTempFolder each;
        WriteBytes(each.File("plan.csv"), "old summary");
        WriteBytes(each.File("plan.txt"), "old detail");
        const std::string last = c.lastTarget(each);
        const std::set<std::string> before = Names(each);
        const TWriteOutcome outcome = WriteFileSet({{each.File("plan.csv"), "new summary"},
                                                    {each.File("plan.txt"), "new detail"},
                                                    {last, "new last"}});
        EXPECT_EQ(outcome.Status, TWriteOutcome::TStatus::Failed);
        EXPECT_EQ(outcome.Path, last);
        EXPECT_NE(outcome.Code, 0);
        EXPECT_EQ(ReadBytes(each.File("plan.csv")), "old summary");
        EXPECT_EQ(ReadBytes(each.File("plan.txt")), "old detail");
        EXPECT_EQ(Names(each), before);
        if (fs::is_regular_file(fs::path(last))) {
            EXPECT_EQ(ReadBytes(last), "kept");
            fs::permissions(last, fs::perms::owner_write, fs::perm_options::add);
        }
    }
}

TEST_F(WriterTest, RefusesTheDrawingAndATargetNamedTwice) {
    const std::set<std::string> before = Names(folder);
    const struct {
        std::string last;
        std::string refused;
    } cases[] = {
        {"plan.dxf", "plan.dxf"},
        // The same file spelt another way.
        {"./plan.dxf", "./plan.dxf"},
        {"plan.csv", "plan.csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.last);
        const TWriteOutcome outcome = WriteFileSet(Set(c.last), folder.File("plan.dxf"));
        EXPECT_EQ(outcome.Status, TWriteOutcome::TStatus::Refused);
        EXPECT_EQ(outcome.Path, folder.File(c.refused));
        ExpectOldFilesOnly();
        EXPECT_EQ(Names(folder), before);
    }
    EXPECT_EQ(RefusedTarget({folder.File("a.csv"), folder.File("a.txt")}, folder.File("plan.dxf")),
              "");
#ifdef _WIN32
    // Windows ignores the case of letters in names.
    EXPECT_EQ(RefusedTarget({folder.File("a.csv"), folder.File("A.CSV")}, {}),
              folder.File("A.CSV"));
    // ...but not in the second byte of a double-byte character: 0x83 0x41 (ア) and 0x83 0x61 (ヂ).
    EXPECT_EQ(RefusedTarget({folder.File("\x83\x41"), folder.File("\x83\x61")}, {}), "");
#endif
}

} // namespace
} // namespace kolvo
