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

struct GeneratedTable {
    const char* name;
    std::size_t poolStart;
    std::map<std::int32_t, std::u16string> texts;
};

const std::vector<GeneratedTable>& ProgramTables() {
    static const std::vector<GeneratedTable> tables = {
        {"ESSRMGR_STRINGS",
         68,
         {{1, u"String not found: %d"},
          {2, u"Cannot lock resource"},
          {3, u"String resource not found: %s"},
          {4, u"Unable to open string resource: %s"},
          {5, u"Invalid string resource"}}},
        {"PALOMIRE_STRINGS_ENGLISH",
         320,
         {{0, u"Black"},
          {1, u"Maroon"},
          {2, u"Green"},
          {3, u"Olive"},
          {4, u"Navy"},
          {5, u"Purple"},
          {6, u"Teal"},
          {7, u"Gray"},
          {8, u"Silver"},
          {9, u"Red"},
          {10, u"Lime"},
          {11, u"Yellow"},
          {12, u"Blue"},
          {13, u"Fuchsia"},
          {14, u"Aqua"},
          {15, u"White"},
          {30, u"No label is attached"},
          {31, u"A blank date is not allowed"},
          {32, u"Invalid day"},
          {33, u"Invalid month"},
          {34, u"Invalid month name"},
          {35, u"Invalid year"},
          {36, u"Day is required"},
          {37, u"Month is required"},
          {38, u"Year is required"},
          {39, u"Invalid date"}}},
    };
    return tables;
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
    for (const GeneratedTable& table : ProgramTables()) {
        SCOPED_TRACE(table.name);
        ExpectLayout(ReadFile(std::string(KOLVO_STRING_TABLE_DIR) + "/" + table.name + ".bin"),
                     table.poolStart, table.texts);
    }
}

TEST(StringTable, GeneratorKeepsJapaneseTextsEmptyTextsAndNegativeNumbers) {
    ExpectLayout(
        ReadFile(KOLVO_TEST_STRING_TABLE), 8 + 12 * 4,
        {{-7, u"負の番号"}, {3, u"文字列表 %s がありません"}, {40, u"鉄筋 D13 の本数"}, {41, u""}});
}

TEST(StringTable, BinarySearchFindsEveryEntryAndNothingElse) {
    // Given out of order: the builder sorts.
    const std::vector<std::uint8_t> bytes = BuildStringTable(
        {{10, u"ten"}, {-5, u"minus five"}, {0, u"zero"}, {3, u"three"}, {2147483647, u"max"}});
    const auto table = StringTableView::Open(bytes.data(), bytes.size());
    ASSERT_TRUE(table);
    ASSERT_EQ(table->Count(), 5u);
    const std::map<std::int32_t, std::u16string> present = {
        {-5, u"minus five"}, {0, u"zero"}, {3, u"three"}, {10, u"ten"}, {2147483647, u"max"}};
    for (const auto& [number, text] : present) {
        const auto entry = table->Find(number);
        ASSERT_TRUE(entry) << number;
        EXPECT_EQ(table->Text(*entry), text);
    }
    for (std::int32_t missing : {-2147483647 - 1, -6, -4, 1, 2, 4, 9, 11, 2147483646}) {
        EXPECT_FALSE(table->Find(missing)) << missing;
    }
    const std::vector<std::uint8_t> empty = BuildStringTable({});
    const auto none = StringTableView::Open(empty.data(), empty.size());
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->Find(0));
    EXPECT_THROW(BuildStringTable({{1, u"a"}, {1, u"b"}}), std::invalid_argument);
}

TEST(StringTable, DamagedTablesAreRefusedNotRead) {
    std::vector<std::uint8_t> bytes = BuildStringTable({{1, u"one"}, {2, u"two"}});
    EXPECT_TRUE(StringTableView::Open(bytes.data(), bytes.size()));
    EXPECT_FALSE(StringTableView::Open(bytes.data(), 7)) << "shorter than the header";
    EXPECT_FALSE(StringTableView::Open(bytes.data(), 8 + 12 * 2 - 1)) << "entries cut off";
    EXPECT_FALSE(StringTableView::Open(nullptr, 0));

    std::vector<std::uint8_t> badMagic = bytes;
    badMagic[3] = '1';
    EXPECT_FALSE(StringTableView::Open(badMagic.data(), badMagic.size()));

    std::vector<std::uint8_t> hugeCount = bytes;
    hugeCount[7] = 0x40;
    EXPECT_FALSE(StringTableView::Open(hugeCount.data(), hugeCount.size()));

    // The last text cut short by one byte: the first is still readable, the last is not.
    const auto cut = StringTableView::Open(bytes.data(), bytes.size() - 1);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->Text(*cut->Find(1)), u"one");
    EXPECT_FALSE(cut->Text(*cut->Find(2)));
    EXPECT_FALSE(cut->Text({3, 0xFFFFFFF0u, 0x10}));
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
