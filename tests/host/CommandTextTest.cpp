// The bytes a command text is sent as, and the buffer the command line is read back into.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommandText.h"

namespace kolvo {
namespace {

const std::u16string kSelectPrevious = u"\x0003SELECT P\rU\r\r";

std::vector<unsigned char> Utf16Bytes(std::u16string_view text) {
    std::vector<unsigned char> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

TEST(CommandMessage, SelectionTextAsUnicodeAndAsAnsi) {
    ASSERT_EQ(kSelectPrevious.size(), 13u);
    const CommandMessage wide = UnicodeCommandMessage(kSelectPrevious, kSelectPrevious);
    EXPECT_EQ(wide.cbData, 28u);
    EXPECT_EQ(wide.data, Utf16Bytes(kSelectPrevious));

    const CommandMessage narrow = AnsiCommandMessage("\x03SELECT P\rU\r\r");
    EXPECT_EQ(narrow.cbData, 14u);
    const std::vector<unsigned char> expected{0x03, 'S', 'E',  'L', 'E',  'C',  'T',
                                              ' ',  'P', '\r', 'U', '\r', '\r', 0};
    EXPECT_EQ(narrow.data, expected);
    EXPECT_EQ(CommandMessage::kDwData, 1u);
}

TEST(CommandMessage, EmptyTextIsJustItsNul) {
    const CommandMessage wide = UnicodeCommandMessage(u"", u"");
    EXPECT_EQ(wide.cbData, 2u);
    EXPECT_EQ(wide.data, (std::vector<unsigned char>{0, 0}));
    const CommandMessage narrow = AnsiCommandMessage("");
    EXPECT_EQ(narrow.cbData, 1u);
    EXPECT_EQ(narrow.data, (std::vector<unsigned char>{0}));
}

TEST(CommandMessage, LongExportCommandIsSentWhole) {
    // A DXF path deep in a long user folder makes the export command pass 255 characters.
    const std::u16string path = u"C:\\Users\\" + std::u16string(240, u'x') + u"\\Vantorel\\a.dxf";
    const std::u16string text = u"DXFOUT \"" + path + u"\"\rVER 2000 OBJ PREV \r16 ";
    ASSERT_GT(text.size(), 255u);
    const CommandMessage wide = UnicodeCommandMessage(text, text);
    EXPECT_EQ(wide.cbData, 2 * (text.size() + 1));
    EXPECT_EQ(wide.data, Utf16Bytes(text));

    const std::string narrowText(300, 'a');
    const CommandMessage narrow = AnsiCommandMessage(narrowText);
    EXPECT_EQ(narrow.cbData, 301u);
    EXPECT_EQ(std::string(narrow.data.begin(), narrow.data.end() - 1), narrowText);
}

TEST(CommandMessage, LengthComesFromTheTextNotFromItsRoundTrip) {
    // A character outside the code page (here a surrogate pair) comes back as one default
    // character; the host is still told the original length, and never reads past the data.
    const std::u16string text = u"A\xD83D\xDE00Z";
    const std::u16string sent = u"A?Z";
    const CommandMessage wide = UnicodeCommandMessage(text, sent);
    EXPECT_EQ(wide.cbData, 10u);
    ASSERT_GE(wide.data.size(), wide.cbData);
    EXPECT_EQ(wide.data, (std::vector<unsigned char>{'A', 0, '?', 0, 'Z', 0, 0, 0, 0, 0}));

    // Never more units than the text has, whatever the conversion produced.
    const CommandMessage capped = UnicodeCommandMessage(u"AB", u"ABCD");
    EXPECT_EQ(capped.cbData, 6u);
    EXPECT_EQ(capped.data, (std::vector<unsigned char>{'A', 0, 'B', 0, 0, 0}));
}

TEST(WindowTextBuffer, TwiceTheReportedLengthWithItsNul) {
    EXPECT_EQ(WindowTextBufferBytes(0), 0u);
    EXPECT_EQ(WindowTextBufferBytes(-1), 0u);
    EXPECT_EQ(WindowTextBufferBytes(6), 14u);
    EXPECT_EQ(WindowTextBufferBytes(10), 22u);
    EXPECT_EQ(WindowTextBufferBytes(kMaxWindowTextLength * 100),
              2u * (static_cast<std::size_t>(kMaxWindowTextLength) + 1));
}

TEST(WindowTextBuffer, TextEndsAtTheFirstNulOrTheBufferEnd) {
    const char filled[] = "\x83\x52\x83\x7d\x83\x93\x83\x68\x3a\x20\0\0garbage";
    EXPECT_EQ(TextFromBuffer(filled, sizeof filled - 1), "コマンド: ");
    EXPECT_EQ(TextFromBuffer(filled, 4), "\x83\x52\x83\x7d");
    EXPECT_EQ(TextFromBuffer("\0abc", 4), "");
}

} // namespace
} // namespace kolvo
