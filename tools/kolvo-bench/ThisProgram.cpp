#include "ThisProgram.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kolvo::bench {

std::string ThisProgramPath(const char* argv0) {
#ifdef _WIN32
    char path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length > 0 && length < sizeof path) {
        return std::string(path, length);
    }
#else
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof path) {
        return std::string(path, static_cast<std::size_t>(length));
    }
#endif
    return argv0;
}

int RunProgram(const std::string& program, const std::vector<std::string>& args) {
    // Every word quoted; the paths this program passes hold no quotes of their own.
    std::string command = "\"" + program + "\"";
    for (const std::string& arg : args) {
        command += " \"" + arg + "\"";
    }
#ifdef _WIN32
    // cmd.exe drops the first and the last quote of the line it is given.
    command = "\"" + command + "\"";
#endif
    const int status = std::system(command.c_str());
#ifdef _WIN32
    return status;
#else
    return status == -1 ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

} // namespace kolvo::bench
