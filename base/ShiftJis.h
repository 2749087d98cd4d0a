// Byte-level helpers for 8-bit Shift-JIS (code page 932) text.
//
// Every text in the program is held as CP932 bytes. A byte in 0x40..0xFC that follows a lead
// byte is the second half of a double-byte character and may look like '\\', '.', ':' or 'P';
// these helpers walk the text from its start so that such a byte is never taken for an ASCII
// character, and so that no cut leaves half a character behind.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kolvo {

// Lead bytes of CP932 double-byte characters.
constexpr bool IsSjisLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Length of the longest prefix of `text` of at most `maxBytes` bytes that does not end inside a
// double-byte character. A lead byte standing last in the text (with no second byte) counts as
// one character.
std::size_t SjisCutLength(std::string_view text, std::size_t maxBytes);

// `text` cut to at most `maxBytes` bytes, never inside a double-byte character.
std::string SjisCut(std::string_view text, std::size_t maxBytes);

// Position of the first occurrence of `needle` in `text` at or after `from` that starts on a
// character boundary, or npos. `needle` must itself start with a single-byte character or be a
// whole double-byte sequence.
std::size_t SjisFind(std::string_view text, std::string_view needle, std::size_t from = 0);

// Position of the last single-byte character `c` (an ASCII byte) in `text`, or npos; the second
// byte of a double-byte character never matches.
std::size_t SjisFindLastChar(std::string_view text, char c);

} // namespace kolvo
