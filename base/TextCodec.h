// The one place where text changes encoding: CP932 (the program's own), UTF-16 (what Windows
// calls take) and UTF-8 (Linux file names and terminals). Table-driven and free of any system
// converter, so that every build converts alike.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kolvo {

// What a byte sequence that is no CP932 character becomes.
struct TCp932Decoding {
    char16_t Replacement = u'\u30FB'; // the code page's own default character
    // Strict: the single bytes 0x80, 0xA0 and 0xFD to 0xFF, which Windows maps to private
    // characters, are invalid too, and an unmapped double-byte pair yields one replacement for
    // its first byte only, the second byte being read afresh (as the C library's converter does).
    bool Strict = false;
};

// CP932 bytes as UTF-16.
std::u16string Cp932ToUtf16(std::string_view cp932, TCp932Decoding decoding = {});

// UTF-16 as CP932 bytes; a character the code page lacks becomes "?".
std::string Utf16ToCp932(std::u16string_view utf16);

// The character at `at` of UTF-16 text and how many units it takes: two for a surrogate pair, one
// for anything else (a lone surrogate half stands for itself).
struct TCodePoint {
    char32_t Value;
    std::size_t Units;
};
TCodePoint CodePointAt(std::u16string_view utf16, std::size_t at);

// How the host writes a character its code page lacks: "\U+" and the code point in upper-case
// hex, at least four digits.
std::string UnicodeEscape(char32_t c);

// UTF-16 as CP932 bytes, a character the code page lacks written as the host writes it, "\U+XXXX"
// (its code point in upper-case hex, at least four digits); `escaped`, when given, counts them.
std::string Utf16ToCp932Escaping(std::u16string_view utf16, std::int32_t* escaped = nullptr);

// Every "\U+XXXX" (four hex digits), the escape a DXF file writes for a character its code page
// lacks, as the character it stands for.
std::u16string DecodeUnicodeEscapes(std::u16string_view text);

// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

// UTF-8 as UTF-16; every byte that starts no valid sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

inline std::string Cp932ToUtf8(std::string_view cp932, TCp932Decoding decoding = {}) {
    return Utf16ToUtf8(Cp932ToUtf16(cp932, decoding));
}

inline std::string Utf8ToCp932(std::string_view utf8) {
    return Utf16ToCp932(Utf8ToUtf16(utf8));
}

// A name as this system spells file names (CP932 on Windows, UTF-8 elsewhere) in UTF-8; bytes
// that start no character become U+FFFD.
std::string SystemNameToUtf8(std::string_view name);

// The same conversions for the wide strings of Windows calls (UTF-16 there).
inline std::wstring Cp932ToWide(std::string_view cp932) {
    const std::u16string utf16 = Cp932ToUtf16(cp932);
    return std::wstring(utf16.begin(), utf16.end());
}

inline std::string WideToCp932(std::wstring_view wide) {
    return Utf16ToCp932(std::u16string(wide.begin(), wide.end()));
}

} // namespace kolvo
