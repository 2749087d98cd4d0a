// File questions the command asks before it lets the analysis create report files. Paths are
// bytes as the system gives them on the command line (the ANSI code page on Windows).
#pragma once

#include <string>

namespace kolvo {

// Whether `path` exists and what it is: a drawing must be a regular file. A FIFO would block
// the read, a device such as /dev/zero would never end.
enum class TFileKind { Missing, Regular, Other };
TFileKind FileKind(const std::string& path);

// True when both paths exist and name the same file, however they are spelt.
bool IsSameFile(const std::string& a, const std::string& b);

} // namespace kolvo
