#include "EsStringTable.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace kolvo {

namespace {

void PutU32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(std::uint8_t(value >> shift));
    }
}

std::uint32_t GetU32(const std::uint8_t* at) {
    return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 |
           std::uint32_t(at[3]) << 24;
}

} // namespace

std::vector<std::uint8_t> BuildStringTable(std::vector<StringTableText> texts) {
    std::stable_sort(texts.begin(), texts.end(),
                     [](const auto& a, const auto& b) { return a.number < b.number; });
    for (std::size_t i = 1; i < texts.size(); ++i) {
        if (texts[i].number == texts[i - 1].number) {
            throw std::invalid_argument("string number " + std::to_string(texts[i].number) +
                                        " occurs twice");
        }
    }
    std::vector<std::uint8_t> bytes(StringTableMagic.begin(), StringTableMagic.end());
    PutU32(bytes, std::uint32_t(texts.size()));
    std::size_t offset = StringTableHeaderSize + StringTableEntrySize * texts.size();
    for (const StringTableText& text : texts) {
        PutU32(bytes, std::uint32_t(text.number));
        PutU32(bytes, std::uint32_t(offset));
        PutU32(bytes, std::uint32_t(text.text.size()));
        offset += 2 * text.text.size();
    }
    for (const StringTableText& text : texts) {
        for (char16_t unit : text.text) {
            bytes.push_back(std::uint8_t(unit));
            bytes.push_back(std::uint8_t(unit >> 8));
        }
    }
    return bytes;
}

std::optional<StringTableView> StringTableView::Open(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (bytes == nullptr || size < StringTableHeaderSize ||
        std::memcmp(bytes, StringTableMagic.data(), StringTableMagic.size()) != 0) {
        return std::nullopt;
    }
    const std::uint32_t count = GetU32(bytes + 4);
    if (count > (size - StringTableHeaderSize) / StringTableEntrySize) {
        return std::nullopt;
    }
    return StringTableView(bytes, size, count);
}

StringTableEntry StringTableView::Entry(std::uint32_t index) const {
    const std::uint8_t* at = data_ + StringTableHeaderSize + StringTableEntrySize * index;
    return {std::int32_t(GetU32(at)), GetU32(at + 4), GetU32(at + 8)};
}

std::optional<StringTableEntry> StringTableView::Find(std::int32_t number) const {
    std::int64_t lo = 0;
    std::int64_t hi = std::int64_t(count_) - 1;
    while (lo <= hi) {
        const std::int64_t mid = (lo + hi) / 2;
        const StringTableEntry entry = Entry(std::uint32_t(mid));
        if (entry.number == number) {
            return entry;
        }
        if (entry.number < number) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    return std::nullopt;
}

std::optional<std::u16string> StringTableView::Text(const StringTableEntry& entry) const {
    if (entry.offset > size_ || entry.length > (size_ - entry.offset) / 2) {
        return std::nullopt;
    }
    std::u16string text(entry.length, u'\0');
    const std::uint8_t* at = data_ + entry.offset;
    for (std::uint32_t i = 0; i < entry.length; ++i) {
        text[i] = char16_t(at[2 * i] | at[2 * i + 1] << 8);
    }
    return text;
}

std::string FormatStringMessage(std::string_view pattern, std::string_view value) {
    std::string text;
    bool placed = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next == '%') {
            text += '%';
            ++i;
        } else if (pattern[i] == '%' && !placed && (next == 'd' || next == 's')) {
            text += value;
            placed = true;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace kolvo
