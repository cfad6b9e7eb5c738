// The time marks on the GPS track: placed at their samples, selected with
// the marker tool, deleted with one level of undo, and the track's
// context menu.

#include "canvoicegps/views/data/GpsGraphView.h"

#include "chart/model/DrawMarker.h"
#include "chart/model/DrawMarkerList.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/LinearPlot.h"
#include "common/tank/DataTankObject.h"
#include "data/model/KivDataDoc.h"
#include "data/views/KivDataFrame.h"
#include "docbase/doc/UndoBuffer.h"
#include "docview/controls/ContextMenus.h"
#include "docview/controls/ZELEdit.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/Services.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/Menu.h"
#include "instrument/system/MarkerList.h"

#include <QLineEdit>

#include <cmath>

namespace {

double ValueAt(CDataTankObject* tank, int32_t sample)
{
    if (!tank || sample < 0 || sample >= tank->GetDataCount())
        return NAN;
    return tank->GetValue(sample);
}

} // namespace

void CGpsGraphView::RebuildMarkers()
{
    m_bMarkersChanged = true;
    m_markers->DeleteAll();
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return;
    CMarkerList& marks = doc->GetBoxArray().GetMarkers();
    for (fw::POSITION pos = marks.GetHeadPosition(); pos;)
        m_markers->AddTail(new CDrawGPSMarker(marks.GetNext(pos)));
}

void CGpsGraphView::DrawMarkers(fw::CDC& dc, const fw::CRect& plot)
{
    CGpsGraphDraw& draw = m_track.Draw();
    CGraphParamArray* series = draw.GetSeries(CGpsTrackPicture::kTrackSeries);
    CLinearPlot* linear = draw.GetSeriesPlot();
    if (!series || !linear)
        return;
    CDataTankObject* xTank = series->GetItemTank(0);
    CDataTankObject* yTank = series->GetItemTank(1);
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    for (fw::POSITION pos = m_markers->GetHeadPosition(); pos;) {
        CDrawMarker* marker = m_markers->GetNext(pos);
        const int32_t sample = marker->GetMark() ? marker->GetMark()->GetSampleIndex() : -1;
        const double x = ValueAt(xTank, sample);
        const double y = ValueAt(yTank, sample);
        int32_t dx = CDrawMarker::kNotPlaced;
        int32_t dy = CDrawMarker::kNotPlaced;
        if (std::isfinite(x) && std::isfinite(y))
            linear->DataToDevice(x, y, dx, dy, &draw.Record());
        marker->SetPosition(dx, dy);
        marker->Draw(dc, plot);
        marker->DrawSelection(dc);
    }
    m_bMarkersChanged = false;
    dc.RestoreDC(saved);
}

// ---- the marker tool -------------------------------------------------------------------------------

void CGpsGraphView::SetMarkerMode(int32_t mode)
{
    if (mode == m_nMarkerMode)
        return;
    if (m_nMarkerMode == 0)
        Invalidate();
    m_nMarkerMode = mode;
}

void CGpsGraphView::FollowMarkerMode(int32_t mode)
{
    SetMarkerMode(mode);
    NotifyMarkersChanged();
}

CGpsGraphTool* CGpsGraphView::ActiveTool()
{
    return m_nMarkerMode == 0 ? nullptr : CGpsGraphTool::FindTool(m_nMarkerMode);
}

void CGpsGraphView::OnLButtonDown(unsigned flags, fw::CPoint point)
{
    // A click makes the track the page's active view, as in the lists.
    if (fw::CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() != this)
        frame->SetActiveView(this);
    SetFocus();
    if (CGpsGraphTool* tool = ActiveTool())
        tool->OnLButtonDown(*this, flags, point);
}

void CGpsGraphView::OnLButtonUp(unsigned flags, fw::CPoint point)
{
    if (CGpsGraphTool* tool = ActiveTool())
        tool->OnLButtonUp(*this, flags, point);
}

void CGpsGraphView::OnLButtonDblClk(unsigned flags, fw::CPoint point)
{
    if (CGpsGraphTool* tool = ActiveTool())
        tool->OnLButtonDblClk(*this, flags, point);
}

void CGpsGraphView::OnMouseMove(unsigned flags, fw::CPoint point)
{
    if (CGpsGraphTool* tool = ActiveTool())
        tool->OnMouseMove(*this, flags, point);
}

void CGpsGraphView::ShowRubberBand(const fw::CRect& band)
{
    m_rcBand = band;
    Invalidate(false);
}

void CGpsGraphView::NotifyMarkersChanged()
{
    if (fw::CDocument* doc = GetDocument())
        doc->UpdateAllViews(this, kHintMarkerSelection, m_markers.get());
}

void CGpsGraphView::SelectMarkers(int left, int top, int right, int bottom, bool add)
{
    if (!add)
        m_markers->ClearSelection();
    if (left == right && top == bottom)
        m_markers->SelectAt(fw::CPoint(left, top), add);
    else
    {
        fw::CRect rect(left, top, right, bottom);
        rect.NormalizeRect();
        m_markers->SelectInRect(rect, add);
    }
    Invalidate(false);
    NotifyMarkersChanged();
}

void CGpsGraphView::HitMarker(int x, int y) { m_markers->ActivateAt(fw::CPoint(x, y)); }

// ---- deleting and undo -----------------------------------------------------------------------------

