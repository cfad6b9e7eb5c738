#pragma once

// Helpers of the tank tests: archive round trips in memory and expected
// byte forms built field by field from the archive layouts.

#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tanktest {

using Bytes = std::vector<uint8_t>;

// Little-endian writer for expected archive bytes.
class ByteBuilder {
public:
    template <class T> ByteBuilder& Raw(T v)
    {
        uint8_t b[sizeof(T)];
        std::memcpy(b, &v, sizeof(T));
        m_bytes.insert(m_bytes.end(), b, b + sizeof(T));
        return *this;
    }
    ByteBuilder& I16(int16_t v) { return Raw(v); }
    ByteBuilder& U16(uint16_t v) { return Raw(v); }
    ByteBuilder& I32(int32_t v) { return Raw(v); }
    ByteBuilder& U32(uint32_t v) { return Raw(v); }
    ByteBuilder& F32(float v) { return Raw(v); }
    ByteBuilder& F64(double v) { return Raw(v); }
    // ASCII text below 255 bytes: one length byte, then the bytes.
    ByteBuilder& Str(const std::string& s)
    {
        m_bytes.push_back(static_cast<uint8_t>(s.size()));
        m_bytes.insert(m_bytes.end(), s.begin(), s.end());
        return *this;
    }
    ByteBuilder& Count(uint32_t n)
    {
        if (n < 0xFFFF)
            return U16(static_cast<uint16_t>(n));
        return U16(0xFFFF).U32(n);
    }
    // The tag of the first object of a class: FFFF, schema, name.
    ByteBuilder& NewClass(const std::string& name, uint16_t schema = 1)
    {
        U16(0xFFFF).U16(schema).U16(static_cast<uint16_t>(name.size()));
        m_bytes.insert(m_bytes.end(), name.begin(), name.end());
        return *this;
    }
    ByteBuilder& Append(const Bytes& b)
    {
        m_bytes.insert(m_bytes.end(), b.begin(), b.end());
        return *this;
    }
    const Bytes& Get() const { return m_bytes; }

private:
    Bytes m_bytes;
};

// The object's archive form through the archive's object storage.
Bytes StoreObject(const fw::CObject* object);
// The object's own form only (its Serialize).
Bytes StoreBody(fw::CObject& object);
// Reads one object of `expected` (or derived) from bytes; caller owns it.
fw::CObject* LoadObject(const Bytes& bytes, const fw::CRuntimeClass* expected);
// Runs Serialize of object over the bytes.
void LoadBody(fw::CObject& object, const Bytes& bytes);

// Hex dump for failure messages.
std::string Hex(const Bytes& bytes);

} // namespace tanktest
