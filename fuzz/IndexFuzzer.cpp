// libFuzzer target: the indexed searches must find exactly what the plain table-order scans
// find, for any drawing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzAnalysis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!kolvo::fuzz::IndexedTraceMatchesPlainScan(
            std::string_view(reinterpret_cast<const char*>(data), size))) {
        std::abort(); // libFuzzer saves the input as a crash
    }
    return 0;
}
