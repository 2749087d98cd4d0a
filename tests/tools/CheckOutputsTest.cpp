// kolvo-tally's check outputs on hand-worked drawings: one label circle for each outcome and a
// bar counted by two labels. The check list is compared byte for byte; the check drawing is read
// back with the analysis' own reader; the check picture is parsed as XML.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "DrawingModel.h"
#include "DxfReader.h"
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

std::string Data(const std::string& name) {
    return BuildPath(KOLVO_TEST_DATA_DIR) + "/check/" + name;
}

// Checks that `xml` is well-formed (one root, tags nested and closed, attributes quoted, no raw
// "<" or "&" in text) and counts the class names of the elements.
bool CountXmlClasses(const std::string& xml, std::map<std::string, int>& classes,
                     int& overlayWithOneClass, std::string& problem) {
    const std::set<std::string> overlay = {"bar", "double", "leader", "point", "missing"};
    std::vector<std::string> open;
    bool rootSeen = false;
    std::size_t at = 0;
    while (at < xml.size()) {
        const std::size_t lt = xml.find('<', at);
        const std::string text =
            xml.substr(at, lt == std::string::npos ? std::string::npos : lt - at);
        for (std::size_t amp = text.find('&'); amp != std::string::npos;
             amp = text.find('&', amp + 1)) {
            const std::size_t semi = text.find(';', amp);
            if (semi == std::string::npos || semi - amp > 6) {
                return problem = "a raw & in text", false;
            }
        }
        if (lt == std::string::npos) {
            if (text.find_first_not_of(" \r\n\t") != std::string::npos) {
                return problem = "text after the root", false;
            }
            break;
        }
        const std::size_t gt = xml.find('>', lt);
        if (gt == std::string::npos) {
            return problem = "a tag never closed", false;
        }
        std::string tag = xml.substr(lt + 1, gt - lt - 1);
        at = gt + 1;
        if (tag.starts_with("?")) {
            continue;
        }
        if (tag.starts_with("/")) {
            if (open.empty() || open.back() != tag.substr(1)) {
                return problem = "</" + tag.substr(1) + "> closes nothing open", false;
            }
            open.pop_back();
            continue;
        }
        const bool empty = tag.ends_with("/");
        if (empty) {
            tag.pop_back();
        }
        std::istringstream parts(tag);
        std::string name;
        parts >> name;
        if (open.empty() && rootSeen) {
            return problem = "a second root", false;
        }
        rootSeen = true;
        // Attributes: name="value", each value quoted and free of "<".
        std::size_t pos = name.size();
        std::set<std::string> seen;
        int overlayClasses = 0;
        while ((pos = tag.find_first_not_of(" \r\n\t", pos)) != std::string::npos) {
            const std::size_t eq = tag.find("=\"", pos);
            const std::size_t close = eq == std::string::npos ? eq : tag.find('"', eq + 2);
            if (close == std::string::npos) {
                return problem = "an unquoted attribute in <" + name + ">", false;
            }
            const std::string attr = tag.substr(pos, eq - pos);
            const std::string value = tag.substr(eq + 2, close - eq - 2);
            if (!seen.insert(attr).second || value.find('<') != std::string::npos) {
                return problem = "a bad attribute " + attr, false;
            }
            if (attr == "class") {
                std::istringstream words(value);
                for (std::string word; words >> word;) {
                    ++classes[word];
                    overlayClasses += overlay.count(word) ? 1 : 0;
                }
            }
            pos = close + 1;
        }
        overlayWithOneClass += overlayClasses == 1 ? 1 : 0;
        if (!empty) {
            open.push_back(name);
        }
    }
    if (!open.empty() || !rootSeen) {
        return problem = "unclosed elements", false;
    }
    return true;
}

// The values of the handle groups (5 and 105) of a DXF file.
std::vector<std::string> Handles(const std::string& dxf) {
    std::vector<std::string> lines;
    std::istringstream in(dxf);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    std::vector<std::string> handles;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        if (lines[i] == "  5" || lines[i] == "105") {
            handles.push_back(lines[i + 1]);
        }
    }
    return handles;
}

class CheckOutputs : public ::testing::Test {
protected:
    TRunResult Run(const std::vector<std::string>& args) {
        return RunProgram(BuildPath(KOLVO_TALLY_EXE), args, scratch_.File(""));
    }
    std::string Work(const std::string& name) const { return work_.File(name); }

private:
    TTempFolder work_;
    TTempFolder scratch_;
};

