// Text for the terminal. Inside the program every text is CP932; file names given on the
// command line are bytes in the system's own encoding (UTF-8 on Linux, the ANSI code page on
// Windows). A console line is built from both kinds and converted only when it is written.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kolvo {

class TConsoleLine {
public:
    // A program text (CP932 bytes).
    TConsoleLine& Text(std::string_view cp932);
    // A name as the system gave it, written unchanged.
    TConsoleLine& Name(std::string_view systemBytes);
    // Writes the line and a line end to `stream` (stdout or stderr) and flushes it.
    void WriteTo(std::FILE* stream) const;
    // Writes the line over the last one written this way to the terminal `stream`, without a
    // line end: a progress line. An empty line clears it.
    void RewriteOn(std::FILE* stream) const;

    // The bytes that WriteTo sends to a file or pipe, line end excluded.
    std::string Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Whether `stream` is a terminal (a console on Windows), where a progress line may be shown.
bool IsTerminal(std::FILE* stream);

// A CP932 text in the system's encoding: UTF-8 on Linux (bytes that are not CP932 become
// "?"), unchanged on Windows.
std::string ProgramTextToSystem(std::string_view cp932);

} // namespace kolvo
