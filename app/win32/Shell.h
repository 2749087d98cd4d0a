// The few services of the Windows shell and system the application shell needs, as CP932 text.
#pragma once

#include <windows.h>

#include <string>

namespace kolvo {

// The file-system path of a special folder (CSIDL_APPDATA, ...) as the shell gives it, without
// a trailing backslash; empty when the shell cannot give one.
std::string GetSpecialFolderPath(HWND owner, int folderId);

// The value of an environment variable; empty when it is not set.
std::string EnvironmentVariable(const char* name);

// The temporary folder (GetTempPath); it ends with a backslash.
std::string TempFolder();

// The full path of the running executable.
std::string ExecutablePath();

// Creates `path` and any missing parent folders; the result is not looked at by the caller,
// since a folder that cannot be created shows up where its files are written.
void CreateFolderWithParents(const std::string& path);

// The local clock, for the base name.
struct LocalTime;
LocalTime CurrentLocalTime();

} // namespace kolvo
