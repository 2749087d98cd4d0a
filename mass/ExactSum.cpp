#include "ExactSum.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace kolvo {

// Shewchuk's adaptive summation: each addition of two doubles splits into the rounded sum and
// its exact error, so the partials always add up exactly to the true sum.
void TExactSum::Add(double Value) {
    if (!std::isfinite(Value)) {
        special_ += Value;
        return;
    }
    double x = Value;
    std::size_t kept = 0;
    for (double y : partials_) {
        if (std::fabs(x) < std::fabs(y)) {
            std::swap(x, y);
        }
        const double hi = x + y;
        if (!std::isfinite(hi)) {
            // Beyond the range of double: the sum is infinite whatever comes later.
            special_ += hi;
            partials_.clear();
            return;
        }
        const double lo = y - (hi - x);
        if (lo != 0) {
            partials_[kept++] = lo;
        }
        x = hi;
    }
    partials_.resize(kept);
    partials_.push_back(x);
}

double TExactSum::Value() const {
    if (special_ != 0 || std::isnan(special_)) {
        return special_;
    }
    std::size_t n = partials_.size();
    if (n == 0) {
        return 0;
    }
    double hi = partials_[--n];
    double lo = 0;
    while (n > 0) {
        const double x = hi;
        const double y = partials_[--n];
        hi = x + y;
        lo = y - (hi - x);
        if (lo != 0) {
            break;
        }
    }
    // hi + lo is exact, but the partials still below could turn a tie between two doubles (which
    // round-to-even settled) into a value just past the tie.
    if (n > 0 && ((lo < 0 && partials_[n - 1] < 0) || (lo > 0 && partials_[n - 1] > 0))) {
        const double y = lo * 2;
        const double x = hi + y;
        if (y == x - hi) {
            hi = x;
        }
    }
    return hi;
}

} // namespace kolvo
