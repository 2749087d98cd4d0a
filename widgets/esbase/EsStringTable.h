// The components' compact string tables ("STR0"): the magic, the entry count, entries of
// (number, offset from the start, length in UTF-16 units) sorted by number, then the UTF-16LE
// text pool without terminators. All integers are 32-bit little-endian. Building a table (for
// the build's generator and for tests) and reading one (for the reader of the resources) are
// plain byte work; turning the texts into the program's code page is the reader's business.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolvo {

inline constexpr std::string_view StringTableMagic = "STR0";
inline constexpr std::size_t StringTableHeaderSize = 8;
inline constexpr std::size_t StringTableEntrySize = 12;

struct StringTableText {
    std::int32_t number = 0;
    std::u16string text;
};

struct StringTableEntry {
    std::int32_t number = 0;
    std::uint32_t offset = 0; // bytes from the start of the table
    std::uint32_t length = 0; // UTF-16 code units
};

// The table's bytes, entries sorted by number. Throws std::invalid_argument when a number
// occurs twice (a lookup could not tell the texts apart).
std::vector<std::uint8_t> BuildStringTable(std::vector<StringTableText> texts);

// A table read in place. Open checks the magic and that the entry array lies inside the data;
// a text that would run past the end is refused when it is read, not when the table is opened.
class StringTableView {
public:
    static std::optional<StringTableView> Open(const void* data, std::size_t size);

    std::uint32_t Count() const { return count_; }
    StringTableEntry Entry(std::uint32_t index) const;
    // Binary search over the sorted entries.
    std::optional<StringTableEntry> Find(std::int32_t number) const;
    // The entry's code units; nullopt when they do not lie inside the data.
    std::optional<std::u16string> Text(const StringTableEntry& entry) const;

private:
    StringTableView(const std::uint8_t* data, std::size_t size, std::uint32_t count)
        : data_(data), size_(size), count_(count) {}

    const std::uint8_t* data_;
    std::size_t size_;
    std::uint32_t count_;
};

// The reader's messages carry one value: the first "%d" or "%s" of the pattern is replaced by
// `value` and "%%" gives "%". Any other '%' stays as it is, so a damaged pattern from a resource
// can never read an argument that is not there.
std::string FormatStringMessage(std::string_view pattern, std::string_view value);

} // namespace kolvo
