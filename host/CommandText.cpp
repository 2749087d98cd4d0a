#include "CommandText.h"

#include <algorithm>
#include <cstring>

namespace kolvo {

CommandMessage UnicodeCommandMessage(std::u16string_view text, std::u16string_view sent) {
    CommandMessage message;
    const std::size_t units = text.size() + 1;
    message.cbData = static_cast<std::uint32_t>(2 * units);
    // Zero-filled: the NUL, and whatever the round trip shortened, read as NUL.
    message.data.assign(2 * units, 0);
    const std::size_t carried = std::min(sent.size(), text.size());
    for (std::size_t i = 0; i < carried; ++i) {
        message.data[2 * i] = static_cast<unsigned char>(sent[i] & 0xFF);
        message.data[2 * i + 1] = static_cast<unsigned char>(sent[i] >> 8);
    }
    return message;
}

CommandMessage AnsiCommandMessage(std::string_view ansiText) {
    CommandMessage message;
    message.data.assign(ansiText.begin(), ansiText.end());
    message.data.push_back(0);
    message.cbData = static_cast<std::uint32_t>(message.data.size());
    return message;
}

std::size_t WindowTextBufferBytes(std::intptr_t reportedLength) {
    if (reportedLength <= 0) {
        return 0;
    }
    const auto length = static_cast<std::size_t>(std::min(reportedLength, kMaxWindowTextLength));
    return 2 * (length + 1);
}

std::string TextFromBuffer(const char* buffer, std::size_t size) {
    const void* nul = std::memchr(buffer, 0, size);
    const std::size_t length =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - buffer) : size;
    return std::string(buffer, length);
}

} // namespace kolvo
