// The drawing model: the geometry and texts of one exported DXF file, as tables in file order.
// The DXF reader empties and refills a drawing's tables; bar tracing reads them by index, writes
// its marks into `TraceState` and `Flags` and reorders `Circles`. A drawing is a plain value:
// each analysis has its own, so analyses never share state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "ByteText.h"
#include "DxfTable.h"
#include "PropertyTexts.h"

namespace kolvo {

constexpr int MaxPolylineVertices = 1000;

struct TDxfLine {
    double X1 = 0, Y1 = 0, Z1 = 0;
    double X2 = 0, Y2 = 0, Z2 = 0;
    // A TLineTraceState: LineFree as read; bar tracing marks tip segments and counted bars.
    std::int32_t TraceState = 0;
    // Texts of the drawing's Properties; the colour is the group-62 line as written, leading
    // blanks included.
    TPropertyId Layer = EmptyProperty;
    TPropertyId Color = EmptyProperty;
    TPropertyId LineType = EmptyProperty;
};

// One TEXT or MTEXT entity.
struct TDxfText {
    double X = 0, Y = 0, Z = 0;
    double X2 = 0, Y2 = 0, Z2 = 0;
    ByteText<255> Content;
    std::int32_t HorzAlign = 0;
    std::int32_t VertAlign = 0;
    double Height = 0;
    TPropertyId Color = EmptyProperty;
    TPropertyId LineType = EmptyProperty;
};

struct TDxfArc {
    double CX = 0, CY = 0, CZ = 0;
    double Radius = 0;
    double StartAngle = 0, EndAngle = 0;
    TPropertyId Layer = EmptyProperty;
    TPropertyId Color = EmptyProperty;
    TPropertyId LineType = EmptyProperty;
};

struct TDxfCircle {
    double CX = 0, CY = 0, CZ = 0;
    double Radius = 0;
    TPropertyId Layer = EmptyProperty;
    TPropertyId Color = EmptyProperty;
    TPropertyId LineType = EmptyProperty;
};

struct TDxfVertex {
    double X = 0, Y = 0;
};

// One POLYLINE (with its VERTEX entities) or LWPOLYLINE. Vertices are numbered from 1 as in the
// drawing; they are stored compactly, so a drawing of many short polylines stays small.
struct TDxfPolyline {
    // 0 for every LWPOLYLINE; bar tracing marks a used V mark with PolylineMarkUsed.
    std::int32_t Flags = 0;
    TPropertyId Layer = EmptyProperty;
    TPropertyId Color = EmptyProperty;
    TPropertyId LineType = EmptyProperty;

    std::int32_t VertexCount() const { return static_cast<std::int32_t>(vertices_.size()); }
    // Vertex `n`, 1 <= n <= VertexCount().
    const TDxfVertex& Vertex(std::int32_t n) const { return vertices_.at(Slot(n)).Point; }
    TDxfVertex& Vertex(std::int32_t n) { return vertices_.at(Slot(n)).Point; }
    std::int32_t VertexFlags(std::int32_t n) const { return vertices_.at(Slot(n)).Flags; }
    std::int32_t& VertexFlags(std::int32_t n) { return vertices_.at(Slot(n)).Flags; }

    // Starts the next vertex at (x, 0) with flags 0. A polyline holds at most
    // MaxPolylineVertices; further vertices are dropped and false is returned.
    bool AddVertex(double x) {
        if (VertexCount() >= MaxPolylineVertices) {
            return false;
        }
        vertices_.push_back(VertexSlot{TDxfVertex{x, 0}, 0});
        return true;
    }

private:
    struct VertexSlot {
        TDxfVertex Point;
        std::int32_t Flags;
    };
    // An index outside 1..VertexCount() maps past the end, so at() refuses it.
    static std::size_t Slot(std::int32_t n) { return static_cast<std::size_t>(n) - 1; }
    std::vector<VertexSlot> vertices_;
};

struct TDxfStyle {
    ByteText<40> Name; // compared exactly, case matters
    double Height = 10.0;
    ByteText<60> Color;
    ByteText<60> LineType;
};

// Values of TDxfLine::TraceState.
enum TLineTraceState : std::int32_t {
    LineFree = 0,
    LineTipSegment = 3, // the leader line whose end is the tip
    LineCountedBar = 4, // a line tallied as a bar
    LineTipTaken = 6,   // a tip segment whose bars have been looked for
};

// TDxfPolyline::Flags of a polyline whose middle vertex gave a mark point.
constexpr std::int32_t PolylineMarkUsed = 5;

// One drawing: its tables in file order.
struct TDrawing {
    DxfTable<TDxfLine> Lines;
    DxfTable<TDxfText> Texts;
    DxfTable<TDxfArc> Arcs;
    DxfTable<TDxfCircle> Circles;
    DxfTable<TDxfPolyline> Polylines;
    DxfTable<TDxfStyle> Styles;
    TPropertyTexts Properties; // the records' layers, colours and line types
    // Entities of the ENTITIES section that are not read but counted: block references
    // (INSERT) and leader objects (LEADER, MULTILEADER, MLEADER).
    std::int32_t BlockReferences = 0;
    std::int32_t LeaderObjects = 0;
    // Characters of a drawing in another encoding that CP932 lacks, kept as "\U+XXXX".
    std::int32_t EscapedCharacters = 0;

    std::string_view Property(TPropertyId id) const { return Properties[id]; }

    std::int32_t LineCount() const { return Lines.Count(); }
    std::int32_t TextCount() const { return Texts.Count(); }
    std::int32_t ArcCount() const { return Arcs.Count(); }
    std::int32_t CircleCount() const { return Circles.Count(); }
    std::int32_t PolylineCount() const { return Polylines.Count(); }
    std::int32_t StyleCount() const { return Styles.Count(); }

    // Height of the first style whose name is exactly `name`; 0.0 when there is none.
    double StyleHeight(std::string_view name) const;

    // Empties every table, as each read begins.
    void Reset();

    // Makes room for the records a DXF file of `fileBytes` bytes is likely to hold, so that
    // the tables of a large drawing grow without being copied again and again.
    void Reserve(std::size_t fileBytes);
};

} // namespace kolvo
