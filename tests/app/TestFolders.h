// Scratch folders and file bytes for the Windows tests of the application shell.
#pragma once

#include <string>

namespace kolvo::test {

// A new empty folder under the temporary folder, ending with a backslash; removed with its
// contents when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

void RemoveTree(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// The whole file as bytes; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);

} // namespace kolvo::test
