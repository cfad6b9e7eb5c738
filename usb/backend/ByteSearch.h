#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace usbio {

inline constexpr size_t kNotFound = static_cast<size_t>(-1);

// First position in data[from, to) at which `needle` occurs completely;
// NUL bytes are ordinary bytes here (packets are padded with them).
inline size_t FindBytes(const uint8_t* data, size_t from, size_t to, std::string_view needle)
{
    if (needle.empty() || to < from || to - from < needle.size())
        return kNotFound;
    const void* hit = ::memmem(data + from, to - from, needle.data(), needle.size());
    return hit == nullptr ? kNotFound : static_cast<size_t>(static_cast<const uint8_t*>(hit) - data);
}

// Repeats a search over a growing range without scanning the old part
// again: the first occurrence in [from, to) is remembered while `from`
// stays the same and the bytes below `to` do not change.
class GrowingSearch {
public:
    explicit GrowingSearch(std::string_view needle) : m_needle(needle) {}

    size_t Find(const uint8_t* data, size_t from, size_t to)
    {
        if (from != m_from || to < m_scannedTo) {
            m_from = from;
            m_scannedTo = from;
            m_found = kNotFound;
        }
        if (m_found == kNotFound) {
            const size_t overlap = m_needle.size() - 1;
            const size_t start = m_scannedTo - from >= overlap ? m_scannedTo - overlap : from;
            m_found = FindBytes(data, start, to, m_needle);
            m_scannedTo = to;
        }
        return m_found;
    }

private:
    std::string_view m_needle;
    size_t m_from = kNotFound;
    size_t m_scannedTo = 0;
    size_t m_found = kNotFound;
};

} // namespace usbio
