#pragma once

// The program's array of framework objects: the framework's object array
// with bounds-safe access, walking, searching, removal by pointer and
// deletion of every element. The array owns nothing by itself: elements are
// deleted only by DeleteAll or by a derived class. Its archive form is the
// object array's (count, then each object).

#include "framework/core/Collections.h"

#include <functional>
#include <memory>

class CZELObArray : public fw::CObArray {
    FW_DECLARE_DYNAMIC(CZELObArray)
public:
    using Visit = std::function<void(fw::CObject*)>;
    using VisitWith = void (*)(fw::CObject* element, void* user);
    using Test = std::function<bool(fw::CObject*)>;
    using TestWith = bool (*)(fw::CObject* element, void* user);

    CZELObArray() = default;
    // The same pointers, shared.
    CZELObArray(const CZELObArray& other);
    CZELObArray& operator=(const CZELObArray& other);
    ~CZELObArray() override = default;

    // Deletes every element that is not null, then empties the array.
    virtual void DeleteAll();
    // Takes other's size and pointers; the elements are shared.
    virtual void CopyFrom(const CZELObArray& other);
    // A plain CZELObArray (also for a derived array) sharing the elements.
    virtual std::unique_ptr<CZELObArray> Clone() const;

    // The element, or nullptr for an index outside the array.
    fw::CObject* GetObjectAt(int index) const;

    // Calls f for every element in order; the size is read at every step,
    // so f may append. An exception of f ends the walk and passes on.
    void ForEach(const Visit& f) const;
    void ForEach(VisitWith f, void* user) const;

    // The first element p accepts, nullptr when none. The first form walks
    // the elements there were at the start (fewer when p removed some); the
    // second reads the size at every step.
    fw::CObject* FindFirst(const Test& p) const;
    fw::CObject* FindFirst(TestWith p, void* user) const;

    // Removes the first element equal to `element` (deleting nothing) and
    // returns its former index; the size when it is not there.
    int RemoveObject(const fw::CObject* element);
};

// A CZELObArray (or derived) array whose elements are TYPE (a pointer to a
// class derived from fw::CObject).
template <class BASE, class TYPE> class CTypedZELObArray : public BASE {
public:
    using BASE::BASE;

    TYPE GetAt(int index) const { return static_cast<TYPE>(BASE::GetAt(index)); }
    TYPE operator[](int index) const { return GetAt(index); }
    void SetAt(int index, TYPE element) { BASE::SetAt(index, element); }
    void SetAtGrow(int index, TYPE element) { BASE::SetAtGrow(index, element); }
    int Add(TYPE element) { return BASE::Add(element); }
    void InsertAt(int index, TYPE element, int count = 1) { BASE::InsertAt(index, element, count); }

    TYPE GetObjectAt(int index) const { return static_cast<TYPE>(BASE::GetObjectAt(index)); }
    void ForEach(const std::function<void(TYPE)>& f) const
    {
        BASE::ForEach([&f](fw::CObject* e) { f(static_cast<TYPE>(e)); });
    }
    TYPE FindFirst(const std::function<bool(TYPE)>& p) const
    {
        return static_cast<TYPE>(BASE::FindFirst([&p](fw::CObject* e) { return p(static_cast<TYPE>(e)); }));
    }
    void ForEach(typename BASE::VisitWith f, void* user) const { BASE::ForEach(f, user); }
    TYPE FindFirst(typename BASE::TestWith p, void* user) const
    {
        return static_cast<TYPE>(BASE::FindFirst(p, user));
    }
    int RemoveObject(TYPE element) { return BASE::RemoveObject(element); }
};
