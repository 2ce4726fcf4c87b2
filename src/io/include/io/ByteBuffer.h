#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

namespace tarnwick {

// An allocator whose vectors leave the elements they grow by unset instead of zeroing them.
template <class T> class DefaultInitAllocator : public std::allocator<T> {
public:
    static_assert(std::is_trivially_default_constructible_v<T>);
    template <class U> struct rebind { using other = DefaultInitAllocator<U>; };
    DefaultInitAllocator() noexcept = default;
    template <class U>
    DefaultInitAllocator(const DefaultInitAllocator<U>& other) noexcept
        : std::allocator<T>(other) {}

    template <class U> void construct(U* place) noexcept { ::new (static_cast<void*>(place)) U; }
};

// Bytes that a read fills as soon as they are made. A plain vector would write an 8 MiB image
// twice, first with zeros and then with the file; the zeros alone took a sixth of the read.
// Grow it with resize(n, 0) where the new bytes must be zero.
//
// A vector with an allocator of its own copies into new memory byte by byte (five times slower
// than a plain vector for an image), so copies and assign are made here with one block copy.
class ByteBuffer : public std::vector<std::uint8_t, DefaultInitAllocator<std::uint8_t>> {
    using Bytes = std::vector<std::uint8_t, DefaultInitAllocator<std::uint8_t>>;

public:
    ByteBuffer() = default;
    ByteBuffer(const ByteBuffer& other) : Bytes() { assign(other.begin(), other.end()); }
    ByteBuffer(ByteBuffer&&) noexcept = default;
    ByteBuffer& operator=(const ByteBuffer& other) {
        if (this != &other)
            assign(other.begin(), other.end());
        return *this;
    }
    ByteBuffer& operator=(ByteBuffer&&) noexcept = default;
    ~ByteBuffer() = default;

    template <std::contiguous_iterator Iterator> void assign(Iterator first, Iterator last) {
        const auto count = static_cast<size_type>(last - first);
        clear(); // so that growing copies nothing
        resize(count);
        std::copy(first, last, begin());
    }
};

} // namespace tarnwick
