#include "patch/BpsNumber.h"

namespace tarnwick {

void appendBpsNumber(std::vector<std::uint8_t>& out, std::uint64_t value) {
    while (true) {
        const auto low = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
        if (value == 0) {
            out.push_back(static_cast<std::uint8_t>(0x80 | low));
            return;
        }
        out.push_back(low);
        --value;
    }
}

std::size_t bpsNumberLength(std::uint64_t value) {
    std::size_t length = 1;
    for (value >>= 7; value != 0; value = (value - 1) >> 7)
        ++length;
    return length;
}

std::optional<std::uint64_t> readBpsNumber(std::span<const std::uint8_t> bytes,
                                           std::size_t& position) {
    constexpr int longest = 8;
    std::uint64_t value = 0;
    std::uint64_t shift = 1;
    for (int count = 0; count < longest && position < bytes.size(); ++count) {
        const std::uint8_t byte = bytes[position++];
        value += (byte & 0x7Fu) * shift;
        if ((byte & 0x80) != 0)
            return value;
        shift <<= 7;
        value += shift;
    }
    return std::nullopt;
}

} // namespace tarnwick
