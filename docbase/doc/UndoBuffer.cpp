#include "docbase/doc/UndoBuffer.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <new>

std::unique_ptr<fw::CMemFile> CUndoBuffer::NewSnapshotFile()
{
    return std::make_unique<fw::CMemFile>(kGrowBy);
}

bool CUndoBuffer::WriteRecord(fw::CMemFile& file, int32_t code, const std::function<void(fw::CArchive&)>& body)
{
    try {
        fw::CArchive ar(&file, fw::CArchive::store, 4096);
        ar << code;
        body(ar);
        ar.Close();
        return true;
    } catch (const fw::CException&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
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
