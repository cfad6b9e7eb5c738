#include "framework/core/AcceleratorResource.h"

#include <map>
#include <mutex>

namespace fw {

namespace {

std::mutex g_mutex;

std::map<unsigned, std::vector<Accelerator>>& Tables()
{
    static std::map<unsigned, std::vector<Accelerator>> tables;
    return tables;
}

} // namespace

void RegisterAccelerators(unsigned id, std::vector<Accelerator> table)
{
    std::lock_guard lock(g_mutex);
    Tables()[id] = std::move(table);
}

const std::vector<Accelerator>* FindAccelerators(unsigned id)
{
    std::lock_guard lock(g_mutex);
    const auto it = Tables().find(id);
    return it == Tables().end() ? nullptr : &it->second;
}

} // namespace fw
