#pragma once

// Arrays and lists in the shape the program's code uses them, and their
// archive forms: CArray<T> = count + raw elements, CObArray and CObList =
// count + objects, CStringArray = count + strings.
//
// Indexes outside an array raise CInvalidArgException instead of reading
// past the storage.

#include "framework/core/Archive.h"
#include "framework/core/CString.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace fw {

namespace detail {

// The common array behaviour over a vector.
template <class T> class ArrayStore {
public:
    int GetSize() const { return static_cast<int>(m_data.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_data.empty(); }

    const T& GetAt(int i) const { return m_data[Check(i)]; }
    void SetAt(int i, const T& v) { m_data[Check(i)] = v; }
    T& ElementAt(int i) { return m_data[Check(i)]; }
    const T& ElementAt(int i) const { return m_data[Check(i)]; }
    T& operator[](int i) { return ElementAt(i); }
    const T& operator[](int i) const { return GetAt(i); }
    T* GetData() { return m_data.data(); }
    const T* GetData() const { return m_data.data(); }

    // New elements are value-initialised (null pointers, zeros, empty texts).
    void SetSize(int size, int growBy = -1)
    {
        (void)growBy;
        if (size < 0)
            ThrowInvalidArgException();
        m_data.resize(static_cast<size_t>(size));
    }
    void SetAtGrow(int i, const T& v)
    {
        if (i < 0)
            ThrowInvalidArgException();
        if (static_cast<size_t>(i) >= m_data.size())
            m_data.resize(static_cast<size_t>(i) + 1);
        m_data[static_cast<size_t>(i)] = v;
    }
    int Add(const T& v)
    {
        m_data.push_back(v);
        return GetSize() - 1;
    }
    // Beyond the end the array grows first, as the original did.
    void InsertAt(int i, const T& v, int count = 1)
    {
        if (i < 0 || count < 0)
            ThrowInvalidArgException();
        if (static_cast<size_t>(i) > m_data.size())
            m_data.resize(static_cast<size_t>(i));
        m_data.insert(m_data.begin() + i, static_cast<size_t>(count), v);
    }
    void RemoveAt(int i, int count = 1)
    {
        if (i < 0 || count < 0 || static_cast<size_t>(i) + static_cast<size_t>(count) > m_data.size())
            ThrowInvalidArgException();
        m_data.erase(m_data.begin() + i, m_data.begin() + i + count);
    }
    void RemoveAll() { m_data.clear(); }
    void FreeExtra() { m_data.shrink_to_fit(); }
    int Append(const ArrayStore& other)
    {
        int first = GetSize();
        m_data.insert(m_data.end(), other.m_data.begin(), other.m_data.end());
        return first;
    }
    void Copy(const ArrayStore& other) { m_data = other.m_data; }

    auto begin() { return m_data.begin(); }
    auto end() { return m_data.end(); }
    auto begin() const { return m_data.begin(); }
    auto end() const { return m_data.end(); }

protected:
    size_t Check(int i) const
    {
        if (i < 0 || static_cast<size_t>(i) >= m_data.size())
            ThrowInvalidArgException();
        return static_cast<size_t>(i);
    }
    std::vector<T> m_data;
};

} // namespace detail

// An array of plain values stored as a count and the raw elements.
template <class T, class ARG = const T&>
class CArray : public CObject, public detail::ArrayStore<T> {
    static_assert(std::is_trivially_copyable_v<T>, "CArray holds plain values; use CStringArray for texts");

public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(this->m_data.size());
        } else {
            uint64_t count = ar.ReadCount(sizeof(T));
            this->m_data.clear();
            this->m_data.resize(static_cast<size_t>(count));
        }
        SerializeElements(ar, this->m_data.data(), this->m_data.size());
    }
};

class CByteArray : public CArray<uint8_t> {
    FW_DECLARE_SERIAL(CByteArray)
};
class CWordArray : public CArray<uint16_t> {
    FW_DECLARE_SERIAL(CWordArray)
};
class CDWordArray : public CArray<uint32_t> {
    FW_DECLARE_SERIAL(CDWordArray)
};
class CUIntArray : public CArray<uint32_t> {
    FW_DECLARE_DYNAMIC(CUIntArray)
};

// Pointers to objects; the array owns nothing.
class CObArray : public CObject, public detail::ArrayStore<CObject*> {
    FW_DECLARE_SERIAL(CObArray)
public:
    void Serialize(CArchive& ar) override;
};

class CPtrArray : public CObject, public detail::ArrayStore<void*> {
    FW_DECLARE_DYNAMIC(CPtrArray)
};

class CStringArray : public CObject, public detail::ArrayStore<CString> {
    FW_DECLARE_SERIAL(CStringArray)
public:
    void Serialize(CArchive& ar) override;
};

// A CObArray or CPtrArray seen as an array of T (a pointer type).
template <class Base, class T> class CTypedPtrArray : public Base {
public:
    T GetAt(int i) const { return static_cast<T>(Base::GetAt(i)); }
    T& ElementAt(int i) { return reinterpret_cast<T&>(Base::ElementAt(i)); }
    void SetAt(int i, T v) { Base::SetAt(i, v); }
    void SetAtGrow(int i, T v) { Base::SetAtGrow(i, v); }
    int Add(T v) { return Base::Add(v); }
    void InsertAt(int i, T v, int count = 1) { Base::InsertAt(i, v, count); }
    T operator[](int i) const { return GetAt(i); }
    T& operator[](int i) { return ElementAt(i); }
    T* GetData() { return reinterpret_cast<T*>(Base::GetData()); }
};

