#include "common/base/ZELObArray.h"

#include <utility>

FW_IMPLEMENT_DYNAMIC(CZELObArray, fw::CObArray)

CZELObArray::CZELObArray(const CZELObArray& other)
    : fw::CObArray()
{
    Copy(other);
}

CZELObArray& CZELObArray::operator=(const CZELObArray& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

void CZELObArray::DeleteAll()
{
    // Each slot is cleared before its element goes, so that a destructor
    // looking at the array never meets a deleted element.
    for (size_t i = 0; i < m_data.size(); ++i)
        delete std::exchange(m_data[i], nullptr);
    RemoveAll();
}

void CZELObArray::CopyFrom(const CZELObArray& other)
{
    Copy(other);
}

std::unique_ptr<CZELObArray> CZELObArray::Clone() const
{
    auto copy = std::make_unique<CZELObArray>();
    copy->Copy(*this);
    return copy;
}

fw::CObject* CZELObArray::GetObjectAt(int index) const
{
    return index >= 0 && index < GetSize() ? m_data[static_cast<size_t>(index)] : nullptr;
}

void CZELObArray::ForEach(const Visit& f) const
{
    for (int i = 0; i < GetSize(); ++i)
        f(m_data[static_cast<size_t>(i)]);
}

void CZELObArray::ForEach(VisitWith f, void* user) const
{
    for (int i = 0; i < GetSize(); ++i)
        f(m_data[static_cast<size_t>(i)], user);
}

fw::CObject* CZELObArray::FindFirst(const Test& p) const
{
    const int count = GetSize();
    for (int i = 0; i < count && i < GetSize(); ++i) {
        fw::CObject* element = m_data[static_cast<size_t>(i)];
        if (p(element))
            return element;
    }
    return nullptr;
}

fw::CObject* CZELObArray::FindFirst(TestWith p, void* user) const
{
    for (int i = 0; i < GetSize(); ++i) {
        fw::CObject* element = m_data[static_cast<size_t>(i)];
        if (p(element, user))
            return element;
    }
    return nullptr;
}

int CZELObArray::RemoveObject(const fw::CObject* element)
{
    for (int i = 0; i < GetSize(); ++i) {
        if (m_data[static_cast<size_t>(i)] == element) {
            RemoveAt(i);
            return i;
        }
    }
    return GetSize();
}
