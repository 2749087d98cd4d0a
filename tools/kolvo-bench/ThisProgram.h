// Starting this program again as a separate process, so that each measurement has a process
// (and a peak memory) of its own.
#pragma once

#include <string>
#include <vector>

namespace kolvo::bench {

// The path of the running program's file; `argv0` when the system does not tell.
std::string ThisProgramPath(const char* argv0);

// Runs `program` with `args` and waits for it; returns its exit code, or -1 when it could not
// be run.
int RunProgram(const std::string& program, const std::vector<std::string>& args);

} // namespace kolvo::bench