// ------------------------------------------------------------------- lists

struct PositionOpaque;
using POSITION = PositionOpaque*;

namespace detail {

// A doubly linked list whose positions stay valid while other nodes come
// and go, as the original's did.
template <class T> class ListStore {
    struct Node {
        Node* prev;
        Node* next;
        T data;
    };
    static Node* N(POSITION p) { return reinterpret_cast<Node*>(p); }
    static POSITION P(Node* n) { return reinterpret_cast<POSITION>(n); }

public:
    ListStore() = default;
    ListStore(const ListStore&) = delete;
    ListStore& operator=(const ListStore&) = delete;
    ~ListStore() { RemoveAll(); }

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    POSITION GetHeadPosition() const { return P(m_head); }
    POSITION GetTailPosition() const { return P(m_tail); }
    T& GetHead() { return Need(m_head)->data; }
    T& GetTail() { return Need(m_tail)->data; }
    const T& GetHead() const { return Need(m_head)->data; }
    const T& GetTail() const { return Need(m_tail)->data; }

    T& GetNext(POSITION& pos) const
    {
        Node* n = Need(N(pos));
        pos = P(n->next);
        return n->data;
    }
    T& GetPrev(POSITION& pos) const
    {
        Node* n = Need(N(pos));
        pos = P(n->prev);
        return n->data;
    }
    T& GetAt(POSITION pos) const { return Need(N(pos))->data; }
    void SetAt(POSITION pos, const T& v) { Need(N(pos))->data = v; }

    POSITION AddHead(const T& v) { return InsertBefore(P(m_head), v); }
    POSITION AddTail(const T& v) { return InsertAfter(P(m_tail), v); }
    POSITION InsertBefore(POSITION pos, const T& v)
    {
        Node* at = N(pos);
        Node* n = new Node{at ? at->prev : nullptr, at, v};
        Link(n);
        return P(n);
    }
    POSITION InsertAfter(POSITION pos, const T& v)
    {
        Node* at = N(pos);
        Node* n = new Node{at, at ? at->next : nullptr, v};
        Link(n);
        return P(n);
    }
    T RemoveHead()
    {
        T v = Need(m_head)->data;
        RemoveAt(P(m_head));
        return v;
    }
    T RemoveTail()
    {
        T v = Need(m_tail)->data;
        RemoveAt(P(m_tail));
        return v;
    }
    void RemoveAt(POSITION pos)
    {
        Node* n = Need(N(pos));
        (n->prev ? n->prev->next : m_head) = n->next;
        (n->next ? n->next->prev : m_tail) = n->prev;
        delete n;
        --m_count;
    }
    void RemoveAll()
    {
        while (m_head) {
            Node* next = m_head->next;
            delete m_head;
            m_head = next;
        }
        m_tail = nullptr;
        m_count = 0;
    }
    POSITION Find(const T& v, POSITION startAfter = nullptr) const
    {
        for (Node* n = startAfter ? N(startAfter)->next : m_head; n; n = n->next)
            if (n->data == v)
                return P(n);
        return nullptr;
    }
    POSITION FindIndex(int index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* n = m_head;
        while (index-- > 0)
            n = n->next;
        return P(n);
    }

private:
    static Node* Need(Node* n)
    {
        if (!n)
            ThrowInvalidArgException();
        return n;
    }
    void Link(Node* n)
    {
        (n->prev ? n->prev->next : m_head) = n;
        (n->next ? n->next->prev : m_tail) = n;
        ++m_count;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
};

} // namespace detail

class CObList : public CObject, public detail::ListStore<CObject*> {
    FW_DECLARE_SERIAL(CObList)
public:
    void Serialize(CArchive& ar) override;
};

class CPtrList : public CObject, public detail::ListStore<void*> {
    FW_DECLARE_DYNAMIC(CPtrList)
};

template <class Base, class T> class CTypedPtrList : public Base {
public:
    T& GetHead() { return reinterpret_cast<T&>(Base::GetHead()); }
    T& GetTail() { return reinterpret_cast<T&>(Base::GetTail()); }
    T& GetNext(POSITION& pos) const { return reinterpret_cast<T&>(Base::GetNext(pos)); }
    T& GetPrev(POSITION& pos) const { return reinterpret_cast<T&>(Base::GetPrev(pos)); }
    T& GetAt(POSITION pos) const { return reinterpret_cast<T&>(Base::GetAt(pos)); }
    void SetAt(POSITION pos, T v) { Base::SetAt(pos, v); }
    POSITION AddHead(T v) { return Base::AddHead(v); }
    POSITION AddTail(T v) { return Base::AddTail(v); }
    POSITION InsertBefore(POSITION pos, T v) { return Base::InsertBefore(pos, v); }
    POSITION InsertAfter(POSITION pos, T v) { return Base::InsertAfter(pos, v); }
    T RemoveHead() { return static_cast<T>(Base::RemoveHead()); }
    T RemoveTail() { return static_cast<T>(Base::RemoveTail()); }
};

} // namespace fw
