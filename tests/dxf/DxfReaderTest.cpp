#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "DrawingModel.h"
#include "DxfReader.h"
#include "Errors.h"
#include "TestFiles.h"

namespace kolvo {
namespace {

// The drawing these tests read into.
TDrawing drawing;

// A layer, colour or line type of the drawing, as text.
std::string_view P(TPropertyId id) {
    return drawing.Property(id);
}

// One group pair as the CAD host writes it: the code right-aligned in three columns.
std::string G(int code, std::string_view value) {
    std::string codeText = std::to_string(code);
    return std::string(codeText.size() < 3 ? 3 - codeText.size() : 0, ' ') + codeText + "\r\n" +
           std::string(value) + "\r\n";
}

std::string EntitiesSection(const std::string& body) {
    return G(0, "SECTION") + G(2, "ENTITIES") + body + G(0, "ENDSEC");
}

std::string Drawing(const std::string& body) {
    return EntitiesSection(body) + G(0, "EOF");
}

std::string StyleTable(const std::string& entries) {
    return G(0, "SECTION") + G(2, "TABLES") + G(0, "TABLE") + G(2, "STYLE") + G(70, "2") + entries +
           G(0, "ENDTAB") + G(0, "ENDSEC");
}

class DxfReaderTest : public ::testing::Test {
protected:
    testing::TTempFolder dir_;
    std::string Write(std::string_view content, const char* name = "in.dxf") {
        const std::string path = dir_.File(name);
        testing::WriteBytes(path, std::string(content));
        return path;
    }
    std::int32_t Read(std::string_view content) { return ReadDxfFile(Write(content), drawing); }
};

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EConvertError& e) {
        return e.what();
    }
    return "(no conversion error)";
}

std::string DamageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EDamagedDrawing& e) {
        return e.what();
    }
    return "(no damaged-drawing error)";
}

const std::string kNotAnInteger =
    "' \x82\xcd\x90\xae\x90\x94\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";
const std::string kNotAReal = "' \x82\xcd\x95\x82\x93\xae\x8f\xac\x90\x94\x93\x5f\x90\x94\x82\xc5"
                              "\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";

TEST_F(DxfReaderTest, LineRecordsInFileOrder) {
    const std::string first = G(0, "LINE") + G(5, "2A") + G(100, "AcDbEntity") + G(8, "0") +
                              G(100, "AcDbLine") + G(10, "1.5") + G(20, "2.0") + G(30, "0.0") +
                              G(11, "10.0") + G(21, "2.0") + G(31, "0.0");
    EXPECT_EQ(Read(Drawing(first)), 1);
    ASSERT_EQ(drawing.LineCount(), 1);
    const TDxfLine& l = drawing.Lines[0];
    EXPECT_EQ(l.X1, 1.5);
    EXPECT_EQ(l.Y1, 2.0);
    EXPECT_EQ(l.X2, 10.0);
    EXPECT_EQ(l.Y2, 2.0);
    EXPECT_EQ(P(l.Layer), "0");
    EXPECT_TRUE(P(l.Color).empty() && P(l.LineType).empty());
    EXPECT_EQ(l.TraceState, 0);

    // 250 lines: the table grows past its first slots and keeps the first records as read;
    // the colour keeps the blanks that right-align it.
    std::string body;
    for (int i = 0; i < 250; ++i) {
        body += G(0, "LINE") + G(8, "L" + std::to_string(i)) + G(62, "     1") + G(6, "DASHED") +
                G(10, std::to_string(i)) + G(31, "-3.5");
    }
    EXPECT_EQ(Read(Drawing(body)), 250);
    EXPECT_EQ(P(drawing.Lines[0].Layer), "L0");
    EXPECT_EQ(P(drawing.Lines[0].Color), "     1");
    EXPECT_EQ(P(drawing.Lines[0].LineType), "DASHED");
    EXPECT_EQ(drawing.Lines[249].X1, 249.0);
    EXPECT_EQ(drawing.Lines[249].Z2, -3.5);
}

