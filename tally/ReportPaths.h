// File names of the two reports, derived from the name the user chose.
//
// The extension of a path is the part from its last "." to the end, provided that no "\", "/"
// or ":" comes after that dot; a file name ending in "." thus has an extension (the lone dot).
// Paths are CP932 bytes: the second byte of a double-byte character (such as the 0x5C of 表) is
// never taken for one of these characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kolvo {

// Position of the extension's dot in `path`, or npos when the path has no extension.
std::size_t FileExtPosition(std::string_view path);

// The extension of `path`, dot included; empty when it has none.
std::string ExtractFileExt(std::string_view path);

// `path` with its extension replaced by `ext` (which brings its own dot), or with `ext`
// appended when the path has no extension.
std::string ChangeFileExt(std::string_view path, std::string_view ext);

// The summary (.csv) report path: the chosen path itself, or with ".csv" appended when it has
// no extension.
std::string SummaryReportPath(std::string_view reportPath);

// The detail (.txt) report path that belongs to a summary path.
std::string DetailReportPath(std::string_view summaryPath);

} // namespace kolvo
