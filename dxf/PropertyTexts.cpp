#include "PropertyTexts.h"

#include "ShiftJis.h"

namespace kolvo {

TPropertyTexts::TPropertyTexts() {
    Reset();
}

TPropertyId TPropertyTexts::Add(std::string_view value) {
    const std::string_view text = value.substr(0, SjisCutLength(value, PropertyCapacity));
    if (texts_[Slot(last_)] == text) {
        return last_;
    }
    if (const auto found = ids_.find(text); found != ids_.end()) {
        last_ = found->second;
        return last_;
    }
    last_ = Count();
    texts_.emplace_back(text);
    ids_.emplace(texts_.back(), last_);
    return last_;
}

void TPropertyTexts::Reset() {
    texts_.clear();
    texts_.emplace_back();
    ids_.clear();
    ids_.emplace(std::string(), EmptyProperty);
    last_ = EmptyProperty;
}

} // namespace kolvo
