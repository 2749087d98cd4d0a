// libFuzzer target: any bytes through the whole analysis.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzAnalysis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kolvo::fuzz::AnalyseBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
