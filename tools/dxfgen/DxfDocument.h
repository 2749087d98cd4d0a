// Writes ASCII DXF files of release 2000 the way a CAD host exports them: CR LF line ends,
// group codes right-aligned in three columns, 16-bit integers right-aligned in six, handles,
// the usual tables, block definitions and the OBJECTS section. Texts are written byte for byte,
// so the CP932 literals of this program land in the file as CP932.
//
// Used to make the sample drawings, the test drawings and the benchmark drawing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kolvo::dxfgen {

struct Point {
    double X = 0, Y = 0;
};

// How an entity is drawn. Colour 256 and an empty line type mean "by layer": the entity then
// carries no group 62 or 6, as the host writes it.
struct Pen {
    std::string Layer = "0";
    int Color = 256;
    std::string LineType;
};

// Horizontal and vertical justification of a TEXT (groups 72 and 73).
struct TextJustify {
    int Horizontal = 0; // 0 left, 1 centre, 2 right
    int Vertical = 0;   // 0 baseline, 1 bottom, 2 middle, 3 top
};

class DxfDocument {
public:
    DxfDocument();

    // Table entries. Layer "0", the line types ByBlock, ByLayer and Continuous and the text
    // style "Standard" exist from the start.
    void AddLineType(std::string_view name, std::string_view description,
                     const std::vector<double>& pattern);
    void AddLayer(std::string_view name, int color, std::string_view lineType = "Continuous");
    void AddTextStyle(std::string_view name, double fixedHeight, std::string_view font,
                      std::string_view bigFont = "");

    // Entities go into the block opened by BeginBlock until EndBlock, otherwise into the
    // ENTITIES section, in the order of the calls.
    void BeginBlock(std::string_view name, Point base);
    void EndBlock();

    void Line(const Pen& pen, Point from, Point to);
    void Circle(const Pen& pen, Point centre, double radius);
    void Arc(const Pen& pen, Point centre, double radius, double startDegrees, double endDegrees);
    // A TEXT whose first alignment point (group 10) is `insert`; with a justification other
    // than left/baseline the host also writes the alignment point (group 11) as `alignPoint`.
    void Text(const Pen& pen, Point insert, double height, std::string_view content,
              std::string_view style = "Standard", TextJustify justify = {}, Point alignPoint = {});
    // An MTEXT at `insert` with the given attachment point (5: middle centre). Contents longer
    // than 250 bytes are split into group-3 parts before the final group 1, as the host does,
    // never inside a double-byte character.
    void MText(const Pen& pen, Point insert, double height, std::string_view content,
               std::string_view style = "Standard", int attachment = 5);
    // An LWPOLYLINE; `closed` sets bit 1 of its group 70.
    void LwPolyline(const Pen& pen, const std::vector<Point>& vertices, bool closed = false);
    // A POLYLINE with one VERTEX per point and its SEQEND.
    void Polyline(const Pen& pen, const std::vector<Point>& vertices, int flags = 0);
    void Insert(const Pen& pen, std::string_view block, Point at);
    // A LEADER through `vertices` (arrowhead at the first), and a MULTILEADER from `arrowHead` to
    // `landing`, with only the groups that say what they are: drawings made with the host's
    // leader commands, which the analysis does not follow.
    void Leader(const Pen& pen, const std::vector<Point>& vertices);
    void MultiLeader(const Pen& pen, Point arrowHead, Point landing);

    // The whole file.
    std::string Finish() const;
    // Writes Finish() to `path` (bytes as they are); throws std::runtime_error on failure.
    void WriteFile(const std::string& path) const;

    // The whole file as a host of another release or locale writes it: `version` for $ACADVER
    // ("AC1032", release 2018, whose texts are UTF-8) and `codePage` for $DWGCODEPAGE
    // ("ANSI_936"). The texts, CP932 here, are written in that encoding, a "\U+XXXX" escape in
    // them as the character it stands for where the encoding has it.
    std::string FinishAs(std::string_view version, std::string_view codePage) const;
    void WriteFileAs(const std::string& path, std::string_view version,
                     std::string_view codePage) const;

private:
    struct LineTypeDef {
        std::string Name, Description;
        std::vector<double> Pattern;
    };
    struct LayerDef {
        std::string Name;
        int Color;
        std::string LineType;
    };
    struct StyleDef {
        std::string Name;
        double Height;
        std::string Font, BigFont;
    };
    struct BlockDef {
        std::string Name;
        Point Base;
        std::uint32_t RecordHandle, BeginHandle, EndHandle;
        std::string Body;
    };

    std::string FinishWith(std::string_view version, std::string_view codePage) const;
    static void WriteBytes(const std::string& path, const std::string& text);
    std::string& Out();
    std::uint32_t OwnerHandle() const;
    void EntityHead(std::string_view type, const Pen& pen);
    std::uint32_t NewHandle() { return nextHandle_++; }

    std::vector<LineTypeDef> lineTypes_;
    std::vector<LayerDef> layers_;
    std::vector<StyleDef> styles_;
    std::vector<BlockDef> blocks_;
    bool inBlock_ = false;
    std::string entities_;
    std::uint32_t nextHandle_ = 0x100;
};

// Text of a real value as the host writes it: the shortest form that reads back as the same
// double, with at least one decimal ("0.0", "6000.0", "-12.5").
std::string FormatReal(double value);

} // namespace kolvo::dxfgen
