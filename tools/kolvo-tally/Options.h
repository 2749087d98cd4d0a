// kolvo-tally's command line: what it is asked to do, or why it was not understood.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kolvo {

inline constexpr int ExitOk = 0;
inline constexpr int ExitAnalysisFailed = 1;
inline constexpr int ExitUsage = 2;

struct TOptions {
    std::string Drawing;
    std::string Report;
    std::string Weights; // the mass table's file; empty when none is asked for
    double MmPerUnit = 1;
    std::vector<std::string> Checks; // check files, each in the format its extension names
    // The project mode: its output folder (empty in a single run), the drawings and folders of
    // drawings, and how many are analysed at once (0: as many as the machine has cores).
    std::string Project;
    std::vector<std::string> Inputs;
    unsigned Jobs = 0;
};

// What the arguments ask for. When they ask for no tally (--help, --version, a mistake), `Exit`
// holds the exit code and what there was to say has been said.
struct TParsed {
    TOptions Options;
    int Exit = -1;
};
TParsed ParseArguments(int argc, char** argv);

// Says what was wrong with the command line, then how it is used; returns ExitUsage.
int UsageError(std::string_view problem, std::string_view name = {});
// Says why the run failed (a CP932 message); returns ExitAnalysisFailed.
int RunFailed(std::string_view cp932Message);
// Says that the file `name` could not be created; returns ExitAnalysisFailed.
int CannotWrite(std::string_view name);

} // namespace kolvo
