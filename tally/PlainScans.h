// The tracer's searches as plain scans of the tables in table order. They are the reference: every
// answer of the search indexes must be the one these give, ties included, and the tracer scans
// with them when it has no index or an index leaves a search unanswered. The tally that a
// connections search fills is here too, as the indexed search fills it in the same way.
#pragma once

#include <algorithm>
#include <cstdint>

#include "DrawingModel.h"
#include "Geometry.h"
#include "TraceTolerances.h"

namespace kolvo {

inline bool IsAvailableVMark(const TDxfPolyline& polyline) {
    return polyline.VertexCount() == 3 && polyline.Flags == 0;
}

inline bool EndsMeet(double x, double y, double endX, double endY) {
    return PointDistance(x, y, endX, endY) < ConnectTolerance;
}

// The tally of one FindConnections search. Hits are offered in any order; the last hit in table
// order (lines by index, start before end, then polylines by index) is the one reported.
struct TConnections {
    std::int32_t Count = 0;
    std::int32_t LineIndex = -1, LineKind = 0;
    std::int32_t VMarkIndex = -1;
    // For the walk's proof that a network has no tip: the ends of free lines other than the one
    // being walked, visited or not, and whether any V mark was there.
    std::int32_t FreeEnds = 0;
    bool AnyVMark = false;

    // True when no choice of visited lines could make this point a tip.
    bool NeverATip() const { return !AnyVMark && FreeEnds <= 1; }

    void AddLineEnd(std::int32_t index, std::int32_t kind) {
        ++Count;
        if (index > LineIndex || (index == LineIndex && kind > LineKind)) {
            LineIndex = index;
            LineKind = kind;
        }
    }
    void AddVMark(std::int32_t index) {
        AnyVMark = true;
        Count += 2;
        VMarkIndex = std::max(VMarkIndex, index);
    }
};

// The stroke ends that meet (x, y), offered to `found` in table order: both ends of every free
// line, counted where `isFreeUnvisited` says so, and the middle vertex of every unused V mark.
// `walked` is the line being walked (or -1): its own ends are left out of FreeEnds.
template <class IsFreeUnvisited>
void ScanConnections(const TDrawing& drawing, const IsFreeUnvisited& isFreeUnvisited,
                     std::int32_t walked, double x, double y, TConnections& found) {
    for (std::int32_t i = 0; i < drawing.LineCount(); ++i) {
        const TDxfLine& line = drawing.Lines[i];
        if (line.TraceState != LineFree) {
            continue;
        }
        const bool counts = isFreeUnvisited(i);
        for (const std::int32_t kind : {StrokeLineStart, StrokeLineEnd}) {
            const bool meets = kind == StrokeLineStart ? EndsMeet(x, y, line.X1, line.Y1)
                                                       : EndsMeet(x, y, line.X2, line.Y2);
            if (meets) {
                found.FreeEnds += i != walked ? 1 : 0;
                if (counts) {
                    found.AddLineEnd(i, kind);
                }
            }
        }
    }
    for (std::int32_t i = 0; i < drawing.PolylineCount(); ++i) {
        const TDxfPolyline& polyline = drawing.Polylines[i];
        if (IsAvailableVMark(polyline) &&
            EndsMeet(x, y, polyline.Vertex(2).X, polyline.Vertex(2).Y)) {
            found.AddVMark(i);
        }
    }
}

// The bar search's own test: the infinite line through `line` passes within ConnectTolerance of
// (x, y).
bool LinePassesNear(const TDxfLine& line, double x, double y);

// The bar search as the plain scan makes it: the first line in table order, other than
// `skipLine`, that passes near (x, y).
bool ScanForBar(const TDrawing& drawing, double x, double y, std::int32_t skipLine,
                std::int32_t& line);

// The nearest-line search as the plain scan makes it: the free line whose start, end or middle
// point (tried in that order) is nearest (x, y), the earlier line on equal distances, nearer
// than NearestLineStart. `line` is set only when one is found.
bool ScanNearestFreeLine(const TDrawing& drawing, double x, double y, std::int32_t& line);

} // namespace kolvo
