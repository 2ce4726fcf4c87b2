// Large buffers come fresh from the kernel in every iteration, as they do in a command that
// reads its images once. glibc would otherwise raise its mmap threshold after the first large
// buffer is freed and hand the same, already mapped, pages out again, and the page faults of
// filling new memory, for a whole image often more than the work itself, would not show.
#include <malloc.h>

namespace {

const bool freshLargeBuffers = [] { return mallopt(M_MMAP_THRESHOLD, 1 << 20) == 1; }();

} // namespace
