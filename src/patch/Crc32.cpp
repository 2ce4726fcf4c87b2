#include "patch/Crc32.h"

#include <zlib.h>

#include <algorithm>

namespace tarnwick {

std::uint32_t crc32Of(std::span<const std::uint8_t> bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes a length of type uInt, so a larger range goes in pieces.
    constexpr std::size_t piece = 0x40000000;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        const std::size_t length = std::min(piece, bytes.size() - at);
        crc = crc32(crc, bytes.data() + at, static_cast<uInt>(length));
    }
    return static_cast<std::uint32_t>(crc);
}

} // namespace tarnwick
