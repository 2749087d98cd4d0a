// The "STR0" tables: the ones the build generates for the program, read byte by byte, and the
// lookup over a table built here.
#include "EsStringTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace kolvo {
namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           std::uint32_t(bytes[at + 3]) << 24;
}

// Texts numbered from `first` on.
std::map<std::int32_t, std::u16string> Numbered(std::int32_t first,
                                                std::vector<std::u16string> texts) {
    std::map<std::int32_t, std::u16string> numbered;
    for (std::u16string& text : texts) {
        numbered.emplace(first++, std::move(text));
    }
    return numbered;
}

// The raw bytes, independently of the reader: header, entries in ascending order, texts packed
// one after another from the end of the entries to the end of the data.
void ExpectLayout(const std::vector<std::uint8_t>& bytes, std::size_t poolStart,
                  const std::map<std::int32_t, std::u16string>& texts) {
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "STR0");
    ASSERT_EQ(U32(bytes, 4), texts.size());
    EXPECT_EQ(8 + 12 * texts.size(), poolStart);
    std::size_t offset = poolStart;
    std::size_t at = 8;
    for (const auto& [number, text] : texts) {
        SCOPED_TRACE(number);
        EXPECT_EQ(std::int32_t(U32(bytes, at)), number);
        EXPECT_EQ(U32(bytes, at + 4), offset);
        EXPECT_EQ(U32(bytes, at + 8), text.size());
        ASSERT_LE(offset + 2 * text.size(), bytes.size());
        std::u16string stored;
        for (std::size_t i = 0; i < text.size(); ++i) {
            stored += char16_t(bytes[offset + 2 * i] | bytes[offset + 2 * i + 1] << 8);
        }
        EXPECT_EQ(stored, text);
        offset += 2 * text.size();
        at += 12;
    }
    EXPECT_EQ(bytes.size(), offset) << "nothing after the last text";
}

TEST(StringTable, GeneratedProgramTablesHaveTheExactLayout) {
    const std::string dir = KOLVO_STRING_TABLE_DIR;
    ExpectLayout(ReadFile(dir + "/ESSRMGR_STRINGS.bin"), 68,
                 Numbered(1, {u"String not found: %d", u"Cannot lock resource",
                              u"String resource not found: %s",
                              u"Unable to open string resource: %s", u"Invalid string resource"}));
    auto component = Numbered(0, {u"Black", u"Maroon", u"Green", u"Olive", u"Navy", u"Purple",
                                  u"Teal", u"Gray", u"Silver", u"Red", u"Lime", u"Yellow", u"Blue",
                                  u"Fuchsia", u"Aqua", u"White"});
    component.merge(
        Numbered(30, {u"No label is attached", u"A blank date is not allowed", u"Invalid day",
                      u"Invalid month", u"Invalid month name", u"Invalid year", u"Day is required",
                      u"Month is required", u"Year is required", u"Invalid date"}));
    ExpectLayout(ReadFile(dir + "/PALOMIRE_STRINGS_ENGLISH.bin"), 320, component);
}

TEST(StringTable, GeneratorKeepsJapaneseTextsEmptyTextsAndNegativeNumbers) {
    ExpectLayout(
        ReadFile(KOLVO_TEST_STRING_TABLE), 8 + 12 * 4,
        {{-7, u"負の番号"}, {3, u"文字列表 %s がありません"}, {40, u"鉄筋 D13 の本数"}, {41, u""}});
}

TEST(StringTable, BinarySearchFindsEveryEntryAndNothingElse) {
    const std::map<std::int32_t, std::u16string> present = {
        {-5, u"minus five"}, {0, u"zero"}, {3, u"three"}, {10, u"ten"}, {2147483647, u"max"}};
    std::vector<StringTableText> texts;
    for (const auto& [number, text] : present) {
        texts.insert(texts.begin(), {number, text}); // given in descending order: it sorts
    }
    const std::vector<std::uint8_t> bytes = BuildStringTable(texts);
    const auto table = StringTableView::Open(bytes.data(), bytes.size());
    ASSERT_TRUE(table);
    for (const auto& [number, text] : present) {
        const auto entry = table->Find(number);
        ASSERT_TRUE(entry) << number;
        EXPECT_EQ(table->Text(*entry), text);
    }
    for (std::int32_t missing : {-2147483647 - 1, -6, -4, 1, 2, 4, 9, 11, 2147483646}) {
        EXPECT_FALSE(table->Find(missing)) << missing;
    }
    const std::vector<std::uint8_t> empty = BuildStringTable({});
    EXPECT_FALSE(StringTableView::Open(empty.data(), empty.size())->Find(0));
    EXPECT_THROW(BuildStringTable({{1, u"a"}, {1, u"b"}}), std::invalid_argument);
}

TEST(StringTable, DamagedTablesAreRefusedNotRead) {
    std::vector<std::uint8_t> bytes = BuildStringTable({{1, u"one"}, {2, u"two"}});
    EXPECT_TRUE(StringTableView::Open(bytes.data(), bytes.size()));
    EXPECT_FALSE(StringTableView::Open(bytes.data(), 7)) << "shorter than the header";
    EXPECT_FALSE(StringTableView::Open(bytes.data(), 8 + 12 * 2 - 1)) << "entries cut off";
    // The last text cut short by one byte: the first is still readable, the last is not.
    const auto cut = StringTableView::Open(bytes.data(), bytes.size() - 1);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->Text(*cut->Find(1)), u"one");
    EXPECT_FALSE(cut->Text(*cut->Find(2)));
    EXPECT_FALSE(cut->Text({3, 0xFFFFFFF0u, 0x10})) << "no wrap-around";
    bytes[7] = 0x40;
    EXPECT_FALSE(StringTableView::Open(bytes.data(), bytes.size())) << "count beyond the data";
    bytes[7] = 0;
    bytes[3] = '1';
    EXPECT_FALSE(StringTableView::Open(bytes.data(), bytes.size())) << "no magic";
}

TEST(StringTable, MessagesTakeTheirOneValueAndNothingElse) {
    const struct {
        const char* pattern;
        const char* value;
        const char* expected;
    } cases[] = {
        {"String not found: %d", "16", "String not found: 16"},
        {"String resource not found: %s", "NOPE", "String resource not found: NOPE"},
        {"Cannot lock resource", "x", "Cannot lock resource"},
        {"%s and %s, 100%%", "A", "A and %s, 100%"},
        {"%n%x%", "A", "%n%x%"},
        {"\x95\xB6\x8E\x9A %s", "X", "\x95\xB6\x8E\x9A X"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatStringMessage(c.pattern, c.value), c.expected) << c.pattern;
    }
}

} // namespace
} // namespace kolvo
