#include "common/base/ZELPtrArray.h"

#include <new>
#include <utility>

FW_IMPLEMENT_DYNAMIC(CZELPtrArray, fw::CPtrArray)

CZELPtrArray::CZELPtrArray(const CZELPtrArray& other)
    : fw::CPtrArray()
{
    Copy(other);
}

CZELPtrArray& CZELPtrArray::operator=(const CZELPtrArray& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

void CZELPtrArray::DeleteAll()
{
    for (size_t i = 0; i < m_data.size(); ++i)
        ::operator delete(std::exchange(m_data[i], nullptr));
    RemoveAll();
}

void CZELPtrArray::CopyFrom(const CZELPtrArray& other)
{
    Copy(other);
}

std::unique_ptr<CZELPtrArray> CZELPtrArray::Clone() const
{
    auto copy = std::make_unique<CZELPtrArray>();
    copy->Copy(*this);
    return copy;
}

void* CZELPtrArray::GetObjectAt(int index) const
{
    return index >= 0 && index < GetSize() ? m_data[static_cast<size_t>(index)] : nullptr;
}

void CZELPtrArray::ForEach(const Visit& f) const
{
    for (int i = 0; i < GetSize(); ++i)
        f(m_data[static_cast<size_t>(i)]);
}

void CZELPtrArray::ForEach(VisitWith f, void* user) const
{
    for (int i = 0; i < GetSize(); ++i)
        f(m_data[static_cast<size_t>(i)], user);
}

void* CZELPtrArray::FindFirst(const Test& p) const
{
    const int count = GetSize();
    for (int i = 0; i < count && i < GetSize(); ++i) {
        void* element = m_data[static_cast<size_t>(i)];
        if (p(element))
            return element;
    }
    return nullptr;
}

void* CZELPtrArray::FindFirst(TestWith p, void* user) const
{
    for (int i = 0; i < GetSize(); ++i) {
        void* element = m_data[static_cast<size_t>(i)];
        if (p(element, user))
            return element;
    }
    return nullptr;
}

int CZELPtrArray::RemoveObject(const void* element)
{
    for (int i = 0; i < GetSize(); ++i) {
        if (m_data[static_cast<size_t>(i)] == element) {
            RemoveAt(i);
            return i;
        }
    }
    return GetSize();
}
