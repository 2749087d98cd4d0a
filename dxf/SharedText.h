// A record text field that many records share: the layer, colour and line type of the drawing's
// entities. Drawings hold a handful of distinct values over millions of records, so each record
// keeps a handle to one shared copy instead of a text of its own. Reads like ByteText: the value
// is cut to `Capacity` bytes on assignment, never inside a double-byte character.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ShiftJis.h"

namespace kolvo {

template <std::size_t Capacity> class SharedText {
public:
    static constexpr std::size_t kCapacity = Capacity;

    SharedText() = default;
    SharedText(std::string_view value) { Assign(value); } // NOLINT: implicit on purpose

    SharedText& operator=(std::string_view value) {
        Assign(value);
        return *this;
    }
    // A copy of its own; the reader hands out shared ones (SharedTextPool).
    void Assign(std::string_view value) {
        text_ = value.empty() ? nullptr
                              : std::make_shared<const std::string>(value.data(),
                                                                    SjisCutLength(value, Capacity));
    }
    void Clear() { text_.reset(); }

    const std::string& str() const { return text_ ? *text_ : Empty(); }
    std::string_view view() const { return str(); }
    std::size_t size() const { return str().size(); }
    bool empty() const { return str().empty(); }

    friend bool operator==(const SharedText& a, const SharedText& b) { return a.str() == b.str(); }
    friend bool operator==(const SharedText& a, std::string_view b) { return a.str() == b; }

private:
    static const std::string& Empty() {
        static const std::string empty;
        return empty;
    }
    std::shared_ptr<const std::string> text_;
};

// One shared copy per distinct value, as one read hands them out.
template <std::size_t Capacity> class SharedTextPool {
public:
    const SharedText<Capacity>& Get(std::string_view value) {
        if (const auto found = texts_.find(value); found != texts_.end()) {
            return found->second;
        }
        return texts_.emplace(std::string(value), SharedText<Capacity>(value)).first->second;
    }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, SharedText<Capacity>, Hash, std::equal_to<>> texts_;
};

} // namespace kolvo
