// A sum of doubles that does not depend on the order of its terms: the exact sum, rounded once
// to the nearest double.
#pragma once

#include <vector>

namespace kolvo {

class TExactSum {
public:
    void Add(double Value);
    // The exact sum of every value added, rounded to nearest (ties to even). Infinities and NaN
    // among the values, and a sum beyond the range of double, give infinity or NaN as ordinary
    // addition would; with values of one sign this, too, does not depend on their order.
    double Value() const;

private:
    // Non-overlapping partial sums in increasing magnitude whose exact total is the sum so far.
    std::vector<double> partials_;
    double special_ = 0; // infinities and NaN, and partial sums that overflowed
};

} // namespace kolvo
