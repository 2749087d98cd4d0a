// The doubts made visible, one small drawing for each, made with the project's DXF writer: the
// check list's notes, the warning lines and the mass table that reads counts in labels; and the
// notes of the samples and the hand-worked drawings, reviewed by hand and kept in a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "Analysis.h"
#include "CheckOutputs.h"
#include "DxfDocument.h"
#include "Notes.h"
#include "TestDrawings.h"
#include "TestFiles.h"
#include "TextCodec.h"

namespace kolvo {
namespace {

namespace fs = std::filesystem;
using dxfgen::DxfDocument;
using dxfgen::Pen;
using testing::BuildPath;

const Pen Plain{"0", 256, ""};
const Pen OnBars{"BAR", 256, ""};

// The parts a label is drawn of: a circle of radius 10 at (0, 0) with its text, a leader
// straight down to its tip at (0, -100) with the arrow's two strokes, bars across at y = -100
// (at the tip) and -150 (at a V mark on the leader's line). What varies is the order of the
// entities, the label's text and the bars' layers.
void Bar(DxfDocument& doc, double y, const Pen& pen = OnBars) {
    doc.Line(pen, {-100, y}, {100, y});
}
void Circle(DxfDocument& doc, const std::string& label, bool mtext = false) {
    doc.Circle(Plain, {0, 0}, 10);
    if (mtext) {
        doc.MText(Plain, {0, 0}, 4, label);
    } else {
        doc.Text(Plain, {-6, -2}, 4, label);
    }
}
void LeaderAndArrow(DxfDocument& doc) {
    doc.Line(Plain, {0, -10}, {0, -100});
    doc.Line(Plain, {0, -100}, {-3, -95});
    doc.Line(Plain, {0, -100}, {3, -95});
}
void VMark(DxfDocument& doc) {
    doc.LwPolyline(Plain, {{-4, -144}, {0, -150}, {4, -144}});
}
// A label with one bar at its tip, the bar first in the file.
void OneBar(DxfDocument& doc, const std::string& label) {
    Bar(doc, -100);
    Circle(doc, label);
    LeaderAndArrow(doc);
}
// The same with a second bar at a V mark.
void TwoBars(DxfDocument& doc, const std::string& label, const Pen& second = OnBars) {
    Bar(doc, -100);
    Bar(doc, -150, second);
    Circle(doc, label);
    LeaderAndArrow(doc);
    VMark(doc);
}

std::string Utf8(std::string_view cp932) {
    return Cp932ToUtf8(cp932, TCp932Decoding{u'?', true});
}

TEST(Notes, EachDoubtIsNotedWhereItHoldsAndTheMassTableCountsTheLabelsBars) {
    const struct {
        const char* what;
        std::function<void(DxfDocument&)> draw;
        std::string notes;    // the check list's last field for the label circle
        std::string warning;  // the warning line after "警告: 符号 <label> (0, 0): ", or none
        std::string massLine; // the line of its diameter in the mass table
    } cases[] = {
        {"a stroke before the bar",
         [](DxfDocument& d) {
             Circle(d, "D25");
             LeaderAndArrow(d);
             Bar(d, -100);
         },
         "STROKE", "矢印の線を鉄筋として数えたかもしれません", "D25,1,0.006,3.98,0.02"},
        {"a stroke after the bar", [](DxfDocument& d) { OneBar(d, "D25"); }, "", "",
         "D25,1,0.200,3.98,0.80"},
        {"a grid bubble", [](DxfDocument& d) { OneBar(d, "X2"); }, "NO_DIAMETER",
         "符号に径が読めません (鉄筋の符号ではない?)", "不明,1,0.200,,"},
        {"a letter", [](DxfDocument& d) { OneBar(d, "A"); }, "NO_DIAMETER",
         "符号に径が読めません (鉄筋の符号ではない?)", "不明,1,0.200,,"},
        {"an alignment code", [](DxfDocument& d) { OneBar(d, "\\A1;D16"); }, "FORMAT_CODES",
         "符号に文字の書式コードが残っています", "D16,1,0.200,1.56,0.31"},
        {"a font in braces",
         [](DxfDocument& d) {
             Bar(d, -100);
             Circle(d, "{\\fMS Gothic|b0|i0|c128|p49;D19}", true);
             LeaderAndArrow(d);
         },
         "FORMAT_CODES", "符号に文字の書式コードが残っています", "D19,1,0.200,2.25,0.45"},
        // 表 ends in the byte of a backslash: no code begins there.
        {"a kanji before a letter",
         [](DxfDocument& d) {
             OneBar(d, "\x95\x5c"
                       "A-D13");
         },
         "", "", "D13,1,0.200,0.995,0.20"},
        {"four bars drawn as one line", [](DxfDocument& d) { OneBar(d, "4-D25"); }, "", "",
         "D25,4,0.800,3.98,3.18"},
        {"three bars drawn as two lines", [](DxfDocument& d) { TwoBars(d, "3-D19"); },
         "COUNT_PREFIX", "符号の本数 3 と数えた鉄筋 2 本が合いません", "D19,2,0.400,2.25,0.90"},
        {"two bars in full-width digits", [](DxfDocument& d) { TwoBars(d, "２－D22"); }, "", "",
         "D22,2,0.400,3.04,1.22"},
        {"one bar of 1-D10", [](DxfDocument& d) { OneBar(d, "1-D10"); }, "", "",
         "D10,1,0.200,0.560,0.11"},
        {"bars on two layers",
         [](DxfDocument& d) {
             TwoBars(d, "D13", Pen{"DIM", 256, ""});
         },
         "LAYERS", "鉄筋が違う画層にあります", "D13,2,0.400,0.995,0.40"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TTempFolder folder;
        DxfDocument doc;
        doc.AddLayer("BAR", 1);
        doc.AddLayer("DIM", 4);
        c.draw(doc);
        const std::string path = folder.File("note.dxf");
        doc.WriteFile(path);
        const TAnalysis analysis = Analyse(path, TTraceKeeping::Everything);

        const std::vector<std::vector<std::string>> rows = CheckListRows(analysis);
        ASSERT_EQ(rows.size(), 1u);
        // All CP932, as the program holds its texts.
        EXPECT_EQ(rows[0].back(), c.notes);
        const std::vector<std::string> warnings = WarningLines(analysis);
        if (c.warning.empty()) {
            EXPECT_TRUE(warnings.empty()) << Utf8(warnings[0]);
        } else {
            ASSERT_EQ(warnings.size(), 1u);
            EXPECT_EQ(warnings[0], "警告: 符号 " + rows[0][1] + " (0, 0): " + c.warning);
        }
        const std::string mass = MassTableText(analysis, 1);
        EXPECT_NE(mass.find("\r\n" + c.massLine + "\r\n"), std::string::npos) << Utf8(mass);
    }
}

TEST(Notes, BlockReferencesAndLeaderObjectsAreNotedForTheWholeDrawing) {
    testing::TTempFolder folder;
    DxfDocument doc;
    doc.AddLayer("BAR", 1);
    doc.BeginBlock("mark", {0, 0});
    OneBar(doc, "D13"); // never read: it lies in a block
    doc.EndBlock();
    doc.Insert(Plain, "mark", {0, 0});
    doc.Insert(Plain, "mark", {500, 0});
    doc.Leader(Plain, {{0, -100}, {0, -10}});
    doc.MultiLeader(Plain, {500, -100}, {500, -10});
    const std::string path = folder.File("blocks.dxf");
    doc.WriteFile(path);
    const TAnalysis analysis = Analyse(path, TTraceKeeping::Everything);
    EXPECT_EQ(analysis.Drawing.BlockReferences, 2);
    EXPECT_EQ(analysis.Drawing.LeaderObjects, 2);
    EXPECT_EQ(analysis.Tally.Count(), 0);
    const std::vector<std::string> expected = {
        "警告: ブロック参照が 2 個あります。ブロックの中の符号や鉄筋は数えていません",
        "警告: 引出線オブジェクト (LEADER/MULTILEADER) が 2 個あります。"
        "線分で描いた引出線だけをたどります"};
    EXPECT_EQ(WarningLines(analysis), expected);
}

TEST(Notes, TheQuantityRunCountsWhatNeedsALook) {
    testing::TTempFolder folder;
    testing::WriteDrawingThatNeedsALook(folder.File("look.dxf"));
    const TLookCounts look =
        NeedsALook(Analyse(folder.File("look.dxf"), TTraceKeeping::Everything));
    // D19 is not counted; X2 is not either, but names no diameter. One bar was tallied twice.
    // The stroke and the block reference are the notes.
    EXPECT_EQ(look.Uncounted, 1);
    EXPECT_EQ(look.Doubles, 1);
    EXPECT_EQ(look.Notes, 2);
    testing::WriteCountedDrawing(folder.File("counted.dxf"));
    EXPECT_FALSE(NeedsALook(Analyse(folder.File("counted.dxf"), TTraceKeeping::Everything)).Any());
}

// What each sample and hand-worked drawing is noted for, as reviewed by hand: one line a drawing,
// its name, then each noted circle's number and codes, then the drawing's counts of block
// references and leader objects when there are any. (ASCII, so the file reads alike anywhere.)
TEST(Notes, TheSamplesAndHandWorkedDrawingsAreNotedAsReviewed) {
    std::set<std::string> lines;
    for (const std::string& folder : {BuildPath(KOLVO_SAMPLES_DIR), BuildPath(KOLVO_TEST_DATA_DIR),
                                      BuildPath(KOLVO_TEST_DATA_DIR) + "/check"}) {
        for (const auto& entry : fs::directory_iterator(fs::path(folder))) {
            if (entry.path().extension() != ".dxf") {
                continue;
            }
            const TAnalysis analysis = Analyse(entry.path().string(), TTraceKeeping::Everything);
            std::string line = entry.path().filename().string() + ":";
            const std::vector<TLabelNotes> notes = LabelNotes(analysis);
            for (std::size_t i = 0; i < notes.size(); ++i) {
                if (!notes[i].Notes.empty()) {
                    line += " " + std::to_string(i + 1) + " " + NoteCodes(notes[i]) + ";";
                }
            }
            if (analysis.Drawing.BlockReferences > 0) {
                line += " INSERT " + std::to_string(analysis.Drawing.BlockReferences) + ";";
            }
            if (analysis.Drawing.LeaderObjects > 0) {
                line += " LEADER " + std::to_string(analysis.Drawing.LeaderObjects) + ";";
            }
            lines.insert(line);
        }
    }
    std::set<std::string> expected;
    const std::string reviewed =
        testing::ReadBytes(BuildPath(KOLVO_TEST_DATA_DIR) + "/notes.expected.txt");
    for (std::size_t at = 0; at < reviewed.size();) {
        const std::size_t end = reviewed.find('\n', at);
        expected.insert(reviewed.substr(at, end - at));
        at = end == std::string::npos ? reviewed.size() : end + 1;
    }
    EXPECT_EQ(lines, expected);
}

} // namespace
} // namespace kolvo
