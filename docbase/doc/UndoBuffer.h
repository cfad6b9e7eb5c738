#pragma once

// The one-level undo store of a data document: one snapshot in memory,
// tagged with the view window that wrote it and a kind of its choosing.
// A view that cannot write a new snapshot drops its own old one, so that an
// old state is never applied over a changed one.

#include "framework/core/File.h"
#include "framework/core/Message.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace fw {
class CArchive;
}

class CUndoBuffer {
public:
    // The kind the data views use.
    static constexpr int32_t kDataViewKind = 512;
    static constexpr size_t kGrowBy = 1024;

    CUndoBuffer() = default;
    virtual ~CUndoBuffer() = default;
    CUndoBuffer(const CUndoBuffer&) = delete;
    CUndoBuffer& operator=(const CUndoBuffer&) = delete;

    // A new empty memory file for the caller to fill.
    static std::unique_ptr<fw::CMemFile> NewSnapshotFile();
    // Writes one record into a snapshot file: its code, then what `body`
    // stores. False when it could not be written (no memory, a store
    // failure); the caller then keeps no snapshot.
    static bool WriteRecord(fw::CMemFile& file, int32_t code, const std::function<void(fw::CArchive&)>& body);
    // Takes the file; the previous snapshot goes.
    void SetSnapshot(fw::HWND owner, int32_t kind, std::unique_ptr<fw::CMemFile> file);
    // Owner 0 or the storing owner: drops the snapshot. Returns `owner`.
    fw::HWND Release(fw::HWND owner);
    bool CanUndo(int32_t kind) const;
    // The snapshot, positioned at its start; null when there is none.
    fw::CMemFile* GetSnapshot();

    fw::HWND GetOwner() const { return m_owner; }
    int32_t GetKind() const { return m_kind; }

private:
    fw::HWND m_owner = 0;
    int32_t m_kind = 0;
    std::unique_ptr<fw::CMemFile> m_snapshot;
};
