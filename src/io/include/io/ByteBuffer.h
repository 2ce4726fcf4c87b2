#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace tarnwick {

// An allocator whose vectors leave the elements they grow by unset instead of zeroing them.
// Copies, assignments and resize(n, value) still set every element they make.
template <class T> class DefaultInitAllocator : public std::allocator<T> {
public:
    static_assert(std::is_trivially_default_constructible_v<T>);
    template <class U> struct rebind { using other = DefaultInitAllocator<U>; };
    DefaultInitAllocator() noexcept = default;
    template <class U>
    DefaultInitAllocator(const DefaultInitAllocator<U>& other) noexcept
        : std::allocator<T>(other) {}

    template <class U> void construct(U* place) noexcept { ::new (static_cast<void*>(place)) U; }
    template <class U, class... Args> void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

// Bytes that a read fills as soon as they are made. A plain vector would write an 8 MiB image
// twice, first with zeros and then with the file; the zeros alone took a sixth of the read.
// Grow it with resize(n, 0) where the new bytes must be zero.
using ByteBuffer = std::vector<std::uint8_t, DefaultInitAllocator<std::uint8_t>>;

} // namespace tarnwick
