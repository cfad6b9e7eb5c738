#include "grid/model/GridArray.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <algorithm>
#include <limits>

FW_IMPLEMENT_SERIAL(CZELGridArray, fw::CObject, 0)
FW_IMPLEMENT_SERIAL(CZELGridRealArray, CZELGridArray, 0)
FW_IMPLEMENT_SERIAL(CZELGridSameArray, CZELGridArray, 0)

uint16_t ClampGridSize(int64_t size)
{
    return static_cast<uint16_t>(std::clamp<int64_t>(size, 0, std::numeric_limits<uint16_t>::max()));
}

// --- real array ----------------------------------------------------------------

void CZELGridRealArray::CheckIndex(int32_t index) const
{
    if (index < 0 || index >= GetSize())
        fw::ThrowInvalidArgException();
}

void CZELGridRealArray::SetSize(int32_t count, int32_t)
{
    m_sizes.resize(static_cast<size_t>(std::max(count, 0)), 0);
}

uint16_t CZELGridRealArray::GetAt(int32_t index) const
{
    CheckIndex(index);
    return m_sizes[static_cast<size_t>(index)];
}

void CZELGridRealArray::SetAt(int32_t index, int32_t size)
{
    CheckIndex(index);
    m_sizes[static_cast<size_t>(index)] = ClampGridSize(size);
}

void CZELGridRealArray::SetAtGrow(int32_t index, int32_t size)
{
    if (index < 0)
        fw::ThrowInvalidArgException();
    if (index >= GetSize())
        SetSize(index + 1);
    SetAt(index, size);
}

int32_t CZELGridRealArray::Add(int32_t size)
{
    m_sizes.push_back(ClampGridSize(size));
    return GetSize() - 1;
}

void CZELGridRealArray::InsertAt(int32_t index, int32_t size, int32_t count)
{
    if (count <= 0)
        return;
    if (index < 0)
        fw::ThrowInvalidArgException();
    if (index > GetSize())
        SetSize(index);
    m_sizes.insert(m_sizes.begin() + index, static_cast<size_t>(count), ClampGridSize(size));
}

void CZELGridRealArray::RemoveAt(int32_t index, int32_t count)
{
    if (index < 0 || count <= 0 || index >= GetSize())
        return;
    const int32_t last = std::min<int64_t>(int64_t(index) + count, GetSize());
    m_sizes.erase(m_sizes.begin() + index, m_sizes.begin() + last);
}

int64_t CZELGridRealArray::GetTotal(int32_t first, int32_t count) const
{
    // Callers keep the run inside the array; a run that leaves it counts
    // only the lines it covers.
    const int64_t begin = std::max(first, 0);
    const int64_t end = std::min<int64_t>(int64_t(first) + std::max(count, 0), GetSize());
    int64_t total = 0;
    for (int64_t i = begin; i < end; ++i)
        total += m_sizes[static_cast<size_t>(i)];
    return total;
}

void CZELGridRealArray::Copy(const CZELGridArray& other)
{
    if (auto* real = dynamic_cast<const CZELGridRealArray*>(&other))
        m_sizes = real->m_sizes;
}

void CZELGridRealArray::InsertArray(int32_t index, const CZELGridArray& other)
{
    auto* real = dynamic_cast<const CZELGridRealArray*>(&other);
    if (!real || real->m_sizes.empty())
        return;
    if (index < 0)
        fw::ThrowInvalidArgException();
    if (index > GetSize())
        SetSize(index);
    const std::vector<uint16_t> copy = real->m_sizes; // the other may be this array
    m_sizes.insert(m_sizes.begin() + index, copy.begin(), copy.end());
}

void CZELGridRealArray::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_sizes.size());
    } else {
        const uint64_t count = ar.ReadCount(sizeof(uint16_t));
        if (count > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
            fw::ThrowArchiveException(fw::CArchiveException::genericException, ar.m_strFileName);
        m_sizes.assign(static_cast<size_t>(count), 0);
    }
    fw::SerializeElements(ar, m_sizes.data(), m_sizes.size());
}

// --- same array ----------------------------------------------------------------

int32_t CZELGridSameArray::Add(int32_t size)
{
    m_size = ClampGridSize(size);
    return m_size;
}

void CZELGridSameArray::InsertAt(int32_t index, int32_t size, int32_t count)
{
    if (count < 0)
        count = 0;
    const int64_t grown = index < m_count ? int64_t(m_count) + count : int64_t(index) + count;
    m_count = static_cast<int32_t>(std::clamp<int64_t>(grown, 0, std::numeric_limits<int32_t>::max()));
    m_size = ClampGridSize(size);
}

void CZELGridSameArray::RemoveAt(int32_t, int32_t count)
{
    m_count = std::max(0, m_count - std::max(count, 0));
}

int64_t CZELGridSameArray::GetTotal(int32_t, int32_t count) const
{
    return int64_t(std::max(count, 0)) * m_size;
}

void CZELGridSameArray::Copy(const CZELGridArray& other)
{
    if (auto* same = dynamic_cast<const CZELGridSameArray*>(&other)) {
        m_count = same->m_count;
        m_size = same->m_size;
    }
}

void CZELGridSameArray::InsertArray(int32_t, const CZELGridArray& other)
{
    if (auto* same = dynamic_cast<const CZELGridSameArray*>(&other))
        m_size = same->m_size;
}

void CZELGridSameArray::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_size << m_count;
    } else {
        int32_t count = 0;
        ar >> m_size >> count;
        m_count = std::max(count, 0);
    }
}
