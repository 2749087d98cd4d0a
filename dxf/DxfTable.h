// A growable table of records with its count, indexed from 0 in file order.
#pragma once

#include <cassert>
#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

namespace kolvo {

// Slots a table holds after each reset, so the first records of a drawing append without
// reallocating.
constexpr std::int32_t TableGrowStep = 100;

// `Storage` is a vector, or a deque for a table that grows to a size no one can foresee: a
// deque grows in chunks and never holds two copies of the records while it grows.
template <class Record, class Storage = std::vector<Record>> class DxfTable {
public:
    // Number of valid records; indices 0 to Count() - 1 are valid.
    std::int32_t Count() const { return static_cast<std::int32_t>(records_.size()); }

    Record& operator[](std::int32_t index) { return records_.at(CheckedIndex(index)); }
    const Record& operator[](std::int32_t index) const { return records_.at(CheckedIndex(index)); }

    // Appends a record with its initial values and returns it; it stays the last one of the
    // table until the next append.
    Record& Append() { return records_.emplace_back(); }
    Record& Append(Record initial) { return records_.emplace_back(std::move(initial)); }
    Record& Last() { return records_.at(CheckedIndex(Count() - 1)); }

    // Empties the table and releases what an earlier, larger drawing needed.
    void Reset() {
        records_.clear();
        records_.shrink_to_fit();
        Reserve(TableGrowStep);
    }

    // Room for `count` records before the table reallocates.
    void Reserve(std::size_t count) {
        if constexpr (requires { records_.reserve(count); }) {
            records_.reserve(count);
        }
    }

    auto begin() { return records_.begin(); }
    auto end() { return records_.end(); }
    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

private:
    static std::size_t CheckedIndex(std::int32_t index) {
        if (index < 0) {
            throw std::out_of_range("negative table index");
        }
        return static_cast<std::size_t>(index);
    }
    Storage records_;
};

} // namespace kolvo
