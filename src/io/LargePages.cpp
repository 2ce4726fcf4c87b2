#include "io/LargePages.h"

#include <cstdint>
#include <sys/mman.h>

namespace tarnwick {

void preferLargePages(void* data, std::size_t size) {
    constexpr std::uintptr_t largePage = std::uintptr_t{1} << 21;
    if (size < 2 * largePage)
        return;
    // Only the whole large pages inside the buffer: the advice must not reach memory that
    // belongs to anything else.
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + largePage - 1) & ~(largePage - 1);
    const std::uintptr_t end = (start + size) & ~(largePage - 1);
    if (end > first)
        (void)::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

} // namespace tarnwick
