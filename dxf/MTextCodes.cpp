#include "MTextCodes.h"

#include <vector>

#include "ShiftJis.h"

namespace kolvo {

namespace {
std::size_t CharLength(std::string_view text, std::size_t pos) {
    return (IsSjisLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}

// Removes every "\<letter>", searching again from the start after each removal.
//
// A removal only joins the text before and after it, so the first occurrence afterwards is
// either the join itself (a '\' just before the removed code and <letter> just after it) or a
// later one. Scanning once and keeping the kept text as a stack gives the same result in linear
// time, however many codes a long value holds. Removing two single-byte characters never moves
// the character boundaries of the text around them.
std::string StripSwitchCode(std::string_view text, char letter) {
    std::string kept;
    kept.reserve(text.size());
    std::vector<bool> keptIsBackslash; // per byte of `kept`: a single-byte '\' character
    keptIsBackslash.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = CharLength(text, pos);
        if (length == 1 && text[pos] == letter && !keptIsBackslash.empty() &&
            keptIsBackslash.back()) {
            kept.pop_back();
            keptIsBackslash.pop_back();
        } else {
            for (std::size_t i = 0; i < length; ++i) {
                kept.push_back(text[pos + i]);
                keptIsBackslash.push_back(length == 1 && text[pos] == '\\');
            }
        }
        pos += length;
    }
    return kept;
}

// Removes every "\<letter>...;", searching again from the start after each removal, and stops
// at the first occurrence that has no ';' after it.
std::string StripValueCode(std::string_view text, char letter) {
    std::string kept;
    kept.reserve(text.size());
    std::vector<bool> keptIsBackslash;
    keptIsBackslash.reserve(text.size());
    auto keep = [&](std::size_t pos, std::size_t length) {
        for (std::size_t i = 0; i < length; ++i) {
            kept.push_back(text[pos + i]);
            keptIsBackslash.push_back(length == 1 && text[pos] == '\\');
        }
    };
    // Invariant: the current text is `kept` followed by text[pos..], and `kept` holds no code.
    std::size_t pos = 0;
    for (;;) {
        const bool atJoin = !keptIsBackslash.empty() && keptIsBackslash.back() &&
                            pos < text.size() && text[pos] == letter;
        std::size_t codeStart = pos; // in `text`; unused at a join
        std::size_t valueStart = pos + 1;
        if (!atJoin) {
            bool found = false;
            while (codeStart < text.size()) {
                const std::size_t length = CharLength(text, codeStart);
                if (length == 1 && text[codeStart] == '\\' && codeStart + 1 < text.size() &&
                    text[codeStart + 1] == letter) {
                    found = true;
                    break;
                }
                keep(codeStart, length);
                codeStart += length;
            }
            if (!found) {
                return kept;
            }
            valueStart = codeStart + 2;
        }
        std::size_t end = valueStart;
        while (end < text.size() && !(text[end] == ';' && CharLength(text, end) == 1)) {
            end += CharLength(text, end);
        }
        if (end >= text.size()) {
            // Unterminated: this code and everything after it stay.
            kept.append(text.substr(atJoin ? pos : codeStart));
            return kept;
        }
        if (atJoin) {
            kept.pop_back();
            keptIsBackslash.pop_back();
        }
        pos = end + 1;
    }
}
} // namespace

std::string StripMTextCodes(std::string_view text) {
    if (text.find('\\') == std::string_view::npos) {
        return std::string(text);
    }
    std::string result = StripSwitchCode(text, 'P');
    for (char letter : {'O', 'o', 'L', 'l'}) {
        result = StripSwitchCode(result, letter);
    }
    result = StripValueCode(result, 'T');
    return StripValueCode(result, 'C');
}

void ReplaceFirstPhiEscape(std::string& text) {
    static constexpr std::string_view kEscape = "\\U+03C6";
    const std::size_t pos = SjisFind(text, kEscape);
    if (pos != std::string::npos) {
        text.replace(pos, kEscape.size(), "\x83\xD3");
    }
}

} // namespace kolvo
