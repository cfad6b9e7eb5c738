#pragma once

// A byte cap on single allocations, for the code that treats a failed
// allocation as "try a smaller one" (the cache-tank window halving). Tests
// set a cap to drive that path without exhausting memory. The thread's own
// cap wins over the global one; 0 means no cap.

#include <atomic>
#include <cstddef>
#include <limits>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace fw {

class AllocLimit {
public:
    static void SetGlobalCap(size_t bytes) { GlobalCap().store(bytes); }
    static void SetThreadCap(size_t bytes) { ThreadCap() = bytes; }

    static size_t EffectiveCap()
    {
        size_t t = ThreadCap();
        return t ? t : GlobalCap().load();
    }

    // Throws std::bad_alloc when `bytes` exceeds the cap.
    static void Check(size_t bytes)
    {
        size_t cap = EffectiveCap();
        if (cap && bytes > cap)
            throw std::bad_alloc();
    }

    // `count` elements of T, checked against the cap (overflow included).
    template <class T> static std::unique_ptr<T[]> Array(size_t count)
    {
        Check(Bytes<T>(count));
        return std::make_unique<T[]>(count);
    }
    template <class T> static std::vector<T> Vector(size_t count)
    {
        Check(Bytes<T>(count));
        return std::vector<T>(count);
    }

    // Sets a cap for the lifetime of the scope and restores the old one.
    class Scope {
    public:
        explicit Scope(size_t bytes, bool global = false) : m_global(global)
        {
            m_old = global ? GlobalCap().exchange(bytes) : std::exchange(ThreadCap(), bytes);
        }
        ~Scope()
        {
            if (m_global)
                GlobalCap().store(m_old);
            else
                ThreadCap() = m_old;
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        bool m_global;
        size_t m_old;
    };

private:
    template <class T> static size_t Bytes(size_t count)
    {
        if (count > std::numeric_limits<size_t>::max() / sizeof(T))
            throw std::bad_alloc();
        return count * sizeof(T);
    }
    static std::atomic<size_t>& GlobalCap()
    {
        static std::atomic<size_t> cap{0};
        return cap;
    }
    static size_t& ThreadCap()
    {
        thread_local size_t cap = 0;
        return cap;
    }
};

} // namespace fw
