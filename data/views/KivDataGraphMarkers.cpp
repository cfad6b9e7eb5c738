// The time marks of the graph list: made at the cursors, drawn on every
// row, selected with the marker tool, deleted, and kept in the undo record.

#include "data/views/KivDataGraphView.h"

#include "chart/model/DrawMarkerList.h"
#include "chart/model/GraphTimeListObj.h"
#include "data/model/KivDataDoc.h"
#include "data/views/KivDataGraphGrid.h"
#include "docbase/doc/UndoBuffer.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/RecordingSink.h"
#include "framework/core/Services.h"
#include "grid/views/GridPane.h"
#include "instrument/system/MarkerList.h"

#include <memory>

namespace {

constexpr int kColGraph = 0;

} // namespace

CDrawMarkerList* CKivDataGraphView::GetMarkerList() const
{
    return m_bMarkersInUndo ? m_markers.get() : nullptr;
}

void CKivDataGraphView::RebuildMarkers()
{
    m_markers->DeleteAll();
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return;
    CMarkerList& marks = doc->GetBoxArray().GetMarkers();
    for (fw::POSITION pos = marks.GetHeadPosition(); pos;)
        m_markers->AddTail(new CDrawGraphMarker(marks.GetNext(pos)));
}

void CKivDataGraphView::SetMarkerSelectMode(bool on)
{
    m_bMarkerSelect = on;
    if (auto* grid = dynamic_cast<CKivDataGraphGrid*>(GetGrid()))
        if (CKivDataGraphGridPane* pane = grid->GraphPane())
            pane->SetActiveTool(on ? 1 : 0);
}

void CKivDataGraphView::LayOutMarkers(int32_t row)
{
    CGraphTimeListObj* graph = GetGraphList();
    if (!GetMarkerList() || !graph || row < 0 || row >= graph->GetRowCount())
        return;
    fw::RecordingSink display;
    fw::CDC dc(&display);
    graph->DrawMarkers(dc, row, *m_markers);
}

void CKivDataGraphView::DrawRowMarkers(fw::CDC& dc, int32_t row)
{
    CKivDataDoc* doc = GetDataDoc();
    CGraphTimeListObj* graph = GetGraphList();
    if (!GetMarkerList() || !doc || !doc->IsShowingMarkers() || !graph)
        return;
    graph->DrawMarkers(dc, row, *m_markers);
    for (fw::POSITION pos = m_markers->GetHeadPosition(); pos;)
        m_markers->GetNext(pos)->DrawSelection(dc);
}

void CKivDataGraphView::CreateMarkersAtCursors(int flags)
{
    CKivDataDoc* doc = GetDataDoc();
    CGraphTimeListObj* graph = GetGraphList();
    if (!doc || !graph)
        return;
    RecordSelection(kUndoMarkers);
    int32_t cursors[2] = {-1, -1};
    graph->GetSelection(cursors[0], cursors[1]);
    const double interval = doc->GetSampleInterval();
    CMarkerList& marks = doc->GetBoxArray().GetMarkers();
    for (int i = 0; i < 2; ++i) {
        const int32_t index = cursors[i];
        if (!(flags & (1 << i)) || index < 0 || marks.FindByIndex(index))
            continue;
        auto* mark = new CMarkerObj(fw::COleDateTime(doc->GetStartTime() + index * interval / 86400.0), index);
        marks.InsertByTime(mark);
        m_markers->InsertByTime(new CDrawGraphMarker(mark));
    }
    GetGrid()->InvalidateColumns(kIndexSheet, kColGraph, kColGraph);
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(nullptr, kHintMarkers, nullptr);
}

void CKivDataGraphView::OnMarkersAtCursors(unsigned id)
{
    CreateMarkersAtCursors(static_cast<int>(id - kIdMarkerAtCursor1) + 1);
}

void CKivDataGraphView::OnUpdateMarkersAtCursors(fw::CCmdUI* ui)
{
    // The same rule as deleting between the cursors: both set, both on data.
    ui->Enable(CanDeleteRows());
}

void CKivDataGraphView::OnDeleteMarkers()
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc || !m_markers->HasSelection())
        return;
    if (m_markers->IsVoiceMarkerSelected()) {
        const fw::CString text("音声ファイルのマーカーは削除されません。\n\nこのまま続行しますか？");
        if (fw::Prompt().MessageBox(text, fw::MB_YESNO | fw::MB_ICONQUESTION, kMsgVoiceMarkers) != fw::IDYES)
            return;
    }
    RecordSelection(kUndoMarkers);
    m_markers->DeleteSelected(doc->GetBoxArray().GetMarkers());
    GetGrid()->InvalidateColumns(kIndexSheet, kColGraph, kColGraph);
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(nullptr, kHintMarkers, nullptr);
}

void CKivDataGraphView::OnUpdateDeleteMarkers(fw::CCmdUI* ui)
{
    CKivDataDoc* doc = GetDataDoc();
    ui->Enable(doc && !doc->IsEditLocked() && m_markers->HasSelection());
}

bool CKivDataGraphView::OnMarkerHint(intptr_t hint, fw::CObject* hintObject)
{
    if (hint != kHintMarkerSelection && hint != kHintMarkers)
        return false;
    if (GetMarkerList()) {
        if (hint == kHintMarkers)
            RebuildMarkers();
        else if (auto* other = dynamic_cast<CDrawMarkerList*>(hintObject); other && other != m_markers.get())
            m_markers->CopySelection(*other);
        if (GetGrid())
            GetGrid()->InvalidateColumns(kIndexSheet, kColGraph, kColGraph);
    }
    return true;
}

// ---- undo ----------------------------------------------------------------------------------------------

// The drawn markers travel with their marks and selection.
void CKivDataGraphView::WriteUndoExtra(fw::CArchive& ar)
{
    if (m_bMarkersInUndo)
        m_markers->Serialize(ar);
}

void CKivDataGraphView::ReadUndoExtra(fw::CArchive& ar)
{
    if (!m_bMarkersInUndo)
        return;
    m_markers->DeleteAll();
    m_markers->Serialize(ar);
    m_markers->StoreMarkers(GetDataDoc()->GetBoxArray().GetMarkers());
}

bool CKivDataGraphView::WriteMarkerRecord(fw::CMemFile& file)
{
    return CUndoBuffer::WriteRecord(file, kUndoMarkers, [this](fw::CArchive& ar) { WriteUndoExtra(ar); });
}

void CKivDataGraphView::Undo()
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc || !doc->GetUndoBuffer().CanUndo(CUndoBuffer::kDataViewKind))
        return;
    fw::CMemFile* stored = doc->GetUndoBuffer().GetSnapshot();
    if (!stored)
        return;
    int32_t code = 0;
    {
        fw::CArchive peek(stored, fw::CArchive::load, 4096);
        peek >> code;
        if (code == kUndoMarkers) {
            std::unique_ptr<fw::CMemFile> reverse = CUndoBuffer::NewSnapshotFile();
            const bool reversed = reverse && WriteMarkerRecord(*reverse);
            ReadUndoExtra(peek);
            if (reversed)
                doc->GetUndoBuffer().SetSnapshot(UndoOwner(), CUndoBuffer::kDataViewKind, std::move(reverse));
            else
                doc->GetUndoBuffer().Release(UndoOwner());
            GetGrid()->InvalidateColumns(kIndexSheet, kColGraph, kColGraph);
            doc->SetModifiedFlag(true);
            doc->UpdateAllViews(this, kHintMarkers, nullptr);
            doc->UpdateAllViews(this, kHintMarkerSelection, m_markers.get());
            return;
        }
    }
    CKivDataListViewBase::Undo();
}
