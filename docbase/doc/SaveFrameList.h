#pragma once

// The window placements of a data document's frames, kept in its file so
// that a reopened document comes back with its frames where they were. The
// keys only keep entries apart; after a load they are the stored numbers.
// Entries keep the order they were added or read in.

#include "docbase/doc/FramePlacement.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace fw {
class CArchive;
}

class CSaveFrameList {
public:
    using Entry = std::pair<uint32_t, FramePlacement>;

    // Storing first collects the frames of the archive's document's views.
    void Serialize(fw::CArchive& ar);

    // False when the key is already there.
    bool Add(uint32_t key, const FramePlacement& placement);
    void RemoveAll() { m_entries.clear(); }
    bool IsEmpty() const { return m_entries.empty(); }
    size_t GetCount() const { return m_entries.size(); }
    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};
