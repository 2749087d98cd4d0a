#include "DrawingModel.h"

namespace kolvo {

double TDrawing::StyleHeight(std::string_view name) const {
    for (const TDxfStyle& style : Styles) {
        if (style.Name == name) {
            return style.Height;
        }
    }
    return 0.0;
}

void TDrawing::Reset() {
    Lines.Reset();
    Texts.Reset();
    Arcs.Reset();
    Circles.Reset();
    Polylines.Reset();
    Styles.Reset();
}

} // namespace kolvo
