#include "TestFiles.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kolvo::testing {

TTempFolder::TTempFolder() {
    static std::atomic<int> serial{0};
    // Test programs may run side by side: a random stamp keeps their folders apart.
    const auto stamp = std::random_device{}();
    for (int attempt = 0;; ++attempt) {
        path_ = std::filesystem::temp_directory_path() /
                ("kolvo-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
        if (std::filesystem::create_directory(path_)) {
            text_ = (path_ / "").string();
            return;
        }
        if (attempt > 100) {
            throw std::runtime_error("cannot create a temporary folder");
        }
    }
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TTempFolder::File(const std::string& name) const {
    return (path_ / name).string();
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

#ifdef _WIN32
bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
#else
bool FileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

bool FolderExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}
#endif

std::string BuildPath(const std::string& path) {
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') {
        std::string windows = "Z:" + path;
        for (char& c : windows) {
            if (c == '/') {
                c = '\\';
            }
        }
        return windows;
    }
#endif
    return path;
}

} // namespace kolvo::testing
