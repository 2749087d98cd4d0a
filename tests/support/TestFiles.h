// Temporary folders and whole-file bytes for the tests of every platform, and paths baked in at
// build time that a Windows build running under Wine can use.
#pragma once

#include <filesystem>
#include <string>

namespace kolvo::testing {

// A fresh empty folder under the system's temporary folder, removed with its contents when the
// object goes.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder as a narrow path string ending with the platform's separator, so that names
    // can be appended to it.
    const std::string& Path() const { return text_; }
    // `name` inside the folder, as a narrow path string.
    std::string File(const std::string& name) const;

private:
    std::filesystem::path path_;
    std::string text_;
};

// Narrow paths are the system's: CP932 bytes on Windows (the ANSI code page under test), so the
// Japanese names the shell's tests use reach the file system unchanged.
// The whole file as bytes; throws when it cannot be read, so a missing file fails the test.
std::string ReadBytes(const std::string& path);
// Throws when the file cannot be written.
void WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// A path baked in at build time, usable by this build: under Wine a Linux path "/x/y" becomes
// "Z:\x\y".
std::string BuildPath(const std::string& path);

} // namespace kolvo::testing
