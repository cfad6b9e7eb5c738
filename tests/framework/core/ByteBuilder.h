#pragma once

// Builds expected archive bytes from the layout, little-endian.

#include "framework/core/Archive.h"
#include "framework/core/File.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace arctest {

class Bytes {
public:
    Bytes& u8(uint8_t v) { m_b.push_back(v); return *this; }
    Bytes& u16(uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    Bytes& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& raw(std::string_view s) { m_b.insert(m_b.end(), s.begin(), s.end()); return *this; }
    Bytes& fill(size_t n, uint8_t v) { m_b.insert(m_b.end(), n, v); return *this; }
    // First object of a class: FFFF, schema, name length, name.
    Bytes& newClass(uint16_t schema, std::string_view name)
    {
        return u16(0xFFFF).u16(schema).u16(static_cast<uint16_t>(name.size())).raw(name);
    }
    const std::vector<uint8_t>& get() const { return m_b; }
    operator const std::vector<uint8_t>&() const { return m_b; }

private:
    std::vector<uint8_t> m_b;
};

// Runs `body` on a storing archive over memory and answers the bytes.
inline std::vector<uint8_t> StoreBytes(const std::function<void(fw::CArchive&)>& body)
{
    fw::CMemFile mem;
    fw::CArchive ar(&mem, fw::CArchive::store);
    body(ar);
    ar.Close();
    return {mem.Data().begin(), mem.Data().end()};
}

// Runs `body` on a loading archive over a copy of bytes.
inline void LoadBytes(const std::vector<uint8_t>& bytes, const std::function<void(fw::CArchive&)>& body,
                      size_t bufferSize = 4096)
{
    fw::CMemFile mem(bytes);
    fw::CArchive ar(&mem, fw::CArchive::load, bufferSize);
    body(ar);
}

} // namespace arctest
