#pragma once

// The time marks set on a measurement's graphs. The measuring system keeps
// them and deletes them with itself; the graphs that draw them own their
// meaning.

#include "framework/core/Object.h"

#include <memory>
#include <utility>
#include <vector>

class CMarkerList {
public:
    CMarkerList() = default;
    ~CMarkerList() { DeleteAll(); }
    CMarkerList(const CMarkerList&) = delete;
    CMarkerList& operator=(const CMarkerList&) = delete;

    void Add(std::unique_ptr<fw::CObject> mark) { m_marks.push_back(std::move(mark)); }
    int GetCount() const { return static_cast<int>(m_marks.size()); }
    // Deletes every mark and empties the list.
    void DeleteAll() { m_marks.clear(); }
    // Hands every mark over (a data document made from the measurement
    // takes them) and empties the list.
    std::vector<std::unique_ptr<fw::CObject>> TakeAll() { return std::exchange(m_marks, {}); }

private:
    std::vector<std::unique_ptr<fw::CObject>> m_marks;
};
