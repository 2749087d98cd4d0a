// The check page of every sample and hand-worked drawing read back as HTML: self-contained, one
// overlay mark for each thing the trace did, one row for each label circle linked to its circle,
// the label texts drawn, and the summary and mass tables equal to the files beside them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Analysis.h"
#include "CheckOutputs.h"
#include "DxfDocument.h"
#include "HtmlReader.h"
#include "Notes.h"
#include "ReportFiles.h"
#include "TestFiles.h"
#include "TextCodec.h"

namespace kolvo {
namespace {

namespace fs = std::filesystem;
using testing::BuildPath;
using testing::ReadHtml;
using testing::THtmlDocument;

std::vector<std::string> Drawings() {
    std::vector<std::string> paths;
    for (const std::string& folder : {BuildPath(KOLVO_SAMPLES_DIR), BuildPath(KOLVO_TEST_DATA_DIR),
                                      BuildPath(KOLVO_TEST_DATA_DIR) + "/check"}) {
        for (const auto& entry : fs::directory_iterator(fs::path(folder))) {
            if (entry.path().extension() == ".dxf") {
                paths.push_back(entry.path().string());
            }
        }
    }
    return paths;
}

std::string Utf8(std::string_view cp932) {
    return Cp932ToUtf8(cp932, TCp932Decoding{u'?', true});
}

// The cells of each row of a table's body.
std::vector<std::vector<std::string>> BodyRows(const THtmlDocument& doc, int table) {
    std::vector<std::vector<std::string>> rows;
    for (const int row : doc.Find("tr", {}, table)) {
        if (doc.Elements[static_cast<std::size_t>(
                             doc.Elements[static_cast<std::size_t>(row)].Parent)]
                .Name != "tbody") {
            continue;
        }
        std::vector<std::string> cells;
        for (const int cell : doc.Find("td", {}, row)) {
            cells.push_back(doc.Elements[static_cast<std::size_t>(cell)].Text);
        }
        rows.push_back(cells);
    }
    return rows;
}

// The lines of a CP932 CSV file, each split into fields at its commas (the summary's label may
// hold commas of its own: its last two fields are taken from the right).
std::vector<std::vector<std::string>> CsvRows(const std::string& cp932, bool labelFirst) {
    std::vector<std::vector<std::string>> rows;
    std::string text = Utf8(cp932);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        const std::string line = text.substr(at, end - at);
        at = end + 2;
        std::vector<std::string> fields;
        if (labelFirst) {
            const std::size_t last = line.rfind(',');
            const std::size_t middle = line.rfind(',', last - 1);
            fields = {line.substr(0, middle), line.substr(middle + 1, last - middle - 1),
                      line.substr(last + 1)};
        } else {
            std::size_t from = 0;
            for (std::size_t comma; (comma = line.find(',', from)) != std::string::npos;
                 from = comma + 1) {
                fields.push_back(line.substr(from, comma - from));
            }
            fields.push_back(line.substr(from));
        }
        rows.push_back(fields);
    }
    return rows;
}

// Whether anything in the page would reach outside it or run.
std::string Escapes(const THtmlDocument& doc, const std::string& html) {
    if (html.find("<script") != std::string::npos) {
        return "a script";
    }
    for (const auto& element : doc.Elements) {
        for (const auto& [name, value] : element.Attributes) {
            if (name.starts_with("on")) {
                return "an event handler " + name;
            }
            if ((name == "href" || name == "src") && !value.starts_with("#") &&
                !value.starts_with("data:")) {
                return "a reference to " + value;
            }
        }
    }
    return {};
}

TEST(CheckPage, EveryDrawingsPageShowsWhatWasCountedAndTheTablesOfItsFiles) {
    const std::vector<std::string> drawings = Drawings();
    ASSERT_GE(drawings.size(), 15u);
    for (const std::string& path : drawings) {
        SCOPED_TRACE(path);
        const TAnalysis analysis = Analyse(path, TTraceKeeping::Everything);
        const std::string html = CheckPageText(analysis, {"drawing.dxf", "2026-12-09 10:00", 1.0});
        const THtmlDocument doc = ReadHtml(html);
        ASSERT_EQ(doc.Problem, "");
        EXPECT_TRUE(doc.Doctype);
        EXPECT_EQ(doc.Elements[0].Name, "html");
        EXPECT_EQ(doc.Elements[0].Attribute("lang"), "ja");
        ASSERT_EQ(doc.Find("meta").size(), 1u);
        EXPECT_EQ(doc.Elements[static_cast<std::size_t>(doc.Find("meta")[0])].Attribute("charset"),
                  "utf-8");
        EXPECT_EQ(Escapes(doc, html), "");

        // The overlay: one mark for each thing the trace did.
        const std::vector<int> pictures = doc.Find("svg", "picture");
        ASSERT_EQ(pictures.size(), 1u);
        const int picture = pictures[0];
        std::int32_t bars = 0, doubles = 0, probes = 0, missed = 0, needLook = 0;
        for (const TCheckedBar& bar : CheckedBars(analysis.Trace)) {
            ++(bar.Times > 1 ? doubles : bars);
        }
        const std::vector<TLabelTrace>& labels = analysis.Trace.Labels();
        for (const TLabelTrace& label : labels) {
            probes += static_cast<std::int32_t>(label.ProbedPoints.size());
            missed += label.Misses;
            needLook += label.Outcome() != TLabelOutcome::Ok;
        }
        EXPECT_EQ(doc.Find({}, "bar", picture).size(), static_cast<std::size_t>(bars));
        EXPECT_EQ(doc.Find({}, "double", picture).size(), static_cast<std::size_t>(doubles));
        EXPECT_EQ(doc.Find({}, "leader", picture).size(), WalkedLines(analysis.Trace).size());
        EXPECT_EQ(doc.Find({}, "point", picture).size(), static_cast<std::size_t>(probes));
        EXPECT_EQ(doc.Find({}, "missed", picture).size(), static_cast<std::size_t>(missed));
        EXPECT_EQ(doc.Find({}, "missing", picture).size(), static_cast<std::size_t>(needLook));
        // The overlay's classes mark only the overlay.
        EXPECT_EQ(doc.Find({}, "bar").size(), static_cast<std::size_t>(bars));

        // Each label circle with its label drawn, linked both ways with its row.
        const std::vector<int> circles = doc.Find("g", "label-circle", picture);
        ASSERT_EQ(circles.size(), labels.size());
        const std::vector<int> lists = doc.Find("table", "check-list");
        ASSERT_EQ(lists.size(), 1u);
        std::vector<std::vector<std::string>> rows = BodyRows(doc, lists[0]);
        const std::vector<std::vector<std::string>> fields = CheckListRows(analysis);
        const std::vector<TLabelNotes> notes = LabelNotes(analysis);
        ASSERT_EQ(rows.size(), labels.size());
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            const auto& circle = doc.Elements[static_cast<std::size_t>(circles[i])];
            EXPECT_EQ(circle.Attribute("id"), "c-" + n);
            const std::vector<int> texts = doc.Find("text", "label", circles[i]);
            ASSERT_EQ(texts.size(), 1u);
            EXPECT_EQ(doc.Elements[static_cast<std::size_t>(texts[0])].Text, Utf8(labels[i].Label));
            EXPECT_EQ(doc.Find({}, "missing", circles[i]).size(),
                      labels[i].Outcome() != TLabelOutcome::Ok ? 1u : 0u);
            // The list's fields, the notes with their words: each code, and a mark on the circle.
            std::vector<std::string> expected;
            for (const std::string& field : fields[i]) {
                expected.push_back(Utf8(field));
            }
            ASSERT_EQ(rows[i].size(), expected.size());
            const std::string shownNotes = rows[i].back();
            rows[i].pop_back();
            expected.pop_back();
            EXPECT_EQ(rows[i], expected);
            for (const TNote note : notes[i].Notes) {
                EXPECT_NE(shownNotes.find(std::string(NoteCode(note)) + " " +
                                          Utf8(NoteText(note, notes[i]))),
                          std::string::npos)
                    << shownNotes;
            }
            EXPECT_EQ(shownNotes.empty(), notes[i].Notes.empty());
            EXPECT_EQ(doc.Find({}, "note", circles[i]).size(), notes[i].Notes.empty() ? 0u : 1u);
            const std::vector<int> rowIds = doc.Find("tr", {}, lists[0]);
            const std::vector<int> links = doc.Find("a", {}, rowIds[i + 1]);
            ASSERT_EQ(links.size(), 1u);
            EXPECT_EQ(doc.Elements[static_cast<std::size_t>(links[0])].Attribute("href"),
                      "#c-" + n);
            EXPECT_EQ(doc.Elements[static_cast<std::size_t>(rowIds[i + 1])].Attribute("id"),
                      "r-" + n);
        }

        // The summary and the mass table as their files have them.
        const std::vector<int> summary = doc.Find("table", "summary");
        ASSERT_EQ(summary.size(), 1u);
        EXPECT_EQ(BodyRows(doc, summary[0]), CsvRows(SummaryText(analysis.Tally), true));
        const std::vector<int> mass = doc.Find("table", "mass");
        ASSERT_EQ(mass.size(), 1u);
        std::vector<std::vector<std::string>> massLines =
            CsvRows(MassTableText(analysis, 1), false);
        massLines.erase(massLines.begin()); // the header, which is the table's head
        EXPECT_EQ(BodyRows(doc, mass[0]), massLines);
        EXPECT_EQ(doc.Find({}, "legend").size(), 1u);
        // The notes of the whole drawing at its head.
        const std::vector<std::string> drawingNotes = DrawingNoteLines(analysis.Drawing);
        const std::vector<int> heads = doc.Find("ul", "drawing-notes");
        ASSERT_EQ(heads.size(), drawingNotes.empty() ? 0u : 1u);
        for (const std::string& line : drawingNotes) {
            EXPECT_NE(doc.Elements[static_cast<std::size_t>(heads[0])].Text.find(Utf8(line)),
                      std::string::npos);
        }
    }
}

