// One drawing gives the same reports whichever release or code page carries it: the samples
// written as release 2018 (UTF-8) and a drawing with characters CP932 lacks, written as the
// host's R2000 ANSI_932 export (with its \U+XXXX escapes), in GBK, in CP1252 and in UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Analysis.h"
#include "DxfDocument.h"
#include "DxfReader.h"
#include "Errors.h"
#include "Samples.h"
#include "TestFiles.h"
#include "TextEncoding.h"

namespace kolvo {
namespace {

using testing::BuildPath;
using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

// The reports of the drawing in `bytes`, summary then detail.
std::string ReportsOf(const TTempFolder& folder, const std::string& bytes) {
    const std::string path = folder.File("drawing.dxf");
    WriteBytes(path, bytes);
    TallyBarsFromDxf(path, folder.File("reports"));
    return ReadBytes(folder.File("reports.csv")) + ReadBytes(folder.File("reports.txt"));
}

TEST(Encodings, TheSamplesAsRelease2018GiveTheirHandWorkedReports) {
    TTempFolder folder;
    for (const samples::SampleDrawing& sample : samples::SampleDrawings()) {
        SCOPED_TRACE(sample.Name);
        const std::string expected =
            ReadBytes(BuildPath(KOLVO_SAMPLES_DIR) + "/" + sample.Name + ".expected.csv") +
            ReadBytes(BuildPath(KOLVO_SAMPLES_DIR) + "/" + sample.Name + ".expected.txt");
        const std::string utf8 = sample.Drawing.FinishAs("AC1032", "ANSI_1252");
        ASSERT_NE(utf8, sample.Drawing.Finish()) << "the Japanese texts are written otherwise";
        EXPECT_EQ(ReportsOf(folder, utf8), expected);
        // A byte-order mark may stand before such a file.
        EXPECT_EQ(ReportsOf(folder, "\xEF\xBB\xBF" + utf8), expected);
    }
}

// Labels and a layer with characters CP932 lacks: é (in CP1252 and GBK), 们 (in GBK only) and
// the euro sign (in CP1252 only). ソ ends in the byte of a backslash, which starts no escape.
dxfgen::DxfDocument ForeignDrawing() {
    dxfgen::DxfDocument doc;
    const std::string layer = "\x93S\x8B\xD8\\U+00E9"; // 鉄筋é
    doc.AddLayer(layer, 1);
    const dxfgen::Pen plain{"0", 256, ""};
    const char* const labels[] = {"D13\\U+00E9", "D16\\U+4EEC", "\\U+20ACD19", "\x83\x5CU+00E9D22"};
    for (int i = 0; i < 4; ++i) {
        // Each bar on a line of its own, which no other tip lies on.
        const double x = 300.0 * i, y = -100.0 - 50 * i;
        doc.Line({layer, 256, ""}, {x - 100, y}, {x + 100, y});
        doc.Circle(plain, {x, 0}, 10);
        doc.Text(plain, {x - 6, -2}, 4, labels[i]);
        doc.Line(plain, {x, -10}, {x, y});
        doc.Line(plain, {x, y}, {x - 3, y + 5});
        doc.Line(plain, {x, y}, {x + 3, y + 5});
    }
    return doc;
}

TEST(Encodings, OneDrawingInFourEncodingsGivesOneSetOfReports) {
    TTempFolder folder;
    const dxfgen::DxfDocument doc = ForeignDrawing();
    // The host's own export: the characters it lacks written as escapes, read as they stand.
    const std::string expected = ReportsOf(folder, doc.Finish());
    EXPECT_NE(expected.find("D13\\U+00E9,1,200"), std::string::npos) << expected;
    EXPECT_NE(expected.find("\x83\x5CU+00E9D22,1,200"), std::string::npos) << expected;
    const struct {
        const char* version;
        const char* codePage;
    } encodings[] = {
        {"AC1015", "ANSI_936"},  // é and 们 in GBK; € as an escape, which GBK lacks
        {"AC1015", "ANSI_1252"}, // é and € in CP1252; 们 and the kanji as escapes
        {"AC1032", "ANSI_932"},  // UTF-8: every character as it is
    };
    for (const auto& e : encodings) {
        SCOPED_TRACE(e.codePage);
        const std::string bytes = doc.FinishAs(e.version, e.codePage);
        ASSERT_NE(bytes, doc.Finish());
        EXPECT_EQ(ReportsOf(folder, bytes), expected);
        // Each character CP932 lacks, written as itself or as an escape, is kept as an escape:
        // one in each of three labels, and the layer's é in each of the four bar lines.
        TDrawing drawing;
        ReadDxfText(bytes, drawing);
        EXPECT_EQ(drawing.EscapedCharacters, 3 + 4);
    }
}

TEST(Encodings, ACodePageThatIsNotReadIsRefusedByName) {
    std::string bytes = ForeignDrawing().Finish();
    bytes.replace(bytes.find("ANSI_932"), 8, "ANSI_1361");
    TDrawing drawing;
    try {
        ReadDxfText(bytes, drawing);
        FAIL() << "read";
    } catch (const EDamagedDrawing& error) {
        EXPECT_EQ(std::string(error.what()), UnsupportedCodePageMessage("ANSI_1361"));
        EXPECT_EQ(
            std::string(error.what()),
            "\x90\x7d\x96\xca\x82\xcc\x95\xb6\x8e\x9a\x83\x52\x81\x5b\x83\x68 (ANSI_1361) "
            "\x82\xc9\x82\xcd\x91\xce\x89\x9e\x82\xb5\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1");
    }
    // A byte-order mark before a drawing whose texts are not UTF-8 is refused as before.
    EXPECT_THROW(ReadDxfText("\xEF\xBB\xBF" + ForeignDrawing().Finish(), drawing), EDamagedDrawing);
}

} // namespace
} // namespace kolvo
