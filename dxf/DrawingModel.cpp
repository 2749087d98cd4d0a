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
    Properties.Reset();
    BlockReferences = 0;
    LeaderObjects = 0;
    EscapedCharacters = 0;
}

void TDrawing::Reserve(std::size_t fileBytes) {
    // A LINE as the CAD host exports it takes about 200 bytes of the file or more; a drawing
    // that holds other entities as well needs fewer line slots.
    constexpr std::size_t kBytesPerLine = 200;
    Lines.Reserve(fileBytes / kBytesPerLine);
}

} // namespace kolvo