TEST_F(CheckOutputs, ShowEveryOutcomeAndTheDouble) {
    const TRunResult r = Run({"--check", Work("c.svg"), Data("check-outcomes.dxf"), "--check",
                              Work("c.csv"), Work("plan"), "--check", Work("c.dxf")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(ReadBytes(Work("c.csv")), ReadBytes(Data("check-outcomes.expected-check.csv")));
    // One warning per label circle that is not OK.
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 3) << r.Err;

    TDrawing overlay;
    ReadDxfFile(Work("c.dxf"), overlay);
    std::map<std::string, int> lines, circles;
    for (const TDxfLine& line : overlay.Lines) {
        ++lines[std::string(overlay.Property(line.Layer))];
    }
    for (const TDxfCircle& circle : overlay.Circles) {
        ++circles[std::string(overlay.Property(circle.Layer))];
    }
    const std::map<std::string, int> expectedLines = {
        {"KOLVO_BAR", 2}, {"KOLVO_DOUBLE", 1}, {"KOLVO_LEADER", 6}};
    const std::map<std::string, int> expectedCircles = {{"KOLVO_POINT", 6}, {"KOLVO_MISSING", 3}};
    EXPECT_EQ(lines, expectedLines);
    EXPECT_EQ(circles, expectedCircles);
    EXPECT_EQ(overlay.TextCount(), 2 + 1 + 3); // bars, the double, the remarks
    const std::vector<std::string> handles = Handles(ReadBytes(Work("c.dxf")));
    EXPECT_GT(handles.size(), 20u);
    EXPECT_EQ(std::set<std::string>(handles.begin(), handles.end()).size(), handles.size());

    std::map<std::string, int> classes;
    int overlayWithOneClass = 0;
    std::string problem;
    ASSERT_TRUE(CountXmlClasses(ReadBytes(Work("c.svg")), classes, overlayWithOneClass, problem))
        << problem;
    const std::map<std::string, int> expectedClasses = {{"drawing", 1}, {"bar", 2},   {"double", 1},
                                                        {"leader", 6},  {"point", 6}, {"missed", 2},
                                                        {"missing", 3}};
    EXPECT_EQ(classes, expectedClasses);
    EXPECT_EQ(overlayWithOneClass, 2 + 1 + 6 + 6 + 3);
}

TEST_F(CheckOutputs, ALabelWithoutLeaderAndTheWarningLimit) {
    TRunResult r = Run({Data("check-no-leader.dxf"), Work("plan"), "--check", Work("c.csv")});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(ReadBytes(Work("c.csv")), ReadBytes(Data("check-no-leader.expected-check.csv")));

    // 22 labels without a leader: 20 warnings and one line for the two left out.
    r = Run({Data("check-many-warnings.dxf"), Work("plan")});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 21) << r.Err;
    EXPECT_NE(r.Err.find(" 2 "), std::string::npos) << r.Err;
}

TEST_F(CheckOutputs, ACheckFileThatCannotBeWrittenIsNamedAndTheReportsStay) {
    for (const char* name : {"c.svg", "c.html"}) {
        const std::string check = Work("no-folder") + "/" + name;
        const TRunResult r = Run({Data("check-outcomes.dxf"), Work("plan"), "--check", check});
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_NE(r.Err.find(check), std::string::npos) << r.Err;
        EXPECT_TRUE(FileExists(Work("plan.csv")));
        EXPECT_TRUE(FileExists(Work("plan.txt")));
    }
}

// The page written beside the other check files, with the mass table only when it was asked for.
TEST_F(CheckOutputs, ThePageIsACheckFileOfItsOwnWithTheMassTableOfWeights) {
    TRunResult r = Run({"--check", Work("a.html"), "--check", Work("a.csv"),
                        Data("check-outcomes.dxf"), Work("plan")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const std::string page = ReadBytes(Work("a.html"));
    EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n")) << page.substr(0, 40);
    EXPECT_EQ(page.find("class=\"mass\""), std::string::npos);
    EXPECT_NE(page.find("check-outcomes.dxf"), std::string::npos) << "the drawing's name";
    r = Run({"--weights", Work("w.csv"), "--check", Work("b.HTML"), Data("check-outcomes.dxf"),
             Work("plan")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(ReadBytes(Work("b.HTML")).find("class=\"mass\""), std::string::npos);
}

} // namespace
} // namespace kolvo
