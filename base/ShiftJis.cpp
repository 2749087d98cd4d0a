#include "ShiftJis.h"

namespace kolvo {

namespace {
// Byte length of the character that starts at `pos`.
std::size_t CharLength(std::string_view text, std::size_t pos) {
    return (IsSjisLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}
} // namespace

std::size_t SjisCutLength(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text.size();
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t next = pos + CharLength(text, pos);
        if (next > maxBytes) {
            break;
        }
        pos = next;
    }
    return pos;
}

std::string SjisCut(std::string_view text, std::size_t maxBytes) {
    return std::string(text.substr(0, SjisCutLength(text, maxBytes)));
}

std::size_t SjisFind(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty()) {
        return from <= text.size() ? from : std::string_view::npos;
    }
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (pos >= from && text.compare(pos, needle.size(), needle) == 0) {
            return pos;
        }
    }
    return std::string_view::npos;
}

std::size_t SjisFindLastChar(std::string_view text, char c) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (text[pos] == c) {
            found = pos;
        }
    }
    return found;
}

} // namespace kolvo
