#pragma once

#include <cstddef>

namespace tarnwick {

// Asks the kernel to back a large buffer that is about to be filled with 2 MiB pages where it
// can: fresh memory costs a page fault every 4 KiB, which for a whole image costs more than
// reading the image into it. Only a hint, to be given before the buffer is first written;
// only the whole large pages inside the buffer are advised.
void preferLargePages(void* data, std::size_t size);

// The capacity to reserve for size bytes so that at least one whole, aligned large page lies
// inside them: memory comes at 4 KiB alignment, so a buffer of 2-4 MiB often holds none. The
// room past size is address space; at most the rest of the last large page is backed with it.
std::size_t capacityForLargePages(std::size_t size);

} // namespace tarnwick
