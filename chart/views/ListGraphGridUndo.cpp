// One step of undo in the list-graph dialogs' grids, and the commands that
// empty cells.

#include "chart/views/ListGraphGrids.h"

#include "common/tank/StringDataTank.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/Services.h"
#include "grid/model/GridJob.h"


void CListGraphGridBase::RecordUndo(CZELGridPane*, int change, const CCellRange*)
{
    // Typing changes the current cell, a paste or fill the selection.
    TakeSnapshot(change == kChangeEdit ? kUndoCell : kUndoRange);
}

bool CListGraphGridBase::TakeSnapshot(int32_t kind, int32_t column)
{
    auto file = std::make_unique<fw::CMemFile>();
    if (!WriteSnapshot(*file, kind, column)) {
        m_undo.reset();
        return false;
    }
    m_undo = std::move(file);
    return true;
}

bool CListGraphGridBase::WriteSnapshot(fw::CMemFile& file, int32_t kind, int32_t column)
{
    try {
        fw::CArchive ar(&file, fw::CArchive::store, 4096);
        ar << kind;
        SerializeUndoState(ar);
        CGridJob job;
        GetSelectionJob(job);
        job.Serialize(ar);
        CCellRange range = kind == kUndoCell ? CCellRange::Cell(job.m_current) : job.m_selection;
        if (kind == kUndoColumn) {
            ar << column;
            range.left = range.right = column;
        }
        WriteCells(ar, range);
        ar.Close();
        return true;
    } catch (const fw::CException&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void CListGraphGridBase::WriteCells(fw::CArchive& ar, const CCellRange& range)
{
    for (int32_t col = range.left; col <= range.right; ++col) {
        CDataTankObject* tank = CellTank(col);
        if (!tank)
            continue;
        const bool text = dynamic_cast<CStringDataTank*>(tank) != nullptr;
        for (int32_t row = range.top; row <= range.bottom; ++row) {
            if (text) {
                fw::CString value;
                tank->GetValueText(row, value, false);
                ar << value;
            } else {
                ar << tank->GetValue(row);
            }
        }
    }
}

void CListGraphGridBase::ReadCells(fw::CArchive& ar, const CCellRange& range)
{
    for (int32_t col = range.left; col <= range.right; ++col) {
        CDataTankObject* tank = CellTank(col);
        if (!tank)
            continue;
        const bool text = dynamic_cast<CStringDataTank*>(tank) != nullptr;
        for (int32_t row = range.top; row <= range.bottom; ++row) {
            if (text) {
                fw::CString value;
                ar >> value;
                tank->SetValueText(row, value);
            } else {
                double value = 0;
                ar >> value;
                tank->SetValue(row, value);
            }
        }
    }
}

void CListGraphGridBase::Undo()
{
    if (!m_undo)
        return;
    std::unique_ptr<fw::CMemFile> stored = std::move(m_undo);
    stored->SeekToBegin();
    try {
        fw::CArchive ar(stored.get(), fw::CArchive::load, 4096);
        int32_t kind = 0;
        ar >> kind;
        SerializeUndoState(ar);
        CGridJob job;
        job.Serialize(ar);
        ApplySelectionJob(job);
        CCellRange range = kind == kUndoCell ? CCellRange::Cell(job.m_current) : job.m_selection;
        int32_t column = -1;
        if (kind == kUndoColumn) {
            ar >> column;
            range.left = range.right = column;
        }
        // The cells as they are now become the next step back.
        TakeSnapshot(kind, column);
        ReadCells(ar, range);
        ar.Close();
    } catch (const fw::CException&) {
        m_undo.reset();
    }
    RedrawPanes();
}

void CListGraphGridBase::ClearSelectedCells()
{
    const CCellRange range = GetSelection();
    if (!range.IsValid())
        return;
    fw::CWaitCursor wait;
    TakeSnapshot(kUndoRange);
    for (int32_t col = range.left; col <= range.right; ++col) {
        CDataTankObject* tank = CellTank(col);
        if (!tank)
            continue;
        for (int32_t row = range.top; row <= range.bottom; ++row)
            tank->SetValueText(row, fw::CString());
    }
    RedrawPanes();
}

void CListGraphGridBase::CutSelection()
{
    fw::CWaitCursor wait;
    if (CopyToClipboard())
        ClearSelectedCells();
}

// --- the grids' tanks ---------------------------------------------------------------

CDataTankObject* CGraphListLabelGrid::CellTank(int32_t col) const
{
    return col >= 0 && col < 6 ? m_table.Column(col) : nullptr;
}

CDataTankObject* CScaleGrid::CellTank(int32_t col) const
{
    return col >= 0 && col < CGraphListScaleTable::kColumnsPerAxis ? m_table.ShownColumn(col) : nullptr;
}

void CScaleGrid::SerializeUndoState(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_table.GetOffset() == 0 ? 0 : 1);
        return;
    }
    int32_t tab = 0;
    ar >> tab;
    m_table.ShowAxis(tab == 0 ? 'X' : 'Y');
}
