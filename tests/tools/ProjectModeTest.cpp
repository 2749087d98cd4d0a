// kolvo-tally --project over a folder of drawings in sub-folders, Japanese names among them and a
// damaged drawing: every drawing's files as a single run writes them, the project's files over
// all of them, and the same bytes whatever the number of jobs.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ConsoleText.h"
#include "FileSystem.h"
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

// A Japanese name as the system spells file names: CP932 (a plain literal here) on Windows,
// UTF-8 on Linux.
#ifdef _WIN32
#define NAMED(text) std::string(text)
#else
#define NAMED(text) std::string(reinterpret_cast<const char*>(u8##text))
#endif

std::string Sample(const std::string& name) {
    return BuildPath(KOLVO_SAMPLES_DIR) + "/" + name;
}

// A page with the time it was made left out, which is all that differs between two runs.
std::string Timeless(std::string page) {
    const std::size_t at = page.find("<time class=\"made-at\">");
    if (at != std::string::npos) {
        page.erase(at, page.find("</time>", at) - at);
    }
    return page;
}

// The fields of each line of a CP932 CSV file.
std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        std::vector<std::string> fields;
        for (std::size_t from = at;;) {
            const std::size_t comma = text.find(',', from);
            if (comma == std::string::npos || comma > end) {
                fields.push_back(text.substr(from, end - from));
                break;
            }
            fields.push_back(text.substr(from, comma - from));
            from = comma + 1;
        }
        rows.push_back(fields);
        at = end + 2;
    }
    return rows;
}

class ProjectMode : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string a = in_.Path() + "a", b = in_.Path() + "b",
                          deep = b + "/" + NAMED("図面");
        ASSERT_EQ(MakeFolders(deep), 0);
        ASSERT_EQ(MakeFolders(a), 0);
        WriteBytes(a + "/beam-g1.dxf", ReadBytes(Sample("beam-g1.dxf")));
        WriteBytes(b + "/slab-s1.dxf", ReadBytes(Sample("slab-s1.dxf")));
        WriteBytes(deep + "/" + NAMED("配筋") + ".dxf", ReadBytes(Sample("footing-f1.dxf")));
        const std::string whole = ReadBytes(Sample("beam-g1.dxf"));
        WriteBytes(a + "/cut.DXF", whole.substr(0, whole.size() / 2)); // cut off: refused
        WriteBytes(a + "/notes.txt", "not a drawing");
    }
    TRunResult Run(const std::vector<std::string>& args) {
        return RunProgram(BuildPath(KOLVO_TALLY_EXE), args, scratch_.File(""));
    }
    std::string Drawing(const std::string& name) const {
        // Names joined as bytes: a path of the standard library may read them in another
        // encoding than the system's.
        if (name == "beam-g1") {
            return in_.Path() + "a/beam-g1.dxf";
        }
        return name == "slab-s1" ? in_.Path() + "b/slab-s1.dxf"
                                 : in_.Path() + "b/" + NAMED("図面") + "/" + NAMED("配筋") + ".dxf";
    }

    TTempFolder in_, out_, scratch_;
    const std::vector<std::string> names_ = {"beam-g1", "slab-s1", NAMED("配筋")};
};

