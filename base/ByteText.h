// A record text field with a fixed byte capacity.
//
// Drawing-model and tally records keep their texts in fields of 40, 60 or 255 bytes. Longer
// values are cut on assignment, never inside a double-byte character, so no field (and no
// report written from it) ever carries half a character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ShiftJis.h"

namespace kolvo {

template <std::size_t Capacity> class ByteText {
public:
    static constexpr std::size_t kCapacity = Capacity;

    ByteText() = default;
    ByteText(std::string_view value) { Assign(value); } // NOLINT: implicit on purpose

    ByteText& operator=(std::string_view value) {
        Assign(value);
        return *this;
    }
    void Assign(std::string_view value) {
        text_.assign(value.data(), SjisCutLength(value, Capacity));
    }
    void Append(std::string_view value) {
        // Bytes beyond the first one past the capacity cannot change where the cut falls.
        std::string joined = text_;
        joined.append(value.substr(0, Capacity + 1 - text_.size()));
        Assign(joined);
    }
    void Clear() { text_.clear(); }

    const std::string& str() const { return text_; }
    std::string_view view() const { return text_; }
    std::size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }

    friend bool operator==(const ByteText& a, const ByteText& b) { return a.text_ == b.text_; }
    friend bool operator==(const ByteText& a, std::string_view b) { return a.text_ == b; }

private:
    std::string text_;
};

} // namespace kolvo
