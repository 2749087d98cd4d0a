#include "ConsoleText.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "TextCodec.h"

namespace kolvo {

#ifdef _WIN32

std::string ProgramTextToSystem(std::string_view cp932) {
    return std::string(cp932);
}

void TConsoleLine::WriteTo(std::FILE* stream) const {
    // A console shows UTF-16 whatever its code page; a pipe or file gets the ANSI bytes, which
    // is what programs reading our output on a Japanese system expect.
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        std::wstring wide = Cp932ToWide(bytes_);
        wide += L"\r\n";
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fwrite(bytes_.data(), 1, bytes_.size(), stream);
    std::fputs("\n", stream);
    std::fflush(stream);
}

bool IsTerminal(std::FILE* stream) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE),
                          &mode) != FALSE;
}

void TConsoleLine::RewriteOn(std::FILE* stream) const {
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    // Back to the start of the line and the new text, then blanks from the cursor to the end of
    // the line over whatever was left of a longer old one; the cursor stays behind the text.
    std::wstring wide = L"\r";
    wide += Cp932ToWide(bytes_);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(handle, &info) && info.dwSize.X > info.dwCursorPosition.X) {
        FillConsoleOutputCharacterW(handle, L' ', info.dwSize.X - info.dwCursorPosition.X,
                                    info.dwCursorPosition, &written);
    }
}

#else

bool IsTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) != 0;
}

void TConsoleLine::RewriteOn(std::FILE* stream) const {
    // Back to the start of the line, the new text, and the rest of the old one erased.
    std::fputs("\r", stream);
    std::fwrite(bytes_.data(), 1, bytes_.size(), stream);
    std::fputs("\x1b[K", stream);
    std::fflush(stream);
}

std::string ProgramTextToSystem(std::string_view cp932) {
    // A byte that starts no character shows as "?", and the text goes on after it.
    return Cp932ToUtf8(cp932, TCp932Decoding{u'?', true});
}

void TConsoleLine::WriteTo(std::FILE* stream) const {
    std::fwrite(bytes_.data(), 1, bytes_.size(), stream);
    std::fputs("\n", stream);
    std::fflush(stream);
}

#endif

TConsoleLine& TConsoleLine::Text(std::string_view cp932) {
    bytes_ += ProgramTextToSystem(cp932);
    return *this;
}

TConsoleLine& TConsoleLine::Name(std::string_view systemBytes) {
    bytes_.append(systemBytes);
    return *this;
}

} // namespace kolvo
