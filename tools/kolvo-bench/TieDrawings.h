// Random drawings built to make the tracer's searches meet ties and boundaries, for comparing
// the indexed searches with the plain table scans: coordinates on a coarse lattice (equal
// distances, ends exactly 1.0 apart, texts exactly on their circle), values one ulp off it,
// duplicated lines, axis-parallel lines in numbers (so that directions are shared), zero-length
// lines, long lines, far stray lines, tip-less chains with labels beside them, V marks used and
// unused. Used by the tests (a few hundred drawings) and by kolvo-bench --differential (as many
// as asked for).
#pragma once

#include <cstdint>
#include <string>

#include "DrawingModel.h"

namespace kolvo::bench {

// Fills the empty `drawing` with the random drawing numbered `seed`.
void MakeTieDrawing(std::uint32_t seed, TDrawing& drawing);

// Traces a copy of `drawing` with the indexed searches and another with the plain scans. Returns
// an empty text when both give the same tally records in the same order and leave the same trace
// marks; otherwise a description of the first difference. `bars` gets the number of records.
std::string CompareIndexedWithPlain(const TDrawing& drawing, std::int32_t& bars);

} // namespace kolvo::bench
