#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "DrawingModel.h"
#include "PropertyTexts.h"

namespace kolvo {
namespace {

// One id per distinct text as cut to 60 bytes, whatever order they come in; the empty text is
// always there; a cut never splits a double-byte character; a copied drawing reads the same.
TEST(PropertyTexts, OneIdPerTextAsCut) {
    const std::string long60 = std::string(60, 'L');
    const std::string kanjiAcross = std::string(59, 'K') + "\x93\x53"; // 61 bytes
    const struct {
        std::string value;
        std::string text;
    } cases[] = {{"", ""},
                 {"0", "0"},
                 {"\x93\x53\x8b\xd8", "\x93\x53\x8b\xd8"},
                 {"0", "0"},
                 {"     1", "     1"},
                 {long60 + "X", long60},
                 {long60, long60},
                 {kanjiAcross, std::string(59, 'K')},
                 {"\x93\x53\x8b\xd8", "\x93\x53\x8b\xd8"}};
    TDrawing drawing;
    std::vector<TPropertyId> ids;
    for (const auto& c : cases) {
        ids.push_back(drawing.Properties.Add(c.value));
        EXPECT_EQ(drawing.Property(ids.back()), c.text);
    }
    for (std::size_t i = 0; i < ids.size(); ++i) {
        for (std::size_t j = 0; j < ids.size(); ++j) {
            EXPECT_EQ(ids[i] == ids[j], cases[i].text == cases[j].text) << i << ' ' << j;
        }
    }
    EXPECT_EQ(ids[0], EmptyProperty);
    EXPECT_EQ(drawing.Properties.Count(), 6);

    const TDrawing copy = drawing;
    drawing.Reset();
    EXPECT_EQ(drawing.Properties.Count(), 1);
    EXPECT_EQ(drawing.Properties.Add("0"), 1);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(copy.Property(ids[i]), cases[i].text);
    }
    EXPECT_THROW(static_cast<void>(copy.Property(copy.Properties.Count())), std::out_of_range);
}

} // namespace
} // namespace kolvo
