// The reader takes a file in blocks: a line, a CR LF or a whole pair that a block boundary cuts
// in two must read exactly as the same text read in one piece.
#include <gtest/gtest.h>

#include <string>

#include "DrawingModel.h"
#include "DxfReader.h"
#include "TestFiles.h"

namespace kolvo {
namespace {

using testing::BuildPath;
using testing::ReadBytes;
using testing::TTempFolder;
using testing::WriteBytes;

// Every number and text of a drawing's lines, circles and texts, one line each.
std::string Fingerprint(const TDrawing& d) {
    std::string out;
    for (const TDxfLine& l : d.Lines) {
        out += std::to_string(l.X1) + ' ' + std::to_string(l.Y1) + ' ' + std::to_string(l.X2) +
               ' ' + std::to_string(l.Y2) + ' ' + std::string(d.Property(l.Layer)) + '|' +
               std::string(d.Property(l.Color)) + '|' + std::string(d.Property(l.LineType)) + '\n';
    }
    for (const TDxfCircle& c : d.Circles) {
        out += std::to_string(c.CX) + ' ' + std::to_string(c.CY) + ' ' + std::to_string(c.Radius) +
               '\n';
    }
    for (const TDxfText& t : d.Texts) {
        out += std::to_string(t.X) + ' ' + std::to_string(t.Y) + ' ' + t.Content.str() + '\n';
    }
    return out + std::to_string(d.PolylineCount());
}

// A comment pair of `bytes` value bytes and its line ends.
std::string Comment(std::size_t bytes) {
    return "999\r\n" + std::string(bytes, 'x') + "\r\n";
}

TEST(ReaderBlocks, BoundariesAnywhereReadAsOnePiece) {
    constexpr std::size_t kBlock = std::size_t{1} << 20; // the reader's block
    TTempFolder folder;
    const std::string sample = ReadBytes(BuildPath(KOLVO_SAMPLES_DIR) + "/beam-g1.dxf");
    const std::size_t entities = sample.find("ENTITIES");
    ASSERT_NE(entities, std::string::npos);
    TDrawing whole;
    ReadDxfText(sample, whole);
    const std::string expected = Fingerprint(whole);
    ASSERT_GT(whole.LineCount(), 10);

    // The first block ends at each of 40 bytes running from one line end of the entities
    // through the next few lines, and then once inside a pair longer than two blocks.
    const std::size_t from = sample.find("\r\n", entities + 400);
    const std::size_t head = Comment(0).size();
    for (std::size_t cut = from - 20; cut < from + 20; ++cut) {
        SCOPED_TRACE("block ends at sample byte " + std::to_string(cut));
        // What follows the drawing fills the next block whole, so nothing of the first one
        // survives there by chance.
        const std::string text = Comment(kBlock - head - cut) + sample + Comment(kBlock);
        WriteBytes(folder.File("blocks.dxf"), text);
        TDrawing drawing;
        ReadDxfFile(folder.File("blocks.dxf"), drawing);
        EXPECT_EQ(Fingerprint(drawing), expected);
    }
    const std::string longPair = Comment(2 * kBlock + 7) + sample;
    WriteBytes(folder.File("long.dxf"), longPair);
    TDrawing drawing;
    ReadDxfFile(folder.File("long.dxf"), drawing);
    EXPECT_EQ(Fingerprint(drawing), expected);
}

} // namespace
} // namespace kolvo
