#include "ProcessRunner.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "TestFiles.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace kolvo::testing {

namespace {

std::string Quoted(const std::string& arg) {
#ifdef _WIN32
    // The program's start-up code reads backslashes before a quote as escapes: a folder name
    // ending in one must have it doubled.
    std::string quoted = "\"" + arg;
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
        command += " " + Quoted(arg);
    }
    command += " >" + Quoted(outPath) + " 2>" + Quoted(errPath);
#ifdef _WIN32
    // cmd /c drops the first and the last quote of a line that starts with one.
    command = "\"" + command + "\"";
#endif
    const int status = std::system(command.c_str());
    TRunResult result;
#ifdef _WIN32
    result.ExitCode = status;
#else
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
