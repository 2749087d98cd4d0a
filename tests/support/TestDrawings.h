// Small drawings the tests of several programs share, written with the project's DXF writer.
#pragma once

#include <string>

namespace kolvo::testing {

// One label D13 whose arrow points at one bar: everything counted, nothing noted.
void WriteCountedDrawing(const std::string& path);

// A drawing with what needs a look: a label whose arrow's stroke comes before its bar (noted
// STROKE), two labels whose tips land on one bar (a double), a label whose tip finds no bar
// (not counted), a grid bubble X2 (no diameter: not counted as a bar label) and a block
// reference. The quantity run counts 1 label not counted, 1 double and 2 notes.
void WriteDrawingThatNeedsALook(const std::string& path);

} // namespace kolvo::testing
