#include "instrument/meter/Unit463Hooks.h"

#include <mutex>

namespace {

std::mutex g_hooksMutex;
Unit463Hooks g_hooks;

} // namespace

void SetUnit463Hooks(const Unit463Hooks& hooks)
{
    std::lock_guard lock(g_hooksMutex);
    g_hooks = hooks;
}

Unit463Hooks GetUnit463Hooks()
{
    std::lock_guard lock(g_hooksMutex);
    return g_hooks;
}
