// The project mode measured: many copies of one drawing tallied on one thread and on two, and
// the memory that takes against one drawing's; each run in a process of its own.
#pragma once

#include <string>

namespace kolvo::bench {

// Prints the figures; returns 0 when every run tallied every bar and wrote the same project
// files, whatever its number of jobs.
int RunProjectBench(const std::string& self, int drawings, int labels, int otherLines, int repeat);

// The child's part when `argv` asks for it (--measure-project IN OUT JOBS RESULT): its exit
// status, or -1 when `argv` asks for something else.
int MeasureProjectIfAsked(int argc, char** argv);

} // namespace kolvo::bench
