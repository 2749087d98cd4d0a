// The most memory this process has held so far.
#pragma once

#include <cstdint>

namespace kolvo::bench {

// Peak resident set (Linux) or peak working set (Windows) in bytes; 0 when unknown.
std::uint64_t PeakMemoryBytes();

} // namespace kolvo::bench
