#include "DrawingModel.h"

namespace kolvo {

DxfTable<TDxfLine> Lines;
DxfTable<TDxfText> Texts;
DxfTable<TDxfArc> Arcs;
DxfTable<TDxfCircle> Circles;
DxfTable<TDxfPolyline> Polylines;
DxfTable<TDxfStyle> Styles;

void ResetDrawingModel() {
    Lines.Reset();
    Texts.Reset();
    Arcs.Reset();
    Circles.Reset();
    Polylines.Reset();
    Styles.Reset();
}

} // namespace kolvo
