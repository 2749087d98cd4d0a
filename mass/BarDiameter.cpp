#include "BarDiameter.h"

#include <optional>

#include "UnitMass.h"

namespace kolvo {

namespace {

// Lead bytes of CP932 double-byte characters. Kept here so that this library needs nothing
// else; the same test stands beside the other Shift-JIS helpers of the reader.
constexpr bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Byte length of the character that starts at `pos`; a lead byte standing last is one byte.
std::size_t CharLength(std::string_view text, std::size_t pos) {
    return (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}

constexpr std::string_view kFullWidthD = "\x82\x63"; // Ｄ
constexpr std::string_view kPhi = "\x83\xD3";        // φ

bool StartsWith(std::string_view text, std::size_t pos, std::string_view what) {
    return text.substr(pos, what.size()) == what;
}

// The value of the digit character at `pos` (ASCII or full-width ０-９) with its byte length.
struct TDigit {
    int Value;
    std::size_t Bytes;
};
std::optional<TDigit> DigitAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return std::nullopt;
    }
    const auto b = static_cast<unsigned char>(text[pos]);
    if (b >= '0' && b <= '9') {
        return TDigit{b - '0', 1};
    }
    if (b == 0x82 && pos + 1 < text.size()) {
        const auto t = static_cast<unsigned char>(text[pos + 1]);
        if (t >= 0x4F && t <= 0x58) {
            return TDigit{t - 0x4F, 2};
        }
    }
    return std::nullopt;
}

// One or two digits at `pos` not followed by a further digit: their number, or nothing.
std::optional<int> SizeAt(std::string_view text, std::size_t pos) {
    int size = 0;
    for (int count = 0;; ++count) {
        const std::optional<TDigit> digit = DigitAt(text, pos);
        if (!digit) {
            return count > 0 ? std::optional<int>(size) : std::nullopt;
        }
        if (count == 2) {
            return std::nullopt;
        }
        size = size * 10 + digit->Value;
        pos += digit->Bytes;
    }
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

TBarDiameter ReadBarDiameter(std::string_view Label) {
    std::optional<TBarDiameter> found;
    bool previousIsLetter = false;
    for (std::size_t pos = 0; pos < Label.size();) {
        const std::size_t length = CharLength(Label, pos);
        std::optional<TBarDiameter> token;
        if (Label[pos] == 'D' && !previousIsLetter) {
            if (const auto size = SizeAt(Label, pos + 1)) {
                token = TBarDiameter{TBarKind::Deformed, *size};
            }
        } else if (StartsWith(Label, pos, kFullWidthD) && !previousIsLetter) {
            if (const auto size = SizeAt(Label, pos + kFullWidthD.size())) {
                token = TBarDiameter{TBarKind::Deformed, *size};
            }
        } else if (StartsWith(Label, pos, kPhi)) {
            if (const auto size = SizeAt(Label, pos + kPhi.size())) {
                token = TBarDiameter{TBarKind::Round, *size};
            }
        } else if (StartsWith(Label, pos, "%%c") || StartsWith(Label, pos, "%%C")) {
            if (const auto size = SizeAt(Label, pos + 3)) {
                token = TBarDiameter{TBarKind::Round, *size};
            }
        }
        if (token) {
            if (found && *found != *token) {
                return {};
            }
            found = token;
        }
        previousIsLetter = length == 1 && IsAsciiLetter(Label[pos]);
        pos += length;
    }
    if (!found || !FindUnitMass(*found)) {
        return {};
    }
    return *found;
}

int ReadLabelCount(std::string_view Label) {
    int count = 0;
    std::size_t pos = 0;
    for (int digits = 0;; ++digits) {
        const std::optional<TDigit> digit = DigitAt(Label, pos);
        if (!digit) {
            if (digits == 0) {
                return 0;
            }
            break;
        }
        if (digits == 4) {
            return 0; // no count of bars has five digits
        }
        count = count * 10 + digit->Value;
        pos += digit->Bytes;
    }
    const bool dash = StartsWith(Label, pos, "-") || StartsWith(Label, pos, "\x81\x7C"); // －
    return dash && count >= 2 ? count : 0;
}

} // namespace kolvo
