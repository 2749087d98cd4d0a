#include "FileIdentity.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace kolvo {

#ifdef _WIN32

namespace {

class THandle {
public:
    explicit THandle(HANDLE h) : h_(h) {}
    ~THandle() {
        if (h_ != INVALID_HANDLE_VALUE) {
            CloseHandle(h_);
        }
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

bool IsSameFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    return FileId(a, ia) && FileId(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

#else

TFileKind FileKind(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        return TFileKind::Missing;
    }
    return S_ISREG(st.st_mode) ? TFileKind::Regular : TFileKind::Other;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

#endif

} // namespace kolvo
