#include "Shell.h"

#include "WorkFolder.h"

#include <shlobj.h>

namespace kolvo {

std::string GetSpecialFolderPath(HWND owner, int folderId) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, folderId, &items)) || items == nullptr) {
        return {};
    }
    char path[MAX_PATH + 1] = {};
    const bool converted = SHGetPathFromIDListA(items, path);
    CoTaskMemFree(items);
    return converted ? std::string(path) : std::string();
}

std::string EnvironmentVariable(const char* name) {
    std::string value(64, '\0');
    for (;;) {
        const DWORD length = GetEnvironmentVariableA(name, value.data(), DWORD(value.size()));
        if (length == 0) {
            return {};
        }
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length); // too small: length is the size needed, terminator included
    }
}

std::string TempFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof path, path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

std::string ExecutablePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void CreateFolderWithParents(const std::string& path) {
    SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
}

LocalTime CurrentLocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

} // namespace kolvo