// A label circle with one bar at its arrow's tip: the bar first in the file, then the circle with
// `label`, its leader and the two strokes of the arrow.
std::string OneLabel(const testing::TTempFolder& folder, const std::string& label,
                     const std::string& barLayer) {
    dxfgen::DxfDocument dxf;
    dxf.AddLayer(barLayer, 1);
    const dxfgen::Pen plain{"0", 256, ""};
    dxf.Line({barLayer, 256, ""}, {100, -50}, {100, 50});
    dxf.Circle(plain, {0, 0}, 10);
    dxf.Text(plain, {-5, -2}, 4, label);
    dxf.Line(plain, {10, 0}, {100, 0});
    dxf.Line(plain, {100, 0}, {95, 3});
    dxf.Line(plain, {100, 0}, {95, -3});
    const std::string path = folder.File("one-label.dxf");
    dxf.WriteFile(path);
    return path;
}

TEST(CheckPage, ALongLabelIsListedAsTheReportsWriteIt) {
    testing::TTempFolder folder;
    // 表 ends the first 60 bytes half way: the reports keep 59 of them.
    const std::string label = std::string(59, 'D') + "\x95\x5c" + std::string(9, 'x');
    const TAnalysis analysis = Analyse(OneLabel(folder, label, "BAR"), TTraceKeeping::Everything);
    ASSERT_EQ(analysis.Tally.Count(), 1);
    EXPECT_EQ(analysis.Tally[0].Label.view(), std::string(59, 'D'));
    EXPECT_EQ(CheckListRows(analysis)[0][1], analysis.Tally[0].Label.str());
}

