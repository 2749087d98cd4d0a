#include "TextCodec.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "ShiftJis.h"

namespace kolvo {

namespace {

struct TCodePair {
    std::uint16_t From;
    std::uint16_t To;
};

#include "Cp932Table.inc"

// The half-width katakana of 0xA1..0xDF.
constexpr char16_t HalfWidthFirst = u'\uFF61';
// Windows maps these single bytes to characters of their own.
constexpr unsigned char WindowsSingles[] = {0x80, 0xA0, 0xFD, 0xFE, 0xFF};
constexpr char16_t WindowsSingleUnits[] = {u'\u0080', u'\uF8F0', u'\uF8F1', u'\uF8F2', u'\uF8F3'};

template <std::size_t N> const TCodePair* Find(const TCodePair (&table)[N], std::uint16_t from) {
    const TCodePair* found = std::lower_bound(
        std::begin(table), std::end(table), from,
        [](const TCodePair& pair, std::uint16_t value) { return pair.From < value; });
    return found != std::end(table) && found->From == from ? found : nullptr;
}

bool IsTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

} // namespace

std::u16string Cp932ToUtf16(std::string_view cp932, TCp932Decoding decoding) {
    std::u16string out;
    out.reserve(cp932.size());
    std::size_t i = 0;
    while (i < cp932.size()) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            ++i;
        } else if (b >= 0xA1 && b <= 0xDF) {
            out += static_cast<char16_t>(HalfWidthFirst + (b - 0xA1));
            ++i;
        } else if (IsSjisLeadByte(b)) {
            const bool paired =
                i + 1 < cp932.size() && IsTrailByte(static_cast<unsigned char>(cp932[i + 1]));
            const TCodePair* pair =
                paired ? Find(Cp932ToUnit, static_cast<std::uint16_t>(
                                               (b << 8) | static_cast<unsigned char>(cp932[i + 1])))
                       : nullptr;
            if (pair != nullptr) {
                out += static_cast<char16_t>(pair->To);
                i += 2;
            } else {
                out += decoding.Replacement;
                i += paired && !decoding.Strict ? 2 : 1;
            }
        } else {
            const auto* single = std::find(std::begin(WindowsSingles), std::end(WindowsSingles), b);
            if (single != std::end(WindowsSingles) && !decoding.Strict) {
                out += WindowsSingleUnits[single - std::begin(WindowsSingles)];
            } else {
                out += decoding.Replacement;
            }
            ++i;
        }
    }
    return out;
}

namespace {

// Appends the CP932 bytes of `unit`; false when the code page lacks it.
bool AppendCp932(std::string& out, char16_t unit) {
    if (unit < 0x80) {
        out += static_cast<char>(unit);
    } else if (unit >= HalfWidthFirst && unit < HalfWidthFirst + (0xDF - 0xA1 + 1)) {
        out += static_cast<char>(0xA1 + (unit - HalfWidthFirst));
    } else if (const auto* single =
                   std::find(std::begin(WindowsSingleUnits), std::end(WindowsSingleUnits), unit);
               single != std::end(WindowsSingleUnits)) {
        out += static_cast<char>(WindowsSingles[single - std::begin(WindowsSingleUnits)]);
    } else if (const TCodePair* pair = Find(UnitToCp932, unit)) {
        out += static_cast<char>(pair->To >> 8);
        out += static_cast<char>(pair->To & 0xFF);
    } else {
        return false;
    }
    return true;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return c >= u'a' && c <= u'f' ? c - u'a' + 10 : -1;
}

} // namespace

std::string Utf16ToCp932(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 2);
    for (const char16_t unit : utf16) {
        if (!AppendCp932(out, unit)) {
            out += '?'; // a surrogate half counts as one unmappable character each
        }
    }
    return out;
}

TCodePoint CodePointAt(std::u16string_view utf16, std::size_t at) {
    const char16_t unit = utf16[at];
    if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < utf16.size() && utf16[at + 1] >= 0xDC00 &&
        utf16[at + 1] <= 0xDFFF) {
        return {0x10000 + ((char32_t(unit) - 0xD800) << 10) + (utf16[at + 1] - 0xDC00), 2};
    }
    return {unit, 1};
}

std::string UnicodeEscape(char32_t c) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    int digits = 4;
    while (digits < 8 && (c >> (4 * digits)) != 0) {
        ++digits;
    }
    std::string escape = "\\U+";
    for (int d = digits - 1; d >= 0; --d) {
        escape += Digits[(c >> (4 * d)) & 0xF];
    }
    return escape;
}

std::string Utf16ToCp932Escaping(std::u16string_view utf16, std::int32_t* escaped) {
    std::string out;
    out.reserve(utf16.size() * 2);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        if (AppendCp932(out, utf16[i])) {
            continue;
        }
        const TCodePoint c = CodePointAt(utf16, i);
        out += UnicodeEscape(c.Value);
        i += c.Units - 1;
        if (escaped != nullptr) {
            ++*escaped;
        }
    }
    return out;
}

std::u16string DecodeUnicodeEscapes(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 6 < text.size() && text[i + 1] == u'U' && text[i + 2] == u'+') {
            int value = 0;
            bool hex = true;
            for (std::size_t k = 3; k < 7; ++k) {
                const int digit = HexDigit(text[i + k]);
                hex = hex && digit >= 0;
                value = value * 16 + (digit >= 0 ? digit : 0);
            }
            if (hex) {
                out += static_cast<char16_t>(value);
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const TCodePoint c = CodePointAt(utf16, i);
        const bool loneHalf = c.Value >= 0xD800 && c.Value <= 0xDFFF;
        AppendUtf8(out, loneHalf ? 0xFFFD : c.Value);
        i += c.Units - 1;
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int length = 0;
        char32_t c = 0;
        char32_t least = 0;
        if (b < 0x80) {
            length = 1;
            c = b;
        } else if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
            c = b & 0x1F;
            least = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            c = b & 0x0F;
            least = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            c = b & 0x07;
            least = 0x10000;
        }
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= utf8.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        valid = valid && c >= least && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
        if (valid) {
            AppendUtf16(out, c);
            i += static_cast<std::size_t>(length);
        } else {
            out += u'\uFFFD';
            ++i;
        }
    }
    return out;
}

std::string SystemNameToUtf8(std::string_view name) {
#ifdef _WIN32
    return Cp932ToUtf8(name);
#else
    return Utf16ToUtf8(Utf8ToUtf16(name));
#endif
}

} // namespace kolvo
