// A temporary folder for the benchmark's drawings and outputs.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

namespace kolvo::bench {

// Removed with everything in it when this goes.
struct TTempFolder {
    std::filesystem::path Path;
    TTempFolder() {
        Path = std::filesystem::temp_directory_path() /
               ("kolvo-bench-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        std::filesystem::create_directories(Path);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
};

} // namespace kolvo::bench
