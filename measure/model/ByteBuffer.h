#pragma once

// A byte vector whose growth leaves the new bytes uninitialised: chunk
// buffers are filled by a read right after they are sized, and zeroing
// megabytes that are overwritten at once costs as much as the store.

#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

template <class T> struct DefaultInitAllocator : std::allocator<T> {
    template <class U> struct rebind {
        using other = DefaultInitAllocator<U>;
    };
    DefaultInitAllocator() = default;
    template <class U> DefaultInitAllocator(const DefaultInitAllocator<U>&) noexcept {}

    template <class U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <class U, class... A> void construct(U* p, A&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<A>(args)...);
    }
};

using ByteBuffer = std::vector<uint8_t, DefaultInitAllocator<uint8_t>>;
