// Text in the Windows code pages of other locales, which drawings from other offices are written
// in (GBK, Big5, CP1252, ...), converted by the system's own converters: iconv on Linux,
// MultiByteToWideChar and WideCharToMultiByte on Windows. CP932, the program's own, never goes
// through here (TextCodec.h has it, table-driven).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kolvo {

// Whether this system can convert text of `codePage` (874, 936, 1252, ...).
bool CanConvertCodePage(unsigned codePage);

// Bytes of `codePage` as UTF-16; a byte sequence that is no character becomes U+FFFD. Nothing
// when the system cannot convert that code page.
std::optional<std::u16string> CodePageToUtf16(std::string_view bytes, unsigned codePage);

// UTF-16 as bytes of `codePage`; a character the code page lacks is written as `\U+XXXX`
// (upper-case hex). Nothing when the system cannot convert that code page.
std::optional<std::string> Utf16ToCodePage(std::u16string_view text, unsigned codePage);

} // namespace kolvo
