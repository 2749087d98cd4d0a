#include "Tally.h"

#include <algorithm>
#include <cmath>

#include "DrawingModel.h"

namespace kolvo {

void AddTallyRecord(TTally& Tally, std::string_view Label, const TDrawing& Drawing,
                    const TDxfLine& Bar, double X1, double Y1, double X2, double Y2) {
    TTallyRecord record;
    record.Label = Label;
    if (X1 < X2) {
        record.X1 = X1;
        record.Y1 = Y1;
        record.X2 = X2;
        record.Y2 = Y2;
    } else {
        record.X1 = X2;
        record.Y1 = Y2;
        record.X2 = X1;
        record.Y2 = Y1;
    }
    record.Length = std::sqrt((X1 - X2) * (X1 - X2) + (Y1 - Y2) * (Y1 - Y2));
    record.Layer = Drawing.Property(Bar.Layer);
    record.Color = Drawing.Property(Bar.Color);
    record.LineType = Drawing.Property(Bar.LineType);
    Tally.Append(std::move(record));
}

int CompareBytes(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

int CompareReals(double a, double b) {
    const bool aNan = std::isnan(a);
    const bool bNan = std::isnan(b);
    if (aNan || bNan) {
        return aNan == bNan ? 0 : (aNan ? 1 : -1);
    }
    if (a < b) {
        return -1;
    }
    return a > b ? 1 : 0;
}

void SortTally(TTally& Tally) {
    std::stable_sort(Tally.begin(), Tally.end(), [](const TTallyRecord& a, const TTallyRecord& b) {
        const int byLabel = CompareBytes(a.Label.view(), b.Label.view());
        if (byLabel != 0) {
            return byLabel < 0;
        }
        return CompareReals(a.Length, b.Length) < 0;
    });
}

} // namespace kolvo
