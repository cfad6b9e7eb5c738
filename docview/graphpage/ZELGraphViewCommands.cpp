// The edit and object commands of the graph-page view.

#include "docbase/graphpage/DrawObj.h"
#include "docbase/graphpage/DrawTool.h"
#include "docbase/graphpage/GraphPageClipboard.h"
#include "docview/graphpage/ZELGraphView.h"
#include "framework/core/Clipboard.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/Exceptions.h"
#include "framework/core/WindowPlacement.h"
#include "framework/ui/FrameWnd.h"

#include <algorithm>

bool CZELGraphView::CanEditSelection(bool needDelete, bool needCopy) const
{
    if (m_selection.empty())
        return false;
    const CZELGraphViewDoc* doc = GetDocument();
    if (needDelete && (!doc || doc->IsEditLocked()))
        return false;
    return std::all_of(m_selection.begin(), m_selection.end(), [&](CDrawObj* object) {
        return (!needDelete || object->CanDelete()) && (!needCopy || object->CanCopy());
    });
}

void CZELGraphView::OnEditSelectAll()
{
    if (CZELGraphViewDoc* doc = GetDocument()) {
        for (CDrawObj* object : doc->GetObjects())
            Select(object, true);
    }
}

void CZELGraphView::OnUpdateEditSelectAll(fw::CCmdUI* ui)
{
    const CZELGraphViewDoc* doc = GetDocument();
    ui->Enable(doc && !doc->GetObjects().empty());
}

void CZELGraphView::OnEditClear()
{
    CZELGraphViewDoc* doc = GetDocument();
    if (!doc)
        return;
    const CDrawObjList doomed = m_selection;
    CDrawObjListHint hint(doomed);
    doc->UpdateAllViews(nullptr, kHintDeletingList, &hint);
    for (CDrawObj* object : doomed)
        InvalObj(object);
    m_selection.clear();
    for (CDrawObj* object : doomed) {
        doc->RemoveObject(object);
        object->Remove();
    }
}

void CZELGraphView::OnUpdateEditClear(fw::CCmdUI* ui)
{
    ui->Enable(CanEditSelection(true, false));
}

void CZELGraphView::OnEditCopy()
{
    if (m_selection.empty())
        return;
    const std::vector<uint8_t> bytes = StoreDrawObjects(m_selection);
    fw::IClipboard& clipboard = fw::Clipboard();
    clipboard.Clear();
    clipboard.SetData(fw::kZelAppMime, bytes);
}

void CZELGraphView::OnUpdateEditCopy(fw::CCmdUI* ui)
{
    ui->Enable(CanEditSelection(false, true));
}

void CZELGraphView::OnEditCut()
{
    OnEditCopy();
    OnEditClear();
}

void CZELGraphView::OnUpdateEditCut(fw::CCmdUI* ui)
{
    ui->Enable(CanEditSelection(true, true));
}

void CZELGraphView::OnEditPaste()
{
    CZELGraphViewDoc* doc = GetDocument();
    if (!doc || doc->IsEditLocked())
        return;
    InvalidateSelection();
    m_selection.clear();

    fw::IClipboard& clipboard = fw::Clipboard();
    const auto bytes = clipboard.GetData(fw::kZelAppMime);
    if (!bytes)
        return;  // foreign data would become an embedded object; there is no container for one
    CDrawObjList pasted;
    try {
        pasted = LoadDrawObjects(*bytes, doc);
    } catch (const std::exception& e) {
        // Damaged data pastes nothing; the user is told why.
        fw::ReportException(e);
        return;
    }
    const fw::CRect page = doc->GetPageRect();
    for (CDrawObj* object : pasted) {
        doc->AddObject(object);
        object->RecalcPosition(page);
        m_selection.push_back(object);
    }
    doc->SetModifiedFlag();
    CDrawObjListHint hint(m_selection);
    doc->UpdateAllViews(nullptr, kHintInvalidateList, &hint);
}

void CZELGraphView::OnUpdateEditPaste(fw::CCmdUI* ui)
{
    const CZELGraphViewDoc* doc = GetDocument();
    ui->Enable(doc && !doc->IsEditLocked() && fw::Clipboard().HasFormat(fw::kZelAppMime));
}

