// The layers, colours and line types of a drawing's entities, each distinct text held once.
//
// A drawing holds a handful of distinct values over a million records, so each record keeps a
// TPropertyId and the drawing keeps the texts. A text is cut to PropertyCapacity bytes as it is
// added, never inside a double-byte character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kolvo {

using TPropertyId = std::int32_t;
constexpr TPropertyId EmptyProperty = 0; // the empty text, which every table holds
constexpr std::size_t PropertyCapacity = 60;

class TPropertyTexts {
public:
    TPropertyTexts();

    // The id of `value` as cut to the capacity, added when it is new.
    TPropertyId Add(std::string_view value);
    // The text of an id from this table; an id from elsewhere is refused.
    std::string_view operator[](TPropertyId id) const { return texts_.at(Slot(id)); }
    std::int32_t Count() const { return static_cast<std::int32_t>(texts_.size()); }

    // Leaves only the empty text.
    void Reset();

private:
    static std::size_t Slot(TPropertyId id) { return static_cast<std::size_t>(id); }

    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    // A deque keeps each text where it is as the table grows, so views stay valid. The map keeps
    // copies of its own rather than views into the deque, so that a copied table (and drawing)
    // stands alone; a drawing holds only a handful of texts.
    std::deque<std::string> texts_;
    std::unordered_map<std::string, TPropertyId, Hash, std::equal_to<>> ids_;
    TPropertyId last_ = EmptyProperty; // the one added last, far the likeliest to come again
};

} // namespace kolvo
