#include "CodePages.h"

#include <cerrno>

#include <iconv.h>

#include "TextCodec.h"

namespace kolvo {

namespace {

std::string IconvName(unsigned codePage) {
    return "CP" + std::to_string(codePage);
}

// An iconv conversion, closed with its owner.
class TIconv {
public:
    TIconv(const std::string& to, const std::string& from)
        : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~TIconv() {
        if (Usable()) {
            iconv_close(cd_);
        }
    }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;
    bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

} // namespace

bool CanConvertCodePage(unsigned codePage) {
    return TIconv("UTF-16LE", IconvName(codePage)).Usable();
}

std::optional<std::u16string> CodePageToUtf16(std::string_view bytes, unsigned codePage) {
    TIconv cd("UTF-16LE", IconvName(codePage));
    if (!cd.Usable()) {
        return std::nullopt;
    }
    std::u16string out;
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char16_t buffer[256];
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, (sizeof buffer - outLeft) / sizeof(char16_t));
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A byte that starts no character, or a character cut off at the end.
            out += u'\uFFFD';
            ++in;
            --inLeft;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::optional<std::string> Utf16ToCodePage(std::u16string_view text, unsigned codePage) {
    TIconv cd(IconvName(codePage), "UTF-16LE");
    if (!cd.Usable()) {
        return std::nullopt;
    }
    std::string out;
    // A character at a time, so that one the code page lacks can be written as its escape.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const TCodePoint c = CodePointAt(text, i);
        char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data() + i));
        std::size_t inLeft = c.Units * sizeof(char16_t);
        char buffer[16];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
            out += UnicodeEscape(c.Value);
        } else {
            out.append(buffer, sizeof buffer - outLeft);
        }
        i += c.Units - 1;
    }
    return out;
}

} // namespace kolvo
