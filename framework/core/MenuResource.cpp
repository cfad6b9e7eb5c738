#include "framework/core/MenuResource.h"

#include <map>
#include <mutex>

namespace fw {

namespace {

std::mutex g_mutex;

std::map<unsigned, MenuResource>& Menus()
{
    static std::map<unsigned, MenuResource> menus;
    return menus;
}

} // namespace

void RegisterMenuResource(unsigned id, MenuResource root)
{
    std::lock_guard lock(g_mutex);
    Menus()[id] = std::move(root);
}

const MenuResource* FindMenuResource(unsigned id)
{
    std::lock_guard lock(g_mutex);
    const auto it = Menus().find(id);
    return it == Menus().end() ? nullptr : &it->second;
}

} // namespace fw
