#include "ConsoleText.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

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
        std::wstring wide;
        if (!bytes_.empty()) {
            const int n = MultiByteToWideChar(CP_ACP, 0, bytes_.data(),
                                              static_cast<int>(bytes_.size()), nullptr, 0);
            wide.resize(static_cast<std::size_t>(n));
            MultiByteToWideChar(CP_ACP, 0, bytes_.data(), static_cast<int>(bytes_.size()),
                                wide.data(), n);
        }
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
    struct Converter {
        iconv_t cd = iconv_open("UTF-8", "CP932");
        ~Converter() {
            if (cd != reinterpret_cast<iconv_t>(-1)) {
                iconv_close(cd);
            }
        }
    } conv;
    if (conv.cd == reinterpret_cast<iconv_t>(-1)) {
        return std::string(cp932); // no converter: better raw bytes than nothing
    }
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(cp932.data());
    std::size_t inLeft = cp932.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(conv.cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or truncated sequence: show one replacement and go on after it.
            out += '?';
            ++in;
            --inLeft;
            iconv(conv.cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
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