TEST_F(DxfReaderTest, LineBreaksPairsAndTheEndOfTheText) {
    const std::string lf = "0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n40\n2.5\n0\nENDSEC\n";
    const std::string cr = "0\rSECTION\r2\rENTITIES\r0\rCIRCLE\r40\r2.5\r0\rENDSEC";
    const std::string mixed = "0\r\nSECTION\n2\rENTITIES\r\n0\nCIRCLE\r40\r\n2.5\n0\nENDSEC\r\n";
    for (const std::string& text : {lf, cr, mixed}) {
        Read(text);
        ASSERT_EQ(drawing.CircleCount(), 1);
        EXPECT_EQ(drawing.Circles[0].Radius, 2.5);
    }
    // An empty line is a line: here it is the layer name, and "8" stays a code.
    Read("0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n8\n\n40\n1\n0\nENDSEC\n");
    ASSERT_EQ(drawing.CircleCount(), 1);
    EXPECT_EQ(P(drawing.Circles[0].Layer), "");
    EXPECT_EQ(drawing.Circles[0].Radius, 1.0);

    // An odd last line is no pair: not even its code is looked at.
    Read("0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n40\n3\n0\nENDSEC\nnot a code");
    ASSERT_EQ(drawing.CircleCount(), 1);
    EXPECT_EQ(drawing.Circles[0].Radius, 3.0);

    // A NUL byte ends the text: what stands behind it, here the section's end, is not read.
    // A comment first, so that the NUL stands too far in to be a sign of a binary file.
    const std::string head = "999\n" + std::string(1100, 'x') + "\n";
    EXPECT_EQ(DamageOf([&] {
                  Read(head + "0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n" + '\0' + "0\nENDSEC\n");
              }),
              CutOffDrawingMessage);
    EXPECT_EQ(drawing.CircleCount(), 1);

    // A NUL right after a code line's break leaves the code without its value line: the file
    // was cut off there, it holds no empty number.
    EXPECT_EQ(DamageOf([&] {
                  Read(G(0, "SECTION") + G(2, "ENTITIES") + G(0, "LINE") + " 10\r\n" + '\0');
              }),
              CutOffDrawingMessage);
    // A whole drawing followed by NULs is read alike however far from the start they stand.
    for (const std::size_t padding : {0, 1100}) {
        SCOPED_TRACE(padding);
        const std::string comment = padding > 0 ? G(999, std::string(padding, 'x')) : "";
        EXPECT_NO_THROW(
            Read(comment + Drawing(G(0, "CIRCLE") + G(40, "2")) + std::string(3, '\0')));
        EXPECT_EQ(drawing.CircleCount(), 1);
    }
    EXPECT_EQ(DamageOf([&] { Read(std::string(1, '\0')); }), EmptyDrawingMessage);
}

// A drawing larger than the reader's blocks, whose lines end with any of the three breaks and
// whose long comments move the records against the blocks, reads the same from a file and from
// memory, record for record.
TEST_F(DxfReaderTest, AnyBreaksAcrossTheBlocksOfALargeDrawing) {
    std::mt19937 random(3);
    const char* const breaks[] = {"\r\n", "\n", "\r"};
    std::string text;
    const auto group = [&](int code, const std::string& value) {
        text += std::to_string(code) + breaks[random() % 3] + value + breaks[random() % 3];
    };
    group(0, "SECTION");
    group(2, "ENTITIES");
    constexpr int kLines = 30000;
    for (int i = 0; i < kLines; ++i) {
        group(0, "LINE");
        group(8, "\x93\x53\x8b\xd8" + std::to_string(i % 7));
        group(10, std::to_string(i) + ".25");
        group(20, "-" + std::to_string(i) + ".5");
        group(11, std::to_string(i * 3));
        if (random() % 50 == 0) {
            group(999, std::string(random() % 3000, 'c'));
        }
    }
    group(0, "ENDSEC");
    ASSERT_GT(text.size(), std::size_t{2} << 20);
    for (int source = 0; source < 2; ++source) {
        ASSERT_EQ(source == 0 ? Read(text) : ReadDxfText(text, drawing), kLines);
        for (int i = 0; i < kLines; ++i) {
            const TDxfLine& line = drawing.Lines[i];
            ASSERT_TRUE(line.X1 == i + 0.25 && line.Y1 == -i - 0.5 && line.X2 == i * 3.0 &&
                        P(line.Layer) == "\x93\x53\x8b\xd8" + std::to_string(i % 7))
                << "line " << i << " read from " << (source == 0 ? "the file" : "memory");
        }
    }
}

