#include "OutputFiles.h"

#include "FileSystem.h"

namespace kolvo {

namespace {

// What a target that is no file to replace (a folder, a read-only file) fails with.
constexpr int AccessDeniedCode = 5;

// Temporary names tried beside one target before the set gives up: each taken one means a
// leftover of a program that was stopped, or another program writing the same target now.
constexpr int NameAttempts = 100;

// A new file beside `target` holding `bytes`, under a name no other file has; empty with `code`
// set when none could be made.
std::string NewFileBeside(const std::string& target, std::string_view ext, std::string_view bytes,
                          int& code) {
    // Appended to the whole name, so the file lands in the target's folder without the folder
    // part having to be found.
    const std::string stem = target + ".~kolvo-" + std::to_string(CurrentProcessId()) + "-";
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        std::string name = stem + std::to_string(attempt) + std::string(ext);
        code = WriteNewFile(name, bytes);
        if (code == 0) {
            return name;
        }
        if (code != FileExistsCode) {
            return {};
        }
    }
    return {};
}

struct TStep {
    const TOutputFile* File = nullptr;
    std::string Temporary; // the new bytes, until they take the target's place
    std::string Aside;     // the old target, until the set is in place
    bool Placed = false;
};

TWriteOutcome Failure(const std::string& path, int code) {
    return TWriteOutcome{TWriteOutcome::TStatus::Failed, path, code};
}

// Puts every target back as it was and removes what the set made.
void Undo(std::vector<TStep>& steps) {
    for (TStep& step : steps) {
        if (step.Placed) {
            RemoveFile(step.File->Path);
        }
        if (!step.Aside.empty()) {
            MoveReplacing(step.Aside, step.File->Path);
        }
        if (!step.Temporary.empty()) {
            RemoveFile(step.Temporary);
        }
    }
}

} // namespace

std::string RefusedTarget(const std::vector<std::string>& targets, const std::string& source) {
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const std::string& target = targets[i];
        if (!source.empty() && (SameFileName(target, source) || IsSameFile(target, source))) {
            return target;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (SameFileName(target, targets[j]) || IsSameFile(target, targets[j])) {
                return target;
            }
        }
    }
    return {};
}

TWriteOutcome WriteFileSet(const std::vector<TOutputFile>& files, const std::string& source) {
    std::vector<std::string> targets;
    for (const TOutputFile& file : files) {
        targets.push_back(file.Path);
    }
    if (std::string refused = RefusedTarget(targets, source); !refused.empty()) {
        return TWriteOutcome{TWriteOutcome::TStatus::Refused, std::move(refused), 0};
    }
    // A folder in a target's place is the user's, and so is a file marked read-only: neither is
    // moved aside, let alone replaced.
    for (const std::string& target : targets) {
        const TFileKind kind = FileKind(target);
        if (kind == TFileKind::Other || (kind == TFileKind::Regular && IsReadOnly(target))) {
            return Failure(target, AccessDeniedCode);
        }
    }

    std::vector<TStep> steps(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        TStep& step = steps[i];
        step.File = &files[i];
        int code = 0;
        step.Temporary = NewFileBeside(step.File->Path, ".tmp", step.File->Bytes, code);
        if (step.Temporary.empty()) {
            Undo(steps);
            return Failure(step.File->Path, code);
        }
    }
    for (TStep& step : steps) {
        if (FileKind(step.File->Path) != TFileKind::Regular) {
            continue;
        }
        // The aside's name is taken by an empty file first, so that the move replaces nothing
        // but that file.
        int code = 0;
        std::string aside = NewFileBeside(step.File->Path, ".old", {}, code);
        if (!aside.empty()) {
            code = MoveReplacing(step.File->Path, aside);
            if (code != 0) {
                RemoveFile(aside);
            }
        }
        if (aside.empty() || code != 0) {
            Undo(steps);
            return Failure(step.File->Path, code);
        }
        step.Aside = std::move(aside);
    }
    for (TStep& step : steps) {
        if (const int code = MoveReplacing(step.Temporary, step.File->Path); code != 0) {
            Undo(steps);
            return Failure(step.File->Path, code);
        }
        step.Temporary.clear();
        step.Placed = true;
    }
    for (const TStep& step : steps) {
        if (!step.Aside.empty()) {
            RemoveFile(step.Aside);
        }
    }
    return {};
}

} // namespace kolvo
