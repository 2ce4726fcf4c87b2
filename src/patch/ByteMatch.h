#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tarnwick::patchdetail {

// How many bytes from a and b on are equal, at most limit. Compares eight bytes at a time:
// patch creation spends most of its time here, walking the long stretches an edit leaves alone.
inline std::size_t matchLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit) {
    std::size_t n = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; n + 8 <= limit; n += 8) {
            std::uint64_t x = 0;
            std::uint64_t y = 0;
            std::memcpy(&x, a + n, 8);
            std::memcpy(&y, b + n, 8);
            if (x != y)
                return n + static_cast<std::size_t>(std::countr_zero(x ^ y)) / 8;
        }
    }
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

} // namespace tarnwick::patchdetail