TEST_F(DxfReaderTest, OnlyTheEntitiesSectionIsRead) {
    const std::string line = G(0, "LINE") + G(10, "1");
    const std::string blocks = G(0, "SECTION") + G(2, "BLOCKS") + G(0, "BLOCK") + G(2, "B1") +
                               line + G(0, "ENDBLK") + G(0, "ENDSEC");
    // After the ENTITIES section's ENDSEC nothing is parsed, not even a broken code line.
    const std::string after = line + "garbage\r\n" + G(0, "EOF");
    EXPECT_EQ(Read(blocks + EntitiesSection(G(0, "CIRCLE") + line) + after), 1);
    EXPECT_EQ(drawing.CircleCount(), 1);

    // Kinds are matched exactly; the groups after an unknown kind fill nothing.
    Read(Drawing(line + G(0, "line") + G(10, "5") + G(0, "LINE ") + G(10, "6") + G(0, "INSERT") +
                 G(10, "7") + G(40, "not read")));
    ASSERT_EQ(drawing.LineCount(), 1);
    EXPECT_EQ(drawing.Lines[0].X1, 1.0);

    // Without an ENTITIES section nothing is an entity, the whole file is scanned, and the file
    // is no drawing.
    EXPECT_EQ(DamageOf([&] { Read(blocks + G(0, "EOF")); }), NoEntitiesMessage);
    EXPECT_EQ(drawing.LineCount(), 0);
    EXPECT_EQ(ErrorOf([&] { Read(blocks + "x\r\n" + G(0, "EOF")); }), "'x" + kNotAnInteger);
}

