#include "NewlineScan.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

namespace kolvo::bench {

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
} // namespace

std::int64_t CountNewlines(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw std::runtime_error("cannot open " + path);
    }
    std::vector<char> block(std::size_t{1} << 20);
    std::int64_t lines = 0;
    for (std::size_t got; (got = std::fread(block.data(), 1, block.size(), file.get())) > 0;) {
        const char* at = block.data();
        const char* const end = at + got;
        while ((at = static_cast<const char*>(
                    std::memchr(at, '\n', static_cast<std::size_t>(end - at)))) != nullptr) {
            ++lines;
            ++at;
        }
    }
    return lines;
}

} // namespace kolvo::bench
