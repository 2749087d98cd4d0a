// Runs a program with arguments and collects its exit code and output, on Linux through the
// shell and on Windows (also under Wine) directly.
#pragma once

#include <string>
#include <vector>

namespace kolvo::testing {

struct TRunResult {
    int ExitCode = -1;
    std::string Out; // standard output, bytes as written
    std::string Err; // standard error, bytes as written
};

// Runs `program` with `args`; `scratch` is a folder for the captured output. Arguments must
// not contain double quotes.
TRunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& scratch);

} // namespace kolvo::testing
