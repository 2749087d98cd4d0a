#include "ConsoleText.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
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

#else

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
