#pragma once

// Run-time classes: the type identity that archives store by name, that
// "exact class" checks compare by address, and that creation by name uses.

#include <cstdint>
#include <string_view>

namespace fw {

class CObject;
class CArchive;

// A stored schema with this bit set may differ from the class's own: the
// class reads every older form itself (GetObjectSchema tells which).
inline constexpr uint32_t VERSIONABLE_SCHEMA = 0x80000000u;

struct CRuntimeClass {
    const char* name;            // exact, case-sensitive; the archive form's class name
    const CRuntimeClass* base;   // nullptr only for CObject
    uint32_t schema;             // 0xFFFF for classes that cannot be stored
    CObject* (*create)();        // nullptr when the class cannot be created by name

    bool IsDerivedFrom(const CRuntimeClass* other) const;
    // A new object owned by the caller, or nullptr when the class has no creator.
    CObject* CreateObject() const;
    // The registered class of that exact name, or nullptr.
    static const CRuntimeClass* FromName(std::string_view name);
};

// Makes a class known by name (archives, clipboard). Registering the same
// class twice is harmless; a different class under a taken name is a
// programming error (std::logic_error). Safe from any thread.
void RegisterClass(const CRuntimeClass* cls);

// The framework's own storable classes.
void RegisterClasses();

class CObject {
public:
    static const CRuntimeClass s_runtimeClass;

    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& ar);
    bool IsKindOf(const CRuntimeClass* cls) const;

protected:
    CObject() = default;
    // Copying is for derived value types (exceptions are thrown by value);
    // a bare CObject is never copied.
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

} // namespace fw

#define FW_RUNTIME_CLASS(C) (&C::s_runtimeClass)

#define FW_DECLARE_DYNAMIC(C)                                   \
public:                                                         \
    static const ::fw::CRuntimeClass s_runtimeClass;            \
    const ::fw::CRuntimeClass* GetRuntimeClass() const override;

#define FW_DECLARE_DYNCREATE(C)                                 \
    FW_DECLARE_DYNAMIC(C)                                       \
    static ::fw::CObject* CreateObject();

#define FW_DECLARE_SERIAL(C) FW_DECLARE_DYNCREATE(C)

#define FW_IMPLEMENT_RUNTIMECLASS_(C, Base, schema, create)                 \
    const ::fw::CRuntimeClass C::s_runtimeClass = {                         \
        #C, &Base::s_runtimeClass, static_cast<uint32_t>(schema), create};  \
    const ::fw::CRuntimeClass* C::GetRuntimeClass() const { return &C::s_runtimeClass; }

#define FW_IMPLEMENT_DYNAMIC(C, Base) FW_IMPLEMENT_RUNTIMECLASS_(C, Base, 0xFFFF, nullptr)

#define FW_IMPLEMENT_DYNCREATE(C, Base)                          \
    ::fw::CObject* C::CreateObject() { return new C; }           \
    FW_IMPLEMENT_RUNTIMECLASS_(C, Base, 0xFFFF, &C::CreateObject)

#define FW_IMPLEMENT_SERIAL(C, Base, schema)                     \
    ::fw::CObject* C::CreateObject() { return new C; }           \
    FW_IMPLEMENT_RUNTIMECLASS_(C, Base, schema, &C::CreateObject)
