// Errors that end an analysis. Their messages are CP932 texts the user sees as they stand.
#pragma once

#include <stdexcept>
#include <string>

namespace kolvo {

// A value in the DXF file that is not the number its group needs.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that is not a whole ASCII DXF drawing: cut off before its entities end, or a file of
// another kind. Raised instead of tallying what happens to be readable.
class EDamagedDrawing : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be read, created, written or closed. `Code` is the runtime's I/O error
// code (2 file not found, 3 bad file name, 4 too many open files, 5 access denied, 100 read
// past end, 101 disk full, 106 invalid numeric input, or the system's own code).
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(int code);
    int Code() const { return code_; }

private:
    int code_;
};

// A report that cannot be created: its folder is missing, another program holds it, or its name
// would make it the drawing or the other report.
inline constexpr char CannotCreateFileMessage[] = "ファイルを作成できません";
class ECreateError : public std::runtime_error {
public:
    ECreateError() : std::runtime_error(CannotCreateFileMessage) {}
};

// Memory ran out: in an analysis, because the drawing is too large.
inline constexpr char OutOfMemoryMessage[] = "メモリーが足りません。図面が大きすぎます";
class EOutOfMemory : public std::runtime_error {
public:
    EOutOfMemory() : std::runtime_error(OutOfMemoryMessage) {}
};

// The user-facing text for an I/O error code.
std::string InOutErrorMessage(int code);

// The I/O error code for the C library's `errno` value after a failed file operation.
int InOutCodeFromErrno(int err);

} // namespace kolvo
