#include "FileSystem.h"

#include <windows.h>

#include <algorithm>

#include "FileNames.h"
#include "ShiftJis.h"

namespace kolvo {

namespace {

class THandle {
public:
    explicit THandle(HANDLE h) : h_(h) {}
    ~THandle() { Close(); }
    // False when the handle was open and closing it failed.
    bool Close() {
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return h == INVALID_HANDLE_VALUE || CloseHandle(h) != FALSE;
    }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

bool FileId(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    // No access rights are asked for: the file's identity is readable even while another
    // program holds it open.
    THandle h(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return h.get() != INVALID_HANDLE_VALUE && GetFileInformationByHandle(h.get(), &info);
}

// The I/O error code for the system's error after a failed file operation: the system's own
// codes, but for a file held open by another program (Excel keeps a CSV it shows locked), which
// the user reads as access denied, and a full disk.
int InOutCode(DWORD error) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return 5;
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return 3;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return 101;
    case ERROR_SUCCESS:
        return 1117; // failed without saying why: a device error
    default:
        return static_cast<int>(error);
    }
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

TFileKind FileKind(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return TFileKind::Missing;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return TFileKind::Other;
    }
    // Device names (NUL, CON, COM1, a pipe) open as something other than a disk file.
    THandle h(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, 0, nullptr));
    if (h.get() == INVALID_HANDLE_VALUE) {
        return TFileKind::Regular; // the reader will say why it cannot be read
    }
    return GetFileType(h.get()) == FILE_TYPE_DISK ? TFileKind::Regular : TFileKind::Other;
}

bool IsReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY);
}

bool IsSameFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    return FileId(a, ia) && FileId(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

bool SameFileName(std::string_view a, std::string_view b) {
    // The file system ignores the case of letters; the second byte of a double-byte character
    // is compared as it stands (0x5C of 表 is no letter, and 0x61 of a kanji no "a").
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsSjisLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
            continue;
        }
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

int WriteNewFile(const std::string& path, std::string_view bytes) {
    // Nobody else may write it while it is being written: a second writer of the same name
    // fails to open instead of both writing over each other.
    THandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? FileExistsCode
                                                                           : InOutCode(error);
    }
    int code = 0;
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 26));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            code = InOutCode(GetLastError());
            break;
        }
        done += written;
    }
    if (!file.Close() && code == 0) {
        code = InOutCode(GetLastError());
    }
    if (code != 0) {
        DeleteFileA(path.c_str());
    }
    return code;
}

int MoveReplacing(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)
               ? 0
               : InOutCode(GetLastError());
}

void RemoveFile(const std::string& path) {
    DeleteFileA(path.c_str());
}

TFolderListing FilesUnder(const std::string& folder) {
    TFolderListing listing;
    std::vector<std::string> folders = {folder};
    while (!folders.empty()) {
        const std::string current = folders.back();
        folders.pop_back();
        WIN32_FIND_DATAA found{};
        const HANDLE search = FindFirstFileA(CommandLinePathIn(current, "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            // A folder holds at least its own "." entry; only a drive's root may be empty.
            if (GetLastError() != ERROR_FILE_NOT_FOUND) {
                listing.Unreadable.push_back(current);
            }
            continue;
        }
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            // A junction to a folder above would never end the search: folders that are links
            // are not entered.
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                    folders.push_back(CommandLinePathIn(current, name));
                }
            } else {
                listing.Files.push_back(CommandLinePathIn(current, name));
            }
        } while (FindNextFileA(search, &found));
        if (GetLastError() != ERROR_NO_MORE_FILES) {
            listing.Unreadable.push_back(current);
        }
        FindClose(search);
    }
    return listing;
}

int MakeFolders(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return attributes & FILE_ATTRIBUTE_DIRECTORY ? 0 : 3;
    }
    // The parent: up to the last separator that is no second byte of a double-byte character.
    std::size_t parentEnd = std::string::npos;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        if (IsSjisLeadByte(static_cast<unsigned char>(path[i]))) {
            ++i;
        } else if (path[i] == '\\' || path[i] == '/') {
            parentEnd = i;
        }
    }
    if (parentEnd != std::string::npos && parentEnd > 0 && path[parentEnd - 1] != ':') {
        if (const int code = MakeFolders(path.substr(0, parentEnd)); code != 0) {
            return code;
        }
    }
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return InOutCode(GetLastError());
    }
    return 0;
}

long CurrentProcessId() {
    return static_cast<long>(GetCurrentProcessId());
}

} // namespace kolvo
