#include "CodePages.h"

#include <windows.h>

#include <cstdio>

namespace kolvo {

namespace {

std::string Escape(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "\\U+%04X", static_cast<unsigned>(c));
    return text;
}

} // namespace

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
        int units = 1;
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            units = 2;
        }
        char buffer[16];
        BOOL defaulted = FALSE;
        const int bytes = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS,
                                              reinterpret_cast<const wchar_t*>(text.data() + i),
                                              units, buffer, sizeof buffer, nullptr, &defaulted);
        if (bytes <= 0 || defaulted) {
            out += Escape(c);
        } else {
            out.append(buffer, static_cast<std::size_t>(bytes));
        }
        i += static_cast<std::size_t>(units) - 1;
    }
    return out;
}

} // namespace kolvo
