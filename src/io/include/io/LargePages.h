#pragma once

#include <cstddef>

namespace tarnwick {

// Asks the kernel to back a large buffer that is about to be filled with 2 MiB pages where it
// can: fresh memory costs a page fault every 4 KiB, which for a whole image costs more than
// reading the image into it. Only a hint, to be given before the buffer is first written;
// buffers under 4 MiB are left as they are.
void preferLargePages(void* data, std::size_t size);

} // namespace tarnwick