// Files in tests/data/damaged that are no whole ASCII drawing, each with what it is refused
// with; an empty expected message stands for a conversion error.
TEST(DxfReaderRefusals, FilesThatAreNoWholeDrawingAreNamedForWhatTheyAre) {
    const struct {
        const char* File;
        const char* Message;
    } cases[] = {
        {"empty.dxf", EmptyDrawingMessage},
        {"binary-dxf.dxf", BinaryDxfMessage},
        {"utf16-le.dxf", Utf16TextMessage},
        {"utf16-be.dxf", Utf16TextMessage},
        {"utf8-bom.dxf", Utf8BomMessage},
        {"renamed-drawing.dxf", NotTextMessage},
        {"no-entities.dxf", NoEntitiesMessage},
        {"entities-not-ended.dxf", CutOffDrawingMessage},
        {"entities-cut-in-a-value.dxf", CutOffDrawingMessage},
        {"text-without-pairs.dxf", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        const std::string path =
            testing::BuildPath(KOLVO_TEST_DATA_DIR) + "/damaged/" + std::string(c.File);
        ASSERT_TRUE(testing::FileExists(path));
        std::string message = "(read as a drawing)";
        try {
            ReadDxfFile(path, drawing);
        } catch (const EDamagedDrawing& e) {
            message = e.what();
        } catch (const EConvertError&) {
            message.clear();
        }
        EXPECT_EQ(message, c.Message);
        // The in-memory reader refuses the same bytes the same way.
        const std::string bytes = testing::ReadBytes(path);
        EXPECT_ANY_THROW(ReadDxfText(bytes, drawing));
    }
}

TEST_F(DxfReaderTest, ConversionErrorsKeepWhatWasRead) {
    // A code line with a trailing blank, before the ENTITIES section.
    EXPECT_EQ(ErrorOf([&] { Read(G(0, "SECTION") + "  2 \r\nHEADER\r\n"); }),
              "'  2 " + kNotAnInteger);

    const std::string good = G(0, "LINE") + G(10, "1") + G(8, "A");
    EXPECT_EQ(ErrorOf([&] { Read(Drawing(good + G(0, "LINE") + G(8, "B") + G(10, "1,5"))); }),
              "'1,5" + kNotAReal);
    ASSERT_EQ(drawing.LineCount(), 2);
    EXPECT_EQ(P(drawing.Lines[0].Layer), "A");
    EXPECT_EQ(P(drawing.Lines[1].Layer), "B");
    EXPECT_EQ(drawing.Lines[1].X1, 0.0);

    EXPECT_EQ(ErrorOf([&] { Read(Drawing(G(0, "TEXT") + G(72, "2147483648"))); }),
              "'2147483648" + kNotAnInteger);
    EXPECT_EQ(drawing.TextCount(), 1);
    EXPECT_EQ(ErrorOf([&] { Read(Drawing(G(0, "POLYLINE") + G(70, "1.0"))); }),
              "'1.0" + kNotAnInteger);

    // Values of groups that no open record takes are never converted.
    EXPECT_EQ(ErrorOf([&] {
                  Read(G(10, "x") + Drawing(G(0, "LINE") + G(40, "x") + G(0, "INSERT") +
                                            G(10, "x") + G(0, "POLYLINE") + G(10, "x")));
              }),
              "(no conversion error)");
}

TEST_F(DxfReaderTest, StylesAndTextHeights) {
    const std::string styles = StyleTable(
        G(0, "STYLE") + G(2, "Standard") + G(70, "0") + G(40, "3.5") + G(62, "  3") +
        G(0, "STYLE") + G(2, "Label") + G(0, "STYLE") + G(2, std::string(45, 'N')) + G(40, "7.5"));
    // A later table's names and heights are no style entries.
    const std::string layers = G(0, "SECTION") + G(2, "TABLES") + G(0, "TABLE") + G(2, "LAYER") +
                               G(0, "LAYER") + G(2, "Standard") + G(40, "99") + G(0, "ENDTAB") +
                               G(0, "ENDSEC");
    const std::string texts = G(0, "TEXT") + G(1, "a") + G(0, "TEXT") + G(40, "2.5") +
                              G(0, "TEXT") + G(40, "2.5") + G(7, "Label") + G(0, "MTEXT") +
                              G(7, "Label") + G(40, "2.5") + G(0, "TEXT") + G(7, "label") +
                              G(0, "STYLE") + G(2, "Standard") + G(40, "55");
    Read(styles + layers + Drawing(texts));

    ASSERT_EQ(drawing.StyleCount(), 3);
    EXPECT_EQ(drawing.Styles[0].Name, "Standard");
    EXPECT_EQ(drawing.Styles[0].Height, 3.5);
    EXPECT_EQ(drawing.Styles[0].Color, "  3");
    EXPECT_EQ(drawing.Styles[1].Height, 10.0);
    EXPECT_EQ(drawing.Styles[2].Name, std::string(40, 'N'));
    EXPECT_EQ(drawing.StyleHeight("Label"), 10.0);
    EXPECT_EQ(drawing.StyleHeight("label"), 0.0);
    EXPECT_EQ(drawing.StyleHeight(std::string(45, 'N')), 0.0);

    ASSERT_EQ(drawing.TextCount(), 5);
    EXPECT_EQ(drawing.Texts[0].Height, 3.5);  // the height of "Standard"
    EXPECT_EQ(drawing.Texts[1].Height, 2.5);  // group 40
    EXPECT_EQ(drawing.Texts[2].Height, 10.0); // group 7 after group 40
    EXPECT_EQ(drawing.Texts[3].Height, 2.5);  // group 40 after group 7
    EXPECT_EQ(drawing.Texts[4].Height, 0.0);  // a style that does not exist

    // Without a STYLE table a text starts at height 0.
    Read(Drawing(G(0, "TEXT")));
    EXPECT_EQ(drawing.Texts[0].Height, 0.0);

    // Many styles, a name given twice: the first entry decides.
    std::string many;
    for (int i = 0; i < 40; ++i) {
        many += G(0, "STYLE") + G(2, "S" + std::to_string(i % 30)) + G(40, std::to_string(i));
    }
    Read(StyleTable(many) + Drawing(G(0, "TEXT") + G(7, "S5") + G(0, "TEXT") + G(7, "S29") +
                                    G(0, "TEXT") + G(7, "S30")));
    ASSERT_EQ(drawing.TextCount(), 3);
    EXPECT_EQ(drawing.Texts[0].Height, 5.0);
    EXPECT_EQ(drawing.Texts[1].Height, 29.0);
    EXPECT_EQ(drawing.Texts[2].Height, 0.0);
    EXPECT_EQ(drawing.StyleHeight("S5"), 5.0);
}

TEST_F(DxfReaderTest, TextContents) {
    const std::string longLabel(300, 'x');
    const std::string atCap = std::string(254, 'a') + "\x95\x5C";
    const std::string body = G(0, "TEXT") + G(1, R"(\U+03C613)") + G(8, "layer") + G(50, "90") + //
                             G(0, "TEXT") + G(1, R"(\U+03C6\U+03C6)") +                          //
                             G(0, "TEXT") + G(1, R"(D13\P200\U+03C6)") +                         //
                             G(0, "TEXT") + G(1, longLabel) +                                    //
                             G(0, "TEXT") + G(1, atCap) +                                        //
                             G(0, "MTEXT") + G(3, R"(AB\P)") + G(3, "C") +
                             G(1, R"(D\PE\U+03C6)") + //
                             G(0, "MTEXT") + G(1, "old") + G(1, "new") + G(3, R"(\P)");
    Read(Drawing(body));
    ASSERT_EQ(drawing.TextCount(), 7);
    EXPECT_EQ(drawing.Texts[0].Content, "\x83\xD3"
                                        "13");
    EXPECT_EQ(drawing.Texts[1].Content, "\x83\xD3\\U+03C6");
    EXPECT_EQ(drawing.Texts[2].Content, "D13200\x83\xD3");
    EXPECT_EQ(drawing.Texts[3].Content, longLabel.substr(0, 255));
    EXPECT_EQ(drawing.Texts[4].Content, std::string(254, 'a')); // never half a character
    // Group-3 parts as they stand, then the cleaned group 1.
    EXPECT_EQ(drawing.Texts[5].Content, "AB\\PCDE\x83\xD3");
    EXPECT_EQ(drawing.Texts[6].Content, "new\\P");
}

TEST_F(DxfReaderTest, ReadingAgainLeavesNothingOver) {
    const std::string full =
        StyleTable(G(0, "STYLE") + G(2, "Standard") + G(40, "3")) +
        Drawing(G(0, "TEXT") + G(10, "1") + G(20, "2") + G(30, "3") + G(11, "4") + G(21, "5") +
                G(31, "6") + G(1, "T") + G(72, "1") + G(73, "2") + G(62, "1") + G(6, "L") +
                G(0, "LINE") + G(10, "1") + G(11, "2") + G(8, "8") + G(62, "1") + G(6, "L") +
                G(0, "ARC") + G(10, "1") + G(40, "2") + G(50, "3") + G(51, "4") + G(8, "8") +
                G(0, "POLYLINE") + G(70, "1") + G(8, "8") + G(0, "VERTEX") + G(10, "1") +
                G(70, "32"));
    Read(full);
    ASSERT_TRUE(drawing.TextCount() == 1 && drawing.LineCount() == 1 && drawing.ArcCount() == 1 &&
                drawing.PolylineCount() == 1);
    {
        const TDxfText& t = drawing.Texts[0];
        EXPECT_TRUE(t.X == 1 && t.Y == 2 && t.Z == 3 && t.X2 == 4 && t.Y2 == 5 && t.Z2 == 6);
        EXPECT_TRUE(t.HorzAlign == 1 && t.VertAlign == 2 && t.Height == 3);
        EXPECT_TRUE(t.Content == "T" && P(t.Color) == "1" && P(t.LineType) == "L");
        const TDxfArc& a = drawing.Arcs[0];
        EXPECT_TRUE(a.CX == 1 && a.Radius == 2 && a.StartAngle == 3 && a.EndAngle == 4 &&
                    P(a.Layer) == "8");
    }
    drawing.Lines[0].TraceState = 4;
    drawing.Polylines[0].Flags = 5;

    Read(Drawing(G(0, "TEXT") + G(0, "LINE") + G(0, "ARC") + G(0, "POLYLINE")));
    EXPECT_EQ(drawing.StyleCount(), 0);
    ASSERT_EQ(drawing.TextCount(), 1);
    const TDxfText& t = drawing.Texts[0];
    EXPECT_TRUE(t.X == 0 && t.Y == 0 && t.Z == 0 && t.X2 == 0 && t.Y2 == 0 && t.Z2 == 0);
    EXPECT_TRUE(t.HorzAlign == 0 && t.VertAlign == 0 && t.Height == 0);
    EXPECT_TRUE(t.Content.empty() && P(t.Color).empty() && P(t.LineType).empty());
    const TDxfLine& l = drawing.Lines[0];
    EXPECT_TRUE(l.X1 == 0 && l.X2 == 0 && l.TraceState == 0 && P(l.Layer).empty() &&
                P(l.Color).empty() && P(l.LineType).empty());
    const TDxfArc& a = drawing.Arcs[0];
    EXPECT_TRUE(a.CX == 0 && a.Radius == 0 && a.StartAngle == 0 && a.EndAngle == 0 &&
                P(a.Layer).empty());
    EXPECT_TRUE(drawing.Polylines[0].Flags == 0 && drawing.Polylines[0].VertexCount() == 0 &&
                P(drawing.Polylines[0].Layer).empty());

    // A missing file: an empty model and 0.
    Read(full);
    EXPECT_EQ(ReadDxfFile(dir_.File("missing.dxf"), drawing), 0);
    EXPECT_TRUE(drawing.LineCount() == 0 && drawing.TextCount() == 0 && drawing.ArcCount() == 0 &&
                drawing.CircleCount() == 0 && drawing.PolylineCount() == 0 &&
                drawing.StyleCount() == 0);
}

TEST_F(DxfReaderTest, PolylinesAndVertices) {
    const std::string body =
        // VERTEX groups with no polyline to go to.
        G(0, "VERTEX") + G(10, "9") + G(20, "9") + G(70, "9") + G(0, "POLYLINE") + G(8, "P") +
        G(62, "  5") + G(66, "1") + G(10, "0") + G(20, "0") + G(70, "1") + G(0, "VERTEX") +
        G(20, "-1") + G(70, "64") + G(10, "1") + G(20, "2") + G(42, "0.5") + G(0, "VERTEX") +
        G(10, "3") + G(20, "4") + G(70, "32") + G(0, "VERTEX") + G(10, "5") + G(20, "6") +
        G(0, "SEQEND") + G(0, "LWPOLYLINE") + G(90, "4") + G(70, "1") + G(10, "0") + G(20, "0") +
        G(10, "10") + G(20, "0") + G(10, "10") + G(20, "10") + G(42, "1") + G(10, "0") +
        G(20, "10");
    Read(Drawing(body));
    ASSERT_EQ(drawing.PolylineCount(), 2);
    const TDxfPolyline& p = drawing.Polylines[0];
    EXPECT_EQ(p.Flags, 1);
    EXPECT_EQ(P(p.Layer), "P");
    EXPECT_EQ(P(p.Color), "  5");
    ASSERT_EQ(p.VertexCount(), 3);
    EXPECT_TRUE(p.Vertex(1).X == 1 && p.Vertex(1).Y == 2 && p.VertexFlags(1) == 0);
    EXPECT_TRUE(p.Vertex(2).X == 3 && p.Vertex(2).Y == 4 && p.VertexFlags(2) == 32);
    EXPECT_TRUE(p.Vertex(3).X == 5 && p.Vertex(3).Y == 6 && p.VertexFlags(3) == 0);

    const TDxfPolyline& lw = drawing.Polylines[1];
    EXPECT_EQ(lw.Flags, 0);
    ASSERT_EQ(lw.VertexCount(), 4);
    EXPECT_TRUE(lw.Vertex(1).X == 0 && lw.Vertex(1).Y == 0);
    EXPECT_TRUE(lw.Vertex(3).X == 10 && lw.Vertex(3).Y == 10);
    EXPECT_TRUE(lw.Vertex(4).X == 0 && lw.Vertex(4).Y == 10);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(lw.VertexFlags(n), 0);
    }
}

