// The benchmark's drawing: a large reinforcement plan made of identical-looking cells, laid
// out so that the number of bars the analysis must find is known in advance.
#pragma once

#include <cstdint>
#include <string>

#include "DxfDocument.h"

namespace kolvo::bench {

struct TBenchDrawing {
    dxfgen::DxfDocument Drawing;
    std::int32_t Labels = 0;
    std::int32_t OtherLines = 0;
    std::int32_t ExpectedBars = 0; // what a correct analysis tallies
};

// `labels` label cells in rows of 100. Each cell holds four bars, a label circle with its text,
// a two-segment leader whose tip (an arrow, or a V mark in every other cell) sits on the lowest
// bar and V marks on the other three, and its share of `otherLines` further lines (outlines,
// hatching) that no label points at. The bars of all cells come first in the file, as a
// draughtsman draws the structure before annotating it.
TBenchDrawing MakeBenchDrawing(std::int32_t labels, std::int32_t otherLines);

} // namespace kolvo::bench
