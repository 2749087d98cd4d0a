#include "NumberLimits.h"

#include <cmath>
#include <initializer_list>

#include "Errors.h"

namespace kolvo {

namespace {
void RefuseUnless(std::initializer_list<double> values) {
    for (const double value : values) {
        if (!IsPrintableMagnitude(value)) {
            throw EDamagedDrawing(TooLargeNumberMessage);
        }
    }
}
} // namespace

bool IsPrintableMagnitude(double value) {
    return std::fabs(value) <= MaxPrintableMagnitude; // false for NaN
}

void RefuseUnprintableCoordinates(const TDrawing& drawing) {
    for (const TDxfLine& l : drawing.Lines) {
        RefuseUnless({l.X1, l.Y1, l.X2, l.Y2});
    }
    for (const TDxfText& t : drawing.Texts) {
        RefuseUnless({t.X, t.Y, t.X2, t.Y2});
    }
    for (const TDxfCircle& c : drawing.Circles) {
        RefuseUnless({c.CX, c.CY, c.Radius});
    }
    for (const TDxfArc& a : drawing.Arcs) {
        RefuseUnless({a.CX, a.CY, a.Radius});
    }
    for (const TDxfPolyline& p : drawing.Polylines) {
        for (std::int32_t n = 1; n <= p.VertexCount(); ++n) {
            RefuseUnless({p.Vertex(n).X, p.Vertex(n).Y});
        }
    }
}

void RefuseUnprintableTally(const TTally& tally) {
    for (const TTallyRecord& r : tally) {
        RefuseUnless({r.X1, r.Y1, r.X2, r.Y2, r.Length});
    }
}

} // namespace kolvo