TEST_F(ProjectMode, EveryDrawingIsWrittenAsASingleRunWritesItAndTheProjectOverAll) {
    const std::string out = out_.File("project");
    const TRunResult r = Run({"--project", out, "--jobs", "2", in_.File("")});
    EXPECT_EQ(r.ExitCode, 1) << "the damaged drawing failed";
    EXPECT_NE(r.Err.find("cut.DXF"), std::string::npos) << r.Err;
    for (const char* ext : {".csv", ".txt", ".mass.csv", ".check.html"}) {
        EXPECT_FALSE(FileExists(out + "/cut" + ext)) << ext;
    }

    TTempFolder single;
    std::map<std::string, int> counts; // of each diameter over the drawings' own tables
    std::string summaries;
    for (const std::string& name : names_) {
        SCOPED_TRACE(name);
        const std::string report = single.Path() + name;
        const TRunResult one = Run({"--weights", report + ".mass.csv", "--check",
                                    report + ".check.html", Drawing(name), report});
        ASSERT_EQ(one.ExitCode, 0) << one.Err;
        for (const char* ext : {".csv", ".txt", ".mass.csv"}) {
            EXPECT_EQ(ReadBytes(out + "/" + name + ext), ReadBytes(report + ext)) << ext;
        }
        EXPECT_EQ(Timeless(ReadBytes(out + "/" + name + ".check.html")),
                  Timeless(ReadBytes(report + ".check.html")));
        for (const auto& row : CsvRows(ReadBytes(report + ".mass.csv"))) {
            counts[row[0]] += row[1] == "本数" ? 0 : std::stoi(row[1]);
        }
        const std::string summary = ReadBytes(report + ".csv");
        for (const auto& row : CsvRows(summary)) {
            summaries += (name == names_[2] ? "\x94\x7a\x8b\xd8" : name) + "," + row[0] + "," +
                         row[1] + "," + row[2] + "\r\n"; // 配筋 in CP932
        }
    }
    EXPECT_EQ(ReadBytes(out + "/project.csv"), "図面,符号,本数,長さ\r\n" + summaries);
    // The project's mass table counts every bar of the drawings' tables once.
    for (const auto& row : CsvRows(ReadBytes(out + "/project.mass.csv"))) {
        if (row[0] != "径") {
            EXPECT_EQ(std::stoi(row[1]), counts[row[0]]) << row[0];
        }
    }
    const std::string page = ReadBytes(out + "/project.html");
    // Links to the check pages in UTF-8, whatever the system spells names in, escaped as a link.
    for (const char* link : {"beam-g1", "slab-s1", "%E9%85%8D%E7%AD%8B"}) {
        EXPECT_NE(page.find(std::string("href=\"") + link + ".check.html\""), std::string::npos)
            << link;
    }
    EXPECT_NE(page.find("cut.DXF"), std::string::npos);
    EXPECT_EQ(page.find("<script"), std::string::npos);
}

TEST_F(ProjectMode, TheNumberOfJobsChangesNoByte) {
    std::vector<std::map<std::string, std::string>> written;
    for (const char* jobs : {"1", "4"}) {
        const std::string out = out_.File(std::string("jobs-") + jobs);
        EXPECT_EQ(Run({"--project", out, "--jobs", jobs, in_.File("")}).ExitCode, 1);
        std::map<std::string, std::string> files;
        for (const std::string& path : FilesUnder(out).Files) {
            files[path.substr(out.size())] = Timeless(ReadBytes(path));
        }
        written.push_back(files);
    }
    EXPECT_EQ(written[0].size(), 3u * 4 + 3);
    EXPECT_EQ(written[0], written[1]);
}

TEST_F(ProjectMode, DrawingsWhoseFilesWouldBeAnothersAreRefusedAndNothingIsWritten) {
    const struct {
        const char* Extra; // a drawing added to the folders
        const char* Said;
    } cases[] = {
        {"b/beam-g1.dxf", "同じ名前の図面"},
        {"b/BEAM-G1.dxf", nullptr}, // one name on Windows only
        {"b/slab-s1.mass.dxf", "重量表と同じ名前"},
        {"a/project.dxf", "プロジェクトの集計表"},
        {"b/Project.Mass.dxf", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Extra);
        WriteBytes(in_.File(c.Extra), ReadBytes(Sample("beam-g1.dxf")));
        const std::string out = out_.File(std::string("project-") + std::to_string(&c - cases));
        const TRunResult r = Run({"--project", out, in_.File("a"), in_.File("b")});
#ifdef _WIN32
        const bool refused = true;
#else
        const bool refused = c.Said != nullptr;
#endif
        if (refused) {
            EXPECT_EQ(r.ExitCode, 2);
            if (c.Said != nullptr) {
                EXPECT_NE(r.Err.find(ProgramTextToSystem(c.Said)), std::string::npos) << r.Err;
            }
            EXPECT_FALSE(FileExists(out) || testing::FolderExists(out));
        } else {
            EXPECT_EQ(r.ExitCode, 1) << r.Err; // only the damaged drawing fails
        }
        RemoveFile(in_.File(c.Extra));
    }
}

TEST_F(ProjectMode, ADrawingNamedTwiceIsTalliedOnce) {
    const std::string out = out_.File("project");
    // Spelt otherwise than the folder's search spells it.
    const TRunResult r = Run({"--project", out, in_.File("b"), in_.File("b/../b/slab-s1.dxf")});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(CsvRows(ReadBytes(out + "/project.csv")).size(),
              1 + CsvRows(ReadBytes(Sample("slab-s1.expected.csv"))).size() +
                  CsvRows(ReadBytes(Sample("footing-f1.expected.csv"))).size());
}

} // namespace
} // namespace kolvo
