#include "ProcessRunner.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "TestFiles.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace kolvo::testing {

namespace {

std::string Quoted(const std::string& arg) {
#ifdef _WIN32
    // The program's start-up code reads backslashes before a quote as escapes: a folder name
    // ending in one must have it doubled.
    std::string quoted = "\"";
    quoted += arg;
    for (auto it = arg.rbegin(); it != arg.rend() && *it == '\\'; ++it) {
        quoted += '\\';
    }
    return quoted + "\"";
#else
    std::string quoted = "'";
    for (char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
#endif
}

} // namespace

TRunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& scratch) {
    const std::string outPath = (std::filesystem::path(scratch) / "stdout.bin").string();
    const std::string errPath = (std::filesystem::path(scratch) / "stderr.bin").string();
    std::string command = Quoted(program);
    for (const std::string& arg : args) {
        command += ' ';
        command += Quoted(arg);
    }
    TRunResult result;
#ifdef _WIN32
    // Started directly, not through cmd, which would read the command line in another code page
    // than the program's own and garble its Japanese names.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const auto open = [&inherit](const std::string& path) {
        return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    const HANDLE out = open(outPath);
    const HANDLE err = open(errPath);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const bool started = out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE &&
                         CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    DWORD code = 0;
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    for (const HANDLE handle : {out, err}) {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
    if (!started) {
        throw std::runtime_error("could not run " + program);
    }
    result.ExitCode = static_cast<int>(code);
#else
    command += " >" + Quoted(outPath) + " 2>" + Quoted(errPath);
    const int status = std::system(command.c_str());
    if (status == -1 || !WIFEXITED(status)) {
        throw std::runtime_error("could not run " + program);
    }
    result.ExitCode = WEXITSTATUS(status);
#endif
    result.Out = ReadBytes(outPath);
    result.Err = ReadBytes(errPath);
    return result;
}

} // namespace kolvo::testing
