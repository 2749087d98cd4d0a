// The DXF reader: fills a drawing (the drawing model) from the ASCII DXF file that the CAD host
// exported.
//
// One forward pass over the group pairs: the entries of the STYLE table and the LINE, TEXT,
// MTEXT, ARC, CIRCLE, POLYLINE (with its VERTEX entities) and LWPOLYLINE entities of the
// ENTITIES section become records; everything else is passed over. The pass ends at the
// ENTITIES section's ENDSEC; nothing after it is looked at.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "DrawingModel.h"

namespace kolvo {

// Empties `drawing`, then fills it from the file at `path` (8-bit text). Returns its LineCount().
// No file at `path`: an empty drawing and 0. A file that cannot be opened or read: EInOutError,
// with the drawing empty. A code line, or a number that an open record takes, that is not a valid
// number: EConvertError, with the records read up to that pair kept.
std::int32_t ReadDxfFile(const std::string& path, TDrawing& drawing);

// The same pass over DXF text already in memory (it ends at the first NUL byte).
std::int32_t ReadDxfText(std::string_view text, TDrawing& drawing);

} // namespace kolvo
