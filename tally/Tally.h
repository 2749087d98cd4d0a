// The tally: one record per bar found, in the order the tracer found them until SortTally.
#pragma once

#include <cstdint>
#include <deque>
#include <string_view>

#include "ByteText.h"
#include "DrawingModel.h"
#include "DxfTable.h"

namespace kolvo {

struct TTallyRecord {
    ByteText<60> Label;
    // The end with the smaller x; when both ends have the same x, the line's end point.
    double X1 = 0, Y1 = 0;
    double X2 = 0, Y2 = 0;
    double Length = 0; // plane distance between the ends
    ByteText<60> Layer;
    ByteText<60> Color;
    ByteText<60> LineType;
};

// The bars of one analysis. Grows as bars are found: an analysis is never cut short by a full
// table, and its growth never sets the analysis's peak memory.
using TTally = DxfTable<TTallyRecord, std::deque<TTallyRecord>>;

// Appends the bar `Bar` of `Drawing` (whose layer, colour and line type the record takes), with
// start point (X1, Y1) and end point (X2, Y2), and its label.
void AddTallyRecord(TTally& Tally, std::string_view Label, const TDrawing& Drawing,
                    const TDxfLine& Bar, double X1, double Y1, double X2, double Y2);

// Byte strings compared as unsigned bytes, a proper prefix first: <0, 0 or >0.
int CompareBytes(std::string_view a, std::string_view b);

// Reals compared numerically; NaN, which only a broken drawing produces, after every number.
int CompareReals(double a, double b);

// Orders the tally by label, then by length; records equal in both keep their order.
void SortTally(TTally& Tally);

} // namespace kolvo
