// The benchmark's drawing: a large reinforcement plan made of identical-looking cells, laid
// out so that the number of bars the analysis must find is known in advance.
#pragma once

#include <cstdint>
#include <string>

#include "DxfDocument.h"

namespace kolvo::bench {

// Variations of the plan that have made searches slow: each keeps the bars to be found.
enum class TBenchLayout {
    Plain,        // bars, then labels and leaders, then the other lines
    FarStray,     // one more line, far away from everything (a common slip in CAD files)
    OthersFirst,  // the other lines come before the bars in the file
    LongLines,    // the other lines run across the whole plan
    TiplessLeads, // a fifth more labels, each next to a line of one long chain without a tip;
                  // the chain takes the place of most other lines
};

const char* LayoutName(TBenchLayout layout);

struct TBenchDrawing {
    dxfgen::DxfDocument Drawing;
    std::int32_t Labels = 0;
    std::int32_t OtherLines = 0;
    std::int32_t ExpectedBars = 0; // what a correct analysis tallies
};

// `labels` label cells in rows of 100. Each cell holds four bars, a label circle with its text,
// a two-segment leader whose tip (an arrow, or a V mark in every other cell) sits on the lowest
// bar and V marks on the other three, and its share of `otherLines` further lines (outlines,
// hatching) that no label points at. In the plain layout the bars of all cells come first in the
// file, as a draughtsman draws the structure before annotating it.
TBenchDrawing MakeBenchDrawing(std::int32_t labels, std::int32_t otherLines,
                               TBenchLayout layout = TBenchLayout::Plain);

} // namespace kolvo::bench
