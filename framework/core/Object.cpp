#include "framework/core/Object.h"

#include <mutex>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace fw {

const CRuntimeClass CObject::s_runtimeClass = {"CObject", nullptr, 0xFFFF, nullptr};

namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<std::string, const CRuntimeClass*> byName;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

} // namespace

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* other) const
{
    for (const CRuntimeClass* c = this; c; c = c->base)
        if (c == other)
            return true;
    return false;
}

CObject* CRuntimeClass::CreateObject() const
{
    return create ? create() : nullptr;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view name)
{
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto it = r.byName.find(std::string(name));
    return it == r.byName.end() ? nullptr : it->second;
}

void RegisterClass(const CRuntimeClass* cls)
{
    if (!cls || !cls->name)
        throw std::logic_error("RegisterClass: no class");
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto [it, inserted] = r.byName.emplace(cls->name, cls);
    if (!inserted && it->second != cls)
        throw std::logic_error(std::string("RegisterClass: two classes named ") + cls->name);
}

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::s_runtimeClass;
}

void CObject::Serialize(CArchive&) {}

bool CObject::IsKindOf(const CRuntimeClass* cls) const
{
    return GetRuntimeClass()->IsDerivedFrom(cls);
}

} // namespace fw
