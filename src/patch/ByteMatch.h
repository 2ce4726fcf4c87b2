#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tarnwick::patchdetail {

// How many bytes from a and b on are equal, at most limit. Patch creation spends most of its
// time here, walking the long stretches an edit leaves alone: the first bytes are compared eight
// at a time, which answers the many short questions quickly, and a match that runs on past them
// goes by in blocks that memcmp compares with the widest instructions the processor has.
inline std::size_t matchLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit) {
    constexpr std::size_t block = 256;
    std::size_t n = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::size_t wordsEnd = std::min(limit, block);
        for (;;) {
            for (; n + 8 <= wordsEnd; n += 8) {
                std::uint64_t x = 0;
                std::uint64_t y = 0;
                std::memcpy(&x, a + n, 8);
                std::memcpy(&y, b + n, 8);
                if (x != y)
                    return n + static_cast<std::size_t>(std::countr_zero(x ^ y)) / 8;
            }
            if (wordsEnd == limit)
                break;
            while (n + block <= limit && std::memcmp(a + n, b + n, block) == 0)
                n += block;
            // The block that differs, or what is left, word by word.
            wordsEnd = std::min(limit, n + block);
        }
    }
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

} // namespace tarnwick::patchdetail
