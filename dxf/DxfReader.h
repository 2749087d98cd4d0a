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

// What a file that is not a whole ASCII DXF drawing is refused with (EDamagedDrawing).
inline constexpr char EmptyDrawingMessage[] = "図面ファイルが空です";
inline constexpr char NoEntitiesMessage[] =
    "図面ファイルに図形のセクション (ENTITIES) がありません。DXF図面ではないか、壊れています";
inline constexpr char CutOffDrawingMessage[] =
    "図面ファイルが途中で切れています。もう一度書き出してください";
inline constexpr char BinaryDxfMessage[] =
    "バイナリ形式のDXFは読めません。ASCII形式で書き出してください";
inline constexpr char Utf16TextMessage[] =
    "UTF-16 で書かれたテキストファイルです。ASCII形式のDXFを指定してください";
inline constexpr char Utf8BomMessage[] =
    "UTF-8 (BOM付き) で書かれたテキストファイルです。ASCII形式のDXFを指定してください";
inline constexpr char NotTextMessage[] = "テキストではないファイルです (DXF図面ではありません)";

// Empties `drawing`, then fills it from the file at `path` (8-bit text). Returns its LineCount().
// No file at `path`: an empty drawing and 0. A file that cannot be opened or read: EInOutError,
// with the drawing empty. A code line, or a number that an open record takes, that is not a valid
// number: EConvertError, with the records read up to that pair kept.
std::int32_t ReadDxfFile(const std::string& path, TDrawing& drawing);

// The same pass over DXF text already in memory (it ends at the first NUL byte), with the same
// refusals.
std::int32_t ReadDxfText(std::string_view text, TDrawing& drawing);

} // namespace kolvo
