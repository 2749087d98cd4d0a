// The one writer of every file a run produces: reports, check outputs, mass tables.
//
// A set of files is written whole or not at all. Each file is first written under a temporary
// name in its own folder (a move within a folder is a rename, never a copy); only when every one
// of them is there do they take their targets' places, the files they replace stepping aside
// until all have moved. Whatever fails on the way, every target is left as it was and no
// temporary file is left behind, so a reader never finds a half-written report, nor a new
// summary beside an old detail list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kolvo {

// One file of a set: where it goes and all of its bytes.
struct TOutputFile {
    std::string Path;
    std::string Bytes;
};

// What became of a set.
struct TWriteOutcome {
    enum class TStatus {
        Written, // every file is in place
        Refused, // a target names the drawing read or another target of the set: nothing written
        Failed,  // a target could not be written: nothing written
    };
    TStatus Status = TStatus::Written;
    std::string Path; // the target the set stopped at
    int Code = 0;     // for Failed, the I/O error code (Errors.h)

    bool Written() const { return Status == TStatus::Written; }
};

// The first of `targets` that may not be written: one that is `source` (the drawing the files
// come from; empty for none) or an earlier target, however spelt. Empty when every one may.
std::string RefusedTarget(const std::vector<std::string>& targets, const std::string& source);

// Writes `files` as one set. A target that is a folder or a read-only file fails the set before
// anything is written.
TWriteOutcome WriteFileSet(const std::vector<TOutputFile>& files, const std::string& source = {});

} // namespace kolvo
