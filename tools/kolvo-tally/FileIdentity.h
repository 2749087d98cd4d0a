// File questions the command asks before it lets the analysis create report files. Paths are
// bytes as the system gives them on the command line (the ANSI code page on Windows).
#pragma once

#include <string>

namespace kolvo {

// True when `path` names something that exists and is not a folder.
bool IsExistingFile(const std::string& path);

// True when both paths exist and name the same file, however they are spelt.
bool IsSameFile(const std::string& a, const std::string& b);

} // namespace kolvo