TEST(CheckPage, MarkupInALabelOrALayerIsShownAsWritten) {
    testing::TTempFolder folder;
    const std::string label = "<b>&\"x'</b>";
    const std::string layer = "<i>\"'&amp;</i>";
    const TAnalysis analysis = Analyse(OneLabel(folder, label, layer), TTraceKeeping::Everything);
    ASSERT_EQ(analysis.Tally.Count(), 1);
    const std::string html = CheckPageText(analysis, {"<a&'b>.dxf", "now", std::nullopt});
    const THtmlDocument doc = ReadHtml(html);
    ASSERT_EQ(doc.Problem, "");
    EXPECT_TRUE(doc.Find("b").empty());
    EXPECT_TRUE(doc.Find("i").empty());
    EXPECT_TRUE(doc.Find("a", {}, doc.Find("h1")[0]).empty());
    EXPECT_NE(doc.Elements[static_cast<std::size_t>(doc.Find("h1")[0])].Text.find("<a&'b>.dxf"),
              std::string::npos);
    const std::vector<int> texts = doc.Find("text", "label");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(doc.Elements[static_cast<std::size_t>(texts[0])].Text, label);
    const std::vector<int> bars = doc.Find("line", "bar");
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_NE(doc.Elements[static_cast<std::size_t>(bars[0])].Text.find(layer), std::string::npos);
    EXPECT_EQ(doc.Find("table", "mass").size(), 0u) << "no mass table without --weights";
}

} // namespace
} // namespace kolvo
