// The few file-system operations the writer and the command line need, as this system offers
// them. Paths are bytes as the system's 8-bit functions take them: the ANSI code page (CP932) on
// Windows, UTF-8 on Linux. Codes are the I/O error codes of Errors.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kolvo {

// Whether `path` exists and what it is. A drawing must be a regular file: a FIFO would block
// the read, a device such as /dev/zero would never end, and a folder is no file to replace.
enum class TFileKind { Missing, Regular, Other };
TFileKind FileKind(const std::string& path);

// A regular file that the user has marked read-only.
bool IsReadOnly(const std::string& path);

// True when both paths exist and name the same file, however they are spelt.
bool IsSameFile(const std::string& a, const std::string& b);

// True when the two names are one name for this system's file names: the same bytes, or on
// Windows the same but for the case of ASCII letters.
bool SameFileName(std::string_view a, std::string_view b);

// What WriteNewFile returns when a file of that name is already there.
inline constexpr int FileExistsCode = 80;

// Creates the file `path`, which must not exist yet, and writes `bytes` to it. 0, or the I/O
// error code; a file that could not be written whole is removed again.
int WriteNewFile(const std::string& path, std::string_view bytes);

// Moves the file `from` to `to`, replacing a file there. 0, or the I/O error code.
int MoveReplacing(const std::string& from, const std::string& to);

// Removes the file if it is there.
void RemoveFile(const std::string& path);

// What a search of a folder and the folders below it found, as paths that begin with the folder;
// in no particular order.
struct TFolderListing {
    std::vector<std::string> Files;      // every regular file
    std::vector<std::string> Unreadable; // folders whose entries could not be read (whole)
};
TFolderListing FilesUnder(const std::string& folder);

// Creates the folder `path` and any of its parents that are missing. 0 when the folder is there
// afterwards, or the I/O error code.
int MakeFolders(const std::string& path);

// This process's id, which keeps the temporary names of two programs at work apart.
long CurrentProcessId();

} // namespace kolvo
