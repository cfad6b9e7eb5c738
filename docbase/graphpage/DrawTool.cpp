#include "docbase/graphpage/DrawTool.h"

#include "docbase/graphpage/DrawObj.h"
#include "docbase/graphpage/ZELGraphViewDoc.h"

#include <algorithm>

int32_t CDrawTool::c_drawShape = CDrawTool::selection;
fw::CPoint CDrawTool::c_down;
unsigned CDrawTool::c_nDownFlags = 0;
fw::CPoint CDrawTool::c_last;

CSelectTool::SelectMode CSelectTool::c_selectMode = CSelectTool::none;
int CSelectTool::c_nDragHandle = 0;
fw::CPoint CSelectTool::c_lastLogical;

namespace {

// Half the side of the square around each object's top-left corner that
// must stay on the page while objects are dragged.
constexpr int kCornerHalf = 4;

fw::CRect BandRect(fw::CPoint from, fw::CPoint to)
{
    fw::CRect r(from, to);
    r.NormalizeRect();
    return r;
}

bool EditLocked(IGraphPageView* view)
{
    const CZELGraphViewDoc* doc = view->GetGraphDoc();
    return doc && doc->IsEditLocked();
}

} // namespace

CDrawTool* CDrawTool::FindTool(int32_t shape)
{
    // The program's list of tools: one selection tool.
    static CSelectTool selectTool;
    return shape == selectTool.GetShape() ? &selectTool : nullptr;
}

void CDrawTool::OnLButtonDown(IGraphPageView* view, unsigned flags, fw::CPoint point)
{
    view->CloseActiveItem();
    view->SetCapture();
    c_nDownFlags = flags;
    c_down = point;
    c_last = point;
}

void CDrawTool::OnLButtonUp(IGraphPageView* view, unsigned flags, fw::CPoint point)
{
    view->ReleaseCapture();
    if (point == c_down)
        c_drawShape = selection;
}

void CDrawTool::OnMouseMove(IGraphPageView* view, unsigned flags, fw::CPoint point)
{
    c_last = point;
    view->SetCursor(GraphCursor::arrow);
}

void CDrawTool::OnCancel()
{
    c_drawShape = selection;
}

void CSelectTool::OnLButtonDown(IGraphPageView* view, unsigned flags, fw::CPoint point)
{
    fw::CPoint local = point;
    view->ClientToDoc(local);
    c_selectMode = none;

    const CDrawObjList& selection = view->GetSelection();
    if (selection.size() == 1) {
        CDrawObj* object = selection.front();
        const int handle = object->HitTest(local, view, true);
        if (handle != 0) {
            c_selectMode = size;
            c_nDragHandle = handle;
        }
    }
    if (c_selectMode == none) {
        CZELGraphViewDoc* doc = view->GetGraphDoc();
        CDrawObj* object = doc ? doc->ObjectAt(local) : nullptr;
        if (object) {
            c_selectMode = move;
            if (!view->IsSelected(object))
                view->Select(object, (flags & kMouseShift) != 0);
            if (flags & kMouseControl)
                view->CloneSelection();
        }
    }
    if (c_selectMode == none) {
        if (!(flags & kMouseShift))
            view->Select(nullptr);
        c_selectMode = netSelect;
        view->DrawFocusRect(fw::CRect(point.x, point.y, point.x, point.y));
    }
    c_lastLogical = local;
    CDrawTool::OnLButtonDown(view, flags, point);
}

void CSelectTool::OnLButtonDblClk(IGraphPageView* view, unsigned flags, fw::CPoint point)
{
    if (flags & kMouseShift) {
        fw::CPoint local = point;
        view->ClientToDoc(local);
        CZELGraphViewDoc* doc = view->GetGraphDoc();
        if (CDrawObj* object = doc ? doc->ObjectAt(local) : nullptr)
            view->Deselect(object);
        return;
    }
    const CDrawObjList& selection = view->GetSelection();
    if (selection.size() == 1)
        selection.front()->OnOpen(view);
}

void CSelectTool::OnLButtonUp(IGraphPageView* view, unsigned flags, fw::CPoint point)
{
    if (view->HasCapture()) {
        if (c_selectMode == netSelect) {
            view->DrawFocusRect(BandRect(c_down, c_last));
            view->SelectWithinRect(BandRect(c_down, point), true);
        } else if (c_selectMode != none) {
            view->UpdateOtherViews();
        }
    }
    CDrawTool::OnLButtonUp(view, flags, point);
}

void CSelectTool::OnMouseMove(IGraphPageView* view, unsigned flags, fw::CPoint point)
{
    if (!view->HasCapture()) {
        const CDrawObjList& selection = view->GetSelection();
        if (selection.size() == 1 && !EditLocked(view)) {
            fw::CPoint local = point;
            view->ClientToDoc(local);
            CDrawObj* object = selection.front();
            if (const int handle = object->HitTest(local, view, true)) {
                view->SetCursor(object->GetHandleCursor(handle));
                return;
            }
        }
        CDrawTool::OnMouseMove(view, flags, point);
        return;
    }

    if (c_selectMode == netSelect) {
        view->DrawFocusRect(BandRect(c_down, c_last));
        view->DrawFocusRect(BandRect(c_down, point));
        c_last = point;
        return;
    }
    if (c_selectMode == none || EditLocked(view))
        return;

    fw::CPoint local = point;
    view->ClientToDoc(local);
    const CDrawObjList selection = view->GetSelection();
    if (c_selectMode == move) {
        int dx = local.x - c_lastLogical.x;
        int dy = local.y - c_lastLogical.y;
        fw::CRect corners;
        for (const CDrawObj* object : selection) {
            fw::CRect r = object->m_position;
            r.NormalizeRect();
            const fw::CRect square(r.left - kCornerHalf, r.top - kCornerHalf, r.left + kCornerHalf,
                                   r.top + kCornerHalf);
            corners.UnionRect(corners, square);
        }
        const CZELGraphViewDoc* doc = view->GetGraphDoc();
        const fw::CSize page = doc ? doc->GetPageSize() : fw::CSize();
        fw::CRect moved = corners;
        moved.OffsetRect(dx, dy);
        if (moved.top < 0 || moved.bottom > page.cy)
            dy = 0;
        if (moved.left < 0 || moved.right > page.cx)
            dx = 0;
        for (CDrawObj* object : selection) {
            fw::CRect r = object->m_position;
            r.OffsetRect(dx, dy);
            object->MoveTo(r, view);
        }
    } else {
        for (CDrawObj* object : selection)
            object->MoveHandleTo(c_nDragHandle, local, view);
    }
    c_lastLogical = local;
    c_last = point;
    if (c_selectMode == size && selection.size() == 1)
        view->SetCursor(selection.front()->GetHandleCursor(c_nDragHandle));
    else
        view->SetCursor(GraphCursor::arrow);
}

void CSelectTool::OnEditProperties(IGraphPageView* view)
{
    const CDrawObjList& selection = view->GetSelection();
    if (selection.size() == 1)
        selection.front()->OnEditProperties();
}
