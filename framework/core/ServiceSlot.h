#pragma once

// How a lower layer reaches a higher one without including it: the lower
// layer owns a small interface, the program installs an implementation at
// start-up (one composition root), and tests install fakes for their
// lifetime with ScopedInstall. One slot per interface type.

#include <atomic>

namespace fw {

namespace detail {
template <class I> inline std::atomic<I*> g_serviceSlot{nullptr};
} // namespace detail

// The installed implementation of I, or nullptr when none is.
template <class I> I* Installed()
{
    return detail::g_serviceSlot<I>.load(std::memory_order_acquire);
}

// Installs `impl` (nullptr removes it) and returns the previous one. Install
// before other threads use the slot and keep the object alive while it is
// installed.
template <class I> I* Install(I* impl)
{
    return detail::g_serviceSlot<I>.exchange(impl, std::memory_order_acq_rel);
}

// Installs an implementation for its own lifetime and puts the previous
// one back afterwards.
template <class I> class ScopedInstall {
public:
    explicit ScopedInstall(I& impl) : m_previous(Install<I>(&impl)) {}
    ~ScopedInstall() { Install<I>(m_previous); }
    ScopedInstall(const ScopedInstall&) = delete;
    ScopedInstall& operator=(const ScopedInstall&) = delete;

private:
    I* m_previous;
};

} // namespace fw
