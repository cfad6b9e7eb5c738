#include "docbase/doc/UndoBuffer.h"

std::unique_ptr<fw::CMemFile> CUndoBuffer::NewSnapshotFile()
{
    return std::make_unique<fw::CMemFile>(kGrowBy);
}

void CUndoBuffer::SetSnapshot(fw::HWND owner, int32_t kind, std::unique_ptr<fw::CMemFile> file)
{
    m_owner = owner;
    m_kind = kind;
    m_snapshot = std::move(file);
}

fw::HWND CUndoBuffer::Release(fw::HWND owner)
{
    if (owner == 0 || owner == m_owner) {
        m_snapshot.reset();
        m_owner = 0;
        m_kind = 0;
    }
    return owner;
}

bool CUndoBuffer::CanUndo(int32_t kind) const
{
    return m_snapshot != nullptr && m_kind == kind;
}

fw::CMemFile* CUndoBuffer::GetSnapshot()
{
    if (m_snapshot)
        m_snapshot->SeekToBegin();
    return m_snapshot.get();
}
