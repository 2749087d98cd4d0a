#include "FileSystem.h"

#include <cerrno>
#include <cstdio>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Errors.h"
#include "FileNames.h"

namespace kolvo {

TFileKind FileKind(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return TFileKind::Missing;
    }
    return S_ISREG(st.st_mode) ? TFileKind::Regular : TFileKind::Other;
}

bool IsReadOnly(const std::string& path) {
    // Its mode, not access(): the super-user may write anything, and a file marked read-only
    // is still the user's word that it is not to be replaced.
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool SameFileName(std::string_view a, std::string_view b) {
    return a == b;
}

int WriteNewFile(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno == EEXIST ? FileExistsCode : InOutCodeFromErrno(errno);
    }
    int code = 0;
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            // A write that stores nothing without saying why has run out of room.
            code = written < 0 ? InOutCodeFromErrno(errno) : 101;
            break;
        }
        done += static_cast<std::size_t>(written);
    }
    if (::close(fd) != 0 && code == 0) {
        code = InOutCodeFromErrno(errno);
    }
    if (code != 0) {
        ::unlink(path.c_str());
    }
    return code;
}

int MoveReplacing(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : InOutCodeFromErrno(errno);
}

void RemoveFile(const std::string& path) {
    ::unlink(path.c_str());
}

TFolderListing FilesUnder(const std::string& folder) {
    TFolderListing listing;
    std::vector<std::string> folders = {folder};
    while (!folders.empty()) {
        const std::string current = folders.back();
        folders.pop_back();
        DIR* dir = ::opendir(current.c_str());
        if (dir == nullptr) {
            listing.Unreadable.push_back(current);
            continue;
        }

        for (;;) {
            errno = 0;
            const dirent* entry = ::readdir(dir);
            if (entry == nullptr) {
                if (errno != 0) {
                    listing.Unreadable.push_back(current);
                }
                break;
            }
            const std::string name = entry->d_name;
            if (name == "." || name == "..") {
                continue;
            }
            // Links are followed as the files and folders they name, but a link to a folder
            // above would never end the search: folders are taken only as they stand.
            struct stat st {};
            const std::string path = CommandLinePathIn(current, name);
            if (::lstat(path.c_str(), &st) != 0) {
                continue;
            }
            if (S_ISDIR(st.st_mode)) {
                folders.push_back(path);
            } else if (S_ISREG(st.st_mode) ||
                       (S_ISLNK(st.st_mode) && FileKind(path) == TFileKind::Regular)) {
                listing.Files.push_back(path);
            }
        }
        ::closedir(dir);
    }
    return listing;
}

int MakeFolders(const std::string& path) {
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        return S_ISDIR(st.st_mode) ? 0 : 3;
    }
    if (const std::size_t slash = folder.rfind('/'); slash != std::string::npos && slash > 0) {
        if (const int code = MakeFolders(folder.substr(0, slash)); code != 0) {
            return code;
        }
    }
    if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
        return InOutCodeFromErrno(errno);
    }
    return 0;
}

long CurrentProcessId() {
    return static_cast<long>(::getpid());
}

} // namespace kolvo
