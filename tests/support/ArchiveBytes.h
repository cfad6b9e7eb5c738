#pragma once

// Archive bytes for tests: expected forms built field by field from the
// layouts (little-endian), and round trips through archives over memory.

#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/Object.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace kivtest {

using Bytes = std::vector<uint8_t>;

class ByteBuilder {
public:
    template <class T> ByteBuilder& Raw(T v)
    {
        uint8_t b[sizeof(T)];
        std::memcpy(b, &v, sizeof(T));
        m_bytes.insert(m_bytes.end(), b, b + sizeof(T));
        return *this;
    }
    ByteBuilder& U8(uint8_t v) { return Raw(v); }
    ByteBuilder& I16(int16_t v) { return Raw(v); }
    ByteBuilder& U16(uint16_t v) { return Raw(v); }
    ByteBuilder& I32(int32_t v) { return Raw(v); }
    ByteBuilder& U32(uint32_t v) { return Raw(v); }
    ByteBuilder& F32(float v) { return Raw(v); }
    ByteBuilder& F64(double v) { return Raw(v); }
    // Bytes as they are, no length.
    ByteBuilder& Text(std::string_view s)
    {
        m_bytes.insert(m_bytes.end(), s.begin(), s.end());
        return *this;
    }
    ByteBuilder& Fill(size_t n, uint8_t v)
    {
        m_bytes.insert(m_bytes.end(), n, v);
        return *this;
    }
    // ASCII text below 255 bytes: one length byte, then the bytes.
    ByteBuilder& Str(std::string_view s)
    {
        m_bytes.push_back(static_cast<uint8_t>(s.size()));
        return Text(s);
    }
    ByteBuilder& Count(uint32_t n)
    {
        if (n < 0xFFFF)
            return U16(static_cast<uint16_t>(n));
        return U16(0xFFFF).U32(n);
    }
    // The tag of the first object of a class: FFFF, schema, name length, name.
    ByteBuilder& NewClass(std::string_view name, uint16_t schema = 1)
    {
        return U16(0xFFFF).U16(schema).U16(static_cast<uint16_t>(name.size())).Text(name);
    }
    ByteBuilder& Append(const Bytes& b)
    {
        m_bytes.insert(m_bytes.end(), b.begin(), b.end());
        return *this;
    }
    const Bytes& Get() const { return m_bytes; }
    operator const Bytes&() const { return m_bytes; }

private:
    Bytes m_bytes;
};

// The bytes `store` writes into a storing archive.
template <class F> Bytes StoredBytes(F&& store)
{
    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        store(ar);
        ar.Close();
    }
    const auto data = file.Data();
    return {data.begin(), data.end()};
}

// Runs `load` on a loading archive over `bytes`; returns the bytes it left.
template <class F> uint64_t LoadBytes(const Bytes& bytes, F&& load, size_t bufferSize = 4096)
{
    fw::CMemFile file(bytes);
    fw::CArchive ar(&file, fw::CArchive::load, bufferSize);
    load(ar);
    return ar.BytesLeft();
}

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

} // namespace kivtest
