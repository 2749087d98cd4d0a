// What the fuzz targets do with one input, shared with the corpus replay that runs in the normal
// test command: the same code, so a crash found by fuzzing is a failing test once its input is
// saved in fuzz/crashes.
#pragma once

#include <string_view>

namespace kolvo::fuzz {

// The whole analysis of `bytes` as a drawing: read, traced, sorted and both reports written (to
// the system's null device). A refusal the user would see (EConvertError, EDamagedDrawing) is an
// answer; any other exception, a crash or a sanitizer report is a fault.
void AnalyseBytes(std::string_view bytes);

// Traces `bytes` as a drawing twice, with the indexed searches and with the plain table-order
// scans; returns whether both tallies are identical, field by field and in order (true as well
// when the drawing is refused).
bool IndexedTraceMatchesPlainScan(std::string_view bytes);

} // namespace kolvo::fuzz