void CZELGraphView::OnUpdateAlwaysDisabled(fw::CCmdUI* ui)
{
    ui->Enable(false);
}

void CZELGraphView::OnDrawAreaLock()
{
    CZELGraphViewDoc* doc = GetDocument();
    if (!doc || doc->IsEditLocked())
        return;
    doc->SetAreaLock(!doc->IsAreaLocked());
    SetScrollSizes(doc->GetPageSize());
    if (doc->IsAreaLocked())
        ResizeFrameBy(doc->GetPageSize(), false);  // the frame fits the page, growing or shrinking
    else
        ResizeFrameToPage();
}

void CZELGraphView::ResizeFrameToPage()
{
    // The page is drawn by the view's own widget without scroll bars, so the
    // window that shows all of it is the page itself.
    if (const CZELGraphViewDoc* doc = GetDocument())
        ResizeFrameBy(doc->GetPageSize(), true);
}

void CZELGraphView::ResizeFrameBy(fw::CSize viewSize, bool normal)
{
    fw::CFrameWnd* frame = GetParentFrame();
    fw::WINDOWPLACEMENT wp;
    if (!frame || !frame->GetWindowPlacement(&wp))
        return;
    const fw::CRect client = GetClientRect();
    if (normal)
        wp.showCmd = fw::SW_SHOWNORMAL;
    wp.rcNormalPosition.right += viewSize.cx - client.Width();
    wp.rcNormalPosition.bottom += viewSize.cy - client.Height();
    frame->SetWindowPlacement(&wp);
}

void CZELGraphView::OnUpdateDrawAreaLock(fw::CCmdUI* ui)
{
    const CZELGraphViewDoc* doc = GetDocument();
    ui->Enable(doc && !doc->IsEditLocked());
    ui->SetCheck(doc && doc->IsAreaLocked() ? 1 : 0);
}

void CZELGraphView::OnObjectProperties()
{
    if (CDrawTool* tool = CDrawTool::CurrentTool())
        tool->OnEditProperties(this);
}

void CZELGraphView::OnUpdateSingleSelection(fw::CCmdUI* ui)
{
    ui->Enable(m_selection.size() == 1);
}

void CZELGraphView::OnObjectResetSize()
{
    const CZELGraphViewDoc* doc = GetDocument();
    if (!doc || doc->IsEditLocked())
        return;
    const CDrawObjList selection = m_selection;
    for (CDrawObj* object : selection)
        object->ResetSize();
}

void CZELGraphView::OnUpdateObjectResetSize(fw::CCmdUI* ui)
{
    const CZELGraphViewDoc* doc = GetDocument();
    ui->Enable(!m_selection.empty() && doc && !doc->IsEditLocked());
}

void CZELGraphView::OnObjectMoveToFront()
{
    CZELGraphViewDoc* doc = GetDocument();
    if (!doc || doc->IsEditLocked() || m_selection.size() != 1)
        return;
    doc->MoveObject(m_selection.front(), true);
    Invalidate(true);
}

void CZELGraphView::OnUpdateObjectMoveToFront(fw::CCmdUI* ui)
{
    const CZELGraphViewDoc* doc = GetDocument();
    ui->Enable(doc && !doc->IsEditLocked() && m_selection.size() == 1 && !doc->GetObjects().empty() &&
               doc->GetObjects().back() != m_selection.front());
}

void CZELGraphView::OnObjectMoveToBack()
{
    CZELGraphViewDoc* doc = GetDocument();
    if (!doc || doc->IsEditLocked() || m_selection.size() != 1)
        return;
    doc->MoveObject(m_selection.front(), false);
    Invalidate(true);
}

void CZELGraphView::OnUpdateObjectMoveToBack(fw::CCmdUI* ui)
{
    const CZELGraphViewDoc* doc = GetDocument();
    ui->Enable(doc && !doc->IsEditLocked() && m_selection.size() == 1 && !doc->GetObjects().empty() &&
               doc->GetObjects().front() != m_selection.front());
}

void CZELGraphView::OnCancelEditCntr()
{
    CloseActiveItem();
    ReleaseCapture();
}
