// The DXF writer behind the samples, test drawings and benchmark: the file reads back into the
// drawing model as drawn, and looks the way the CAD host writes it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "DrawingModel.h"
#include "DxfDocument.h"
#include "DxfReader.h"
#include "RebarMarks.h"

namespace kolvo {
namespace {

// The drawing these tests read into.
TDrawing drawing;

using dxfgen::DxfDocument;
using dxfgen::FormatReal;
using dxfgen::Pen;
using dxfgen::Point;

TEST(DxfDocument, RealsAreWrittenShortestWithADecimal) {
    EXPECT_EQ(FormatReal(0.0), "0.0");
    EXPECT_EQ(FormatReal(-0.0), "0.0");
    EXPECT_EQ(FormatReal(6000.0), "6000.0");
    EXPECT_EQ(FormatReal(-12.5), "-12.5");
    EXPECT_EQ(FormatReal(0.1), "0.1");
    EXPECT_EQ(FormatReal(-0.4), "-0.4");
    EXPECT_EQ(FormatReal(1e-5), "0.00001");
    EXPECT_EQ(FormatReal(1e20), "100000000000000000000.0");
    // Whatever is written reads back as the same double.
    for (double v : {1.0 / 3.0, 650.1, -930.5, 42.426406871192846, 1e-300, -1.7e308}) {
        EXPECT_EQ(std::stod(FormatReal(v)), v) << FormatReal(v);
    }
}

TEST(DxfDocument, GroupsAreRightAlignedAndLinesEndInCrLf) {
    DxfDocument doc;
    doc.Line(Pen{"鉄筋", 3, "HIDDEN"}, {1, 2}, {3, 4});
    const std::string text = doc.Finish();
    EXPECT_NE(text.find("  0\r\nLINE\r\n"), std::string::npos);
    EXPECT_NE(text.find("  8\r\n\x93\x53\x8b\xd8\r\n"), std::string::npos); // 鉄筋 in CP932
    EXPECT_NE(text.find("  6\r\nHIDDEN\r\n"), std::string::npos);
    EXPECT_NE(text.find(" 62\r\n     3\r\n"), std::string::npos);
    EXPECT_NE(text.find(" 10\r\n1.0\r\n 20\r\n2.0\r\n 30\r\n0.0\r\n"), std::string::npos);
    EXPECT_NE(text.find("100\r\nAcDbLine\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 10), "  0\r\nEOF\r\n");
}

TEST(DxfDocument, ReadsBackIntoTheDrawingModel) {
    DxfDocument doc;
    doc.AddLayer("引出線", 3);
    doc.AddTextStyle("漢字", 0.0, "msgothic.ttc");
    doc.AddTextStyle("Fixed", 2.5, "txt");
    // Block entities are no part of the drawing the reader sees.
    doc.BeginBlock("符号", {0, 0});
    doc.Line(Pen{}, {0, 0}, {9, 9});
    doc.Circle(Pen{}, {0, 0}, 5);
    doc.Text(Pen{}, {0, 0}, 2, "X");
    doc.EndBlock();
    doc.Line(Pen{"鉄筋", 1, ""}, {-0.4, 120}, {-0.4, 1800});
    doc.Circle(Pen{"符号", 256, ""}, {100, 200}, 250);
    doc.Text(Pen{"符号", 256, ""}, {40, 150}, 100, "2-D22", "漢字", {1, 2}, {100, 200});
    doc.MText(Pen{}, {5, 6}, 100, "\\U+03C613");
    doc.LwPolyline(Pen{"引出線", 256, ""}, {{0, 1}, {2, 3}, {4, 5}});
    doc.Polyline(Pen{"引出線", 256, ""}, {{10, 11}, {12, 13}, {14, 15}});
    doc.Insert(Pen{}, "符号", {7, 8});
    doc.Arc(Pen{}, {1, 1}, 3, 0, 90);

    EXPECT_EQ(ReadDxfText(doc.Finish(), drawing), 1);
    ASSERT_EQ(drawing.LineCount(), 1);
    EXPECT_EQ(drawing.Lines[0].X1, -0.4);
    EXPECT_EQ(drawing.Lines[0].Y2, 1800.0);
    EXPECT_EQ(drawing.Property(drawing.Lines[0].Layer), "鉄筋");
    EXPECT_EQ(drawing.Property(drawing.Lines[0].Color), "     1");
    EXPECT_TRUE(drawing.Property(drawing.Lines[0].LineType).empty());

    ASSERT_EQ(drawing.CircleCount(), 1);
    EXPECT_EQ(drawing.Circles[0].Radius, 250.0);
    EXPECT_TRUE(drawing.Property(drawing.Circles[0].Color).empty());

    ASSERT_EQ(drawing.TextCount(), 2);
    EXPECT_EQ(drawing.Texts[0].Content.str(), "2-D22");
    EXPECT_EQ(drawing.Texts[0].X, 40.0);
    EXPECT_EQ(drawing.Texts[0].X2, 100.0);
    EXPECT_EQ(drawing.Texts[0].HorzAlign, 1);
    EXPECT_EQ(drawing.Texts[0].VertAlign, 2);
    EXPECT_EQ(drawing.Texts[1].Content.str(), "\x83\xd3"
                                              "13");

    ASSERT_EQ(drawing.PolylineCount(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const TDxfPolyline& p = drawing.Polylines[i];
        EXPECT_EQ(p.Flags, 0);
        ASSERT_EQ(p.VertexCount(), 3);
        EXPECT_EQ(p.Vertex(2).X, 2.0 + 10 * i);
        EXPECT_EQ(p.Vertex(2).Y, 3.0 + 10 * i);
        EXPECT_EQ(drawing.Property(p.Layer), "引出線");
    }

    ASSERT_EQ(drawing.StyleCount(), 3);
    EXPECT_EQ(drawing.Styles[0].Name.str(), "Standard");
    EXPECT_EQ(drawing.Styles[1].Name.str(), "漢字");
    EXPECT_EQ(drawing.Styles[2].Height, 2.5);
    EXPECT_EQ(drawing.ArcCount(), 1);
}

TEST(DxfDocument, LongMTextIsSplitOnCharacterBoundaries) {
    // One single-byte character first, so that a cut at 250 bytes would halve a character.
    std::string content = "A";
    for (int i = 0; i < 150; ++i) {
        content += "筋";
    }
    DxfDocument doc;
    doc.MText(Pen{}, {0, 0}, 10, content);
    const std::string text = doc.Finish();
    const std::size_t part = text.find("  3\r\nA\x8b"); // A, then the lead byte of 筋
    ASSERT_NE(part, std::string::npos);
    const std::size_t begin = part + 5;
    const std::size_t end = text.find("\r\n", begin);
    EXPECT_EQ(end - begin, 249u);
    EXPECT_NE(text.find("  1\r\n" + content.substr(249) + "\r\n"), std::string::npos);

    ReadDxfText(text, drawing);
    ASSERT_EQ(drawing.TextCount(), 1);
    EXPECT_EQ(drawing.Texts[0].Content.str(), content.substr(0, 255));
}

TEST(DxfDocument, ArrowStrokesAndVMarksMeetAtTheTip) {
    DxfDocument doc;
    dxfgen::ArrowTip(doc, Pen{}, {100, 50}, {100, 250}, 100, 15);
    dxfgen::VMark(doc, Pen{}, {300, 50}, {400, 50}, 60, false);
    dxfgen::VMark(doc, Pen{}, {500, 50}, {500, 0}, 60, true);
    ReadDxfText(doc.Finish(), drawing);

    ASSERT_EQ(drawing.LineCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(drawing.Lines[i].X1, 100.0);
        EXPECT_EQ(drawing.Lines[i].Y1, 50.0);
        EXPECT_NEAR(std::hypot(drawing.Lines[i].X2 - 100, drawing.Lines[i].Y2 - 50), 100.0, 1e-9);
        EXPECT_GT(drawing.Lines[i].Y2, 50.0); // drawn back towards the leader
    }
    EXPECT_NEAR(drawing.Lines[0].X2 - 100, -(drawing.Lines[1].X2 - 100),
                1e-9); // symmetric about the leader

    ASSERT_EQ(drawing.PolylineCount(), 2);
    EXPECT_EQ(drawing.Polylines[0].Vertex(2).X, 300.0);
    EXPECT_EQ(drawing.Polylines[0].Vertex(2).Y, 50.0);
    EXPECT_GT(drawing.Polylines[0].Vertex(1).X, 300.0); // opening towards (400, 50)
    EXPECT_NEAR(
        std::hypot(drawing.Polylines[0].Vertex(3).X - 300, drawing.Polylines[0].Vertex(3).Y - 50),
        60, 1e-9);
    EXPECT_EQ(drawing.Polylines[1].Vertex(2).X, 500.0);
    EXPECT_LT(drawing.Polylines[1].Vertex(1).Y, 50.0); // opening towards (500, 0)
}

} // namespace
} // namespace kolvo