void CGpsGraphView::OnDeleteMarkers()
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc || doc->IsEditLocked() || !m_markers->HasSelection())
        return;
    if (m_markers->IsVoiceMarkerSelected()) {
        const fw::CString text("音声ファイルのマーカーは削除されません。\n\nこのまま続行しますか？");
        if (fw::Prompt().MessageBox(text, fw::MB_YESNO | fw::MB_ICONQUESTION, kMsgVoiceMarkers) != fw::IDYES)
            return;
    }
    SaveUndo();
    m_markers->DeleteSelected(doc->GetBoxArray().GetMarkers());
    m_bMarkersChanged = true;
    Invalidate(false);
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(nullptr, kHintMarkers, nullptr);
}

void CGpsGraphView::OnUpdateDeleteMarkers(fw::CCmdUI* ui)
{
    CKivDataDoc* doc = GetDataDoc();
    ui->Enable(doc && !doc->IsEditLocked() && m_markers->HasSelection());
}

bool CGpsGraphView::CanUndo() const
{
    CKivDataDoc* doc = GetDataDoc();
    return doc && doc->GetUndoBuffer().GetOwner() == GetSafeHwnd() &&
           doc->GetUndoBuffer().CanUndo(CUndoBuffer::kDataViewKind);
}

void CGpsGraphView::OnUpdateUndo(fw::CCmdUI* ui)
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc || doc->IsEditLocked()) {
        ui->Enable(false);
        return;
    }
    if (CZELEdit* edit = FocusedEdit())
        ui->Enable(edit->Line() && edit->Line()->isUndoAvailable());
    else
        ui->Enable(CanUndo());
}

bool CGpsGraphView::WriteUndoRecord(fw::CMemFile& file)
{
    return CUndoBuffer::WriteRecord(file, kUndoMarkers, [this](fw::CArchive& ar) { m_markers->Serialize(ar); });
}

void CGpsGraphView::SaveUndo()
{
    CKivDataDoc* doc = GetDataDoc();
    std::unique_ptr<fw::CMemFile> file = CUndoBuffer::NewSnapshotFile();
    if (!doc || !file)
        return;
    if (WriteUndoRecord(*file))
        doc->GetUndoBuffer().SetSnapshot(GetSafeHwnd(), CUndoBuffer::kDataViewKind, std::move(file));
    else
        doc->GetUndoBuffer().Release(GetSafeHwnd());
}

void CGpsGraphView::LoadMarkers(fw::CArchive& ar)
{
    m_bMarkersChanged = true;
    m_markers->DeleteAll();
    m_markers->Serialize(ar);
    m_markers->StoreMarkers(GetDataDoc()->GetBoxArray().GetMarkers());
}

void CGpsGraphView::RestoreUndo()
{
    CKivDataDoc* doc = GetDataDoc();
    fw::CMemFile* stored = doc ? doc->GetUndoBuffer().GetSnapshot() : nullptr;
    if (!stored)
        return;
    fw::CArchive ar(stored, fw::CArchive::load, 4096);
    int32_t kind = 0;
    ar >> kind;
    if (kind != kUndoMarkers)
        return;
    std::unique_ptr<fw::CMemFile> reverse = CUndoBuffer::NewSnapshotFile();
    const bool reversed = reverse && WriteUndoRecord(*reverse);
    LoadMarkers(ar);
    if (reversed)
        doc->GetUndoBuffer().SetSnapshot(GetSafeHwnd(), CUndoBuffer::kDataViewKind, std::move(reverse));
    else
        doc->GetUndoBuffer().Release(GetSafeHwnd());
    Invalidate(false);
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(this, kHintMarkers, nullptr);
    doc->UpdateAllViews(this, kHintMarkerSelection, m_markers.get());
}

void CGpsGraphView::OnEditUndo()
{
    if (CZELEdit* edit = FocusedEdit())
        edit->Undo();
    else if (CanUndo())
        RestoreUndo();
}

// ---- context menu ----------------------------------------------------------------------------------

void CGpsGraphView::BuildContextMenu(fw::CMenu& menu)
{
    menu.AppendMenu(fw::MF_STRING, kIdUndo, "元に戻す(&U)");
    menu.AppendMenu(fw::MF_SEPARATOR);
    menu.AppendMenu(fw::MF_STRING, kIdShowMarkers, "マーカーの表示");
    menu.AppendMenu(fw::MF_SEPARATOR);
    menu.AppendMenu(fw::MF_STRING, kIdSelectMarkers, "マーカーの選択");
    menu.AppendMenu(fw::MF_STRING, kIdDeleteMarkers, "マーカーの削除");
}

void CGpsGraphView::OnContextMenu(fw::CWnd*, fw::CPoint point)
{
    fw::CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    BuildContextMenu(menu);
    const fw::CPoint at = appctl::ContextMenuPoint(*this, point);
    const unsigned id = menu.TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON | fw::TPM_RETURNCMD, at.x, at.y,
                                            appctl::TopLevelOwner(*this));
    // The marker display and tool commands belong to the frame.
    if (id != 0 && !OnCmdMsg(id, fw::CN_COMMAND, nullptr, nullptr))
        if (fw::CFrameWnd* frame = GetParentFrame())
            frame->OnCmdMsg(id, fw::CN_COMMAND, nullptr, nullptr);
}
