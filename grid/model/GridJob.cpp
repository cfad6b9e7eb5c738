#include "grid/model/GridJob.h"

#include "framework/core/Archive.h"

FW_IMPLEMENT_SERIAL(CGridJob, fw::CObject, 1)

void CGridJob::SetPosition(const CGridPosition& position)
{
    m_selection = position.selection;
    m_current = position.current;
    m_end = position.end;
    m_topLeft = position.topLeft;
}

void CGridJob::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_current.col << m_current.row << m_end.col << m_end.row << m_selection.left << m_selection.top
           << m_selection.right << m_selection.bottom << m_topLeft.col << m_topLeft.row;
    } else {
        ar >> m_current.col >> m_current.row >> m_end.col >> m_end.row >> m_selection.left >> m_selection.top
            >> m_selection.right >> m_selection.bottom >> m_topLeft.col >> m_topLeft.row;
    }
}
