// The sample drawings: reinforcement drawings as a CAD host exports them, each with its
// reports worked out by hand beside it in samples/.
#pragma once

#include <string>
#include <vector>

#include "DxfDocument.h"

namespace kolvo::samples {

struct SampleDrawing {
    std::string Name; // file name without ".dxf"
    dxfgen::DxfDocument Drawing;
};

std::vector<SampleDrawing> SampleDrawings();

} // namespace kolvo::samples
