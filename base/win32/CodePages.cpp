#include "CodePages.h"

#include <windows.h>

#include "TextCodec.h"

namespace kolvo {

bool CanConvertCodePage(unsigned codePage) {
    return IsValidCodePage(codePage) != FALSE;
}

std::optional<std::u16string> CodePageToUtf16(std::string_view bytes, unsigned codePage) {
    if (!CanConvertCodePage(codePage)) {
        return std::nullopt;
    }
    if (bytes.empty()) {
        return std::u16string();
    }
    const int size = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::u16string out(static_cast<std::size_t>(units), u'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(out.data()),
                        units);
    return out;
}

std::optional<std::string> Utf16ToCodePage(std::u16string_view text, unsigned codePage) {
    if (!CanConvertCodePage(codePage)) {
        return std::nullopt;
    }
    std::string out;
    // A character at a time, so that one the code page lacks can be written as its escape.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const TCodePoint c = CodePointAt(text, i);
        char buffer[16];
        BOOL defaulted = FALSE;
        const int bytes = WideCharToMultiByte(
            codePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(text.data() + i),
            static_cast<int>(c.Units), buffer, sizeof buffer, nullptr, &defaulted);
        if (bytes <= 0 || defaulted) {
            out += UnicodeEscape(c.Value);
        } else {
            out.append(buffer, static_cast<std::size_t>(bytes));
        }
        i += c.Units - 1;
    }
    return out;
}

} // namespace kolvo