TEST_F(DxfReaderTest, VerticesBeyondTheLimitAreDropped) {
    std::string lw = G(0, "LWPOLYLINE");
    for (int i = 1; i <= MaxPolylineVertices + 2; ++i) {
        lw += G(10, std::to_string(i)) + G(20, std::to_string(-i));
    }
    std::string poly = G(0, "POLYLINE");
    for (int i = 1; i <= MaxPolylineVertices + 1; ++i) {
        poly += G(0, "VERTEX") + G(10, std::to_string(i)) + G(20, "1") + G(70, std::to_string(i));
    }
    Read(Drawing(lw + poly + G(0, "SEQEND") + G(0, "LWPOLYLINE") + G(10, "7") + G(20, "8")));
    ASSERT_EQ(drawing.PolylineCount(), 3);
    EXPECT_EQ(drawing.Polylines[0].VertexCount(), MaxPolylineVertices);
    EXPECT_EQ(drawing.Polylines[0].Vertex(1000).X, 1000.0);
    EXPECT_EQ(drawing.Polylines[0].Vertex(1000).Y, -1000.0); // not the dropped vertices' y
    EXPECT_EQ(drawing.Polylines[1].VertexCount(), MaxPolylineVertices);
    EXPECT_EQ(drawing.Polylines[1].VertexFlags(1000), 1000);
    // The next polyline starts afresh.
    ASSERT_EQ(drawing.Polylines[2].VertexCount(), 1);
    EXPECT_EQ(drawing.Polylines[2].Vertex(1).Y, 8.0);
}

} // namespace
} // namespace kolvo
