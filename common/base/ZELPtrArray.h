#pragma once

// The program's array of plain pointers: the framework's pointer array with
// bounds-safe access, walking, searching, removal by pointer and freeing of
// every element. The array owns nothing by itself.

#include "framework/core/Collections.h"

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

class CZELPtrArray : public fw::CPtrArray {
    FW_DECLARE_DYNAMIC(CZELPtrArray)
public:
    using Visit = std::function<void(void*)>;
    using VisitWith = void (*)(void* element, void* user);
    using Test = std::function<bool(void*)>;
    using TestWith = bool (*)(void* element, void* user);

    CZELPtrArray() = default;
    // The same pointers, shared.
    CZELPtrArray(const CZELPtrArray& other);
    CZELPtrArray& operator=(const CZELPtrArray& other);
    ~CZELPtrArray() override = default;

    // Frees every element as raw memory (::operator new), then empties the
    // array. Typed arrays delete through their element type instead.
    virtual void DeleteAll();
    // Takes other's size and pointers; the elements are shared.
    virtual void CopyFrom(const CZELPtrArray& other);
    // A plain CZELPtrArray (also for a derived array) sharing the elements.
    virtual std::unique_ptr<CZELPtrArray> Clone() const;

    // The element, or nullptr for an index outside the array.
    void* GetObjectAt(int index) const;

    // As CZELObArray: f may append (the size is read at every step).
    void ForEach(const Visit& f) const;
    void ForEach(VisitWith f, void* user) const;
    // As CZELObArray: the first form walks the elements there were at the start.
    void* FindFirst(const Test& p) const;
    void* FindFirst(TestWith p, void* user) const;

    // Removes the first element equal to `element`; its former index, or the
    // size when it is not there.
    int RemoveObject(const void* element);
};

// A CZELPtrArray (or derived) array whose elements are TYPE (a pointer type);
// DeleteAll deletes each element as a TYPE, so that destructors run.
template <class BASE, class TYPE> class CTypedZELPtrArray : public BASE {
    static_assert(std::is_pointer_v<TYPE>, "CTypedZELPtrArray holds pointers");

public:
    using BASE::BASE;

    void DeleteAll() override
    {
        for (int i = 0; i < BASE::GetSize(); ++i)
            delete static_cast<TYPE>(std::exchange(BASE::ElementAt(i), nullptr));
        BASE::RemoveAll();
    }

    TYPE GetAt(int index) const { return static_cast<TYPE>(BASE::GetAt(index)); }
    TYPE operator[](int index) const { return GetAt(index); }
    void SetAt(int index, TYPE element) { BASE::SetAt(index, element); }
    void SetAtGrow(int index, TYPE element) { BASE::SetAtGrow(index, element); }
    int Add(TYPE element) { return BASE::Add(element); }
    void InsertAt(int index, TYPE element, int count = 1) { BASE::InsertAt(index, element, count); }

    TYPE GetObjectAt(int index) const { return static_cast<TYPE>(BASE::GetObjectAt(index)); }
    void ForEach(const std::function<void(TYPE)>& f) const
    {
        BASE::ForEach([&f](void* e) { f(static_cast<TYPE>(e)); });
    }
    TYPE FindFirst(const std::function<bool(TYPE)>& p) const
    {
        return static_cast<TYPE>(BASE::FindFirst([&p](void* e) { return p(static_cast<TYPE>(e)); }));
    }
    void ForEach(typename BASE::VisitWith f, void* user) const { BASE::ForEach(f, user); }
    TYPE FindFirst(typename BASE::TestWith p, void* user) const
    {
        return static_cast<TYPE>(BASE::FindFirst(p, user));
    }
    int RemoveObject(TYPE element) { return BASE::RemoveObject(element); }
};
