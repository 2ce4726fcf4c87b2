#include "io/LargePages.h"

#include <cstdint>
#include <sys/mman.h>

namespace tarnwick {

namespace {
constexpr std::uintptr_t largePage = std::uintptr_t{1} << 21;
}

void preferLargePages(void* data, std::size_t size) {
    if (size < largePage)
        return;
    // Only the whole large pages inside the buffer: the advice must not reach memory that
    // belongs to anything else.
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + largePage - 1) & ~(largePage - 1);
    const std::uintptr_t end = (start + size) & ~(largePage - 1);
    if (end > first)
        (void)::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

std::size_t capacityForLargePages(std::size_t size) {
    if (size < largePage || size > SIZE_MAX - largePage)
        return size;
    return size + largePage;
}

} // namespace tarnwick
