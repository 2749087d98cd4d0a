#include <gtest/gtest.h>

#include <random>
#include <string>

#include "LineStops.h"

namespace kolvo {
namespace {

// Where the line starting at `at` ends, and where the next one starts, read byte by byte.
void PlainStop(const std::string& text, std::size_t at, std::size_t& stop, std::size_t& after) {
    stop = text.find_first_of(std::string("\n\r\0", 3), at);
    stop = stop == std::string::npos ? text.size() : stop;
    after = stop + (text.compare(stop, 2, "\r\n") == 0 ? 2 : 1);
}

// Lines of every length around the 64-byte marks, with every kind of break, bytes of double-byte
// characters and other control bytes in them, and now and then a NUL.
std::string RandomText(std::mt19937& random) {
    const std::string fill = std::string("AZ09 .-\t\x0b\x0c\x01", 11) + "\x82\xa0\x8a\xbf\xe0\xff";
    const char* const breaks[] = {"\r\n", "\n", "\r", "\n\r"};
    std::string text;
    const std::size_t size = random() % 3000;
    while (text.size() < size) {
        const std::size_t length = random() % 4 == 0 ? random() % 200 : random() % 9;
        for (std::size_t i = 0; i < length; ++i) {
            text += fill[random() % fill.size()];
        }
        text += random() % 500 == 0 ? std::string(1, '\0') : breaks[random() % 4];
    }
    return text;
}

// Walked as the reader walks: lines from the marks while they are taken, byte by byte where they
// are not, seated again after each line read by hand. Every line must be the plain one, and every
// line ending more than 64 bytes before the end of a text without a NUL must come from the marks.
TEST(LineStops, FindTheLinesAByteByByteReadingFinds) {
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = RandomText(random);
        const bool hasNul = text.find('\0') != std::string::npos;
        const char* const begin = text.data();
        LineStops stops;
        stops.Seat(begin, begin + text.size());
        std::size_t at = 0;
        while (at < text.size()) {
            std::size_t stop = 0;
            std::size_t after = 0;
            PlainStop(text, at, stop, after);
            const char* foundStop = nullptr;
            const char* foundAfter = nullptr;
            if (stops.Take(foundStop, foundAfter)) {
                ASSERT_EQ(foundStop - begin, static_cast<std::ptrdiff_t>(stop)) << round;
                ASSERT_EQ(foundAfter - begin, static_cast<std::ptrdiff_t>(after)) << round;
            } else {
                ASSERT_TRUE(hasNul || text.size() - stop <= 64) << round << " at " << at;
                stops.Seat(begin + std::min(after, text.size()), begin + text.size());
            }
            at = after;
        }
    }
}

} // namespace
} // namespace kolvo
