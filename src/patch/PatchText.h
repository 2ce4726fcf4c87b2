#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace tarnwick::patchdetail {

// A byte count or offset as messages give it: "4096 bytes" reads better than hexadecimal for
// sizes, offsets into a patch or image read better in hexadecimal.
inline std::string byteCountText(std::uint64_t count) {
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

inline std::string hexText(std::uint64_t value, int digits = 1) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(value));
    return text;
}

inline std::string crcText(std::uint32_t crc) {
    return hexText(crc, 8);
}

} // namespace tarnwick::patchdetail
