#include "canvoicegps/views/settings/CanNodeBitsView.h"

#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/CanSigArray.h"
#include "canvoicegps/views/settings/CanNodeUpdate.h"
#include "canvoicegps/views/settings/CanSignalView.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridStyle.h"
#include "grid/views/Grid.h"
#include "grid/views/GridPane.h"
#include "project/model/KIV5980Doc.h"

FW_IMPLEMENT_DYNCREATE(CCanNodeBitsView, CProjectBaseView)

namespace {

constexpr int kIntel = 1;

void FixedPane(CZELPaneStyle& pane, uint32_t align, uint32_t flags)
{
    pane.m_format.lf.lfHeight = 90;
    pane.m_format.nAlign = align;
    pane.m_format.nFlags = flags;
}

} // namespace

CCanNodeBitsView::CCanNodeBitsView() = default;
CCanNodeBitsView::~CCanNodeBitsView()
{
    // The grid lets go of the style before the style goes.
    if (GetGrid() && GetGrid()->GetStyle() == m_style.get())
        SetGridStyle(nullptr);
}

void CCanNodeBitsView::OnInitialUpdate()
{
    m_style = std::make_unique<CZELGridStyle>();
    m_style->SetDimensions(1, 1, 1, 1, 8, 8);
    m_style->SetDefaultSizes(-16, -16, -16, -16, -16, -20);
    FixedPane(m_style->GetPane(kPaneCorner), 34, 0);
    FixedPane(m_style->GetPane(kPaneColumnHeader), 34, 0);
    FixedPane(m_style->GetPane(kPaneRowHeader), 34, 0);
    CZELPaneStyle& sheet = m_style->GetPane(kPaneSheet);
    FixedPane(sheet, 19, 3);
    sheet.m_crVertLine = 0x808080;
    sheet.m_crHorzLine = 0x808080;
    m_style->ApplySizes();
    CProjectBaseView::OnInitialUpdate();
    SetGridStyle(m_style.get());
}

void CCanNodeBitsView::ShowBits(bool send, CCanSigArray* sigArray, int32_t current)
{
    if (sigArray && current < 0)
        fw::ThrowInvalidArgException();
    m_direction = send ? 1 : 0;
    m_pSignals = sigArray;
    m_current = current;
    if (sigArray && current < sigArray->GetSize())
        if (C463CanMesSignal* signal = sigArray->GetAt(current))
            signal->UpdateBitMask();
    if (GetGrid())
        GetGrid()->RedrawPanes();
}

void CCanNodeBitsView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    auto* update = dynamic_cast<CCanNodeUpdate*>(hintObject);
    if (hint != CCanNodeUpdate::kHintCan || !update || !GetGrid())
        return;
    if (update->m_kind == CCanNodeUpdate::kLength ||
        (update->m_kind == CCanNodeUpdate::kAttribute && dynamic_cast<CCanSignalView*>(sender)))
        GetGrid()->RedrawPanes();
}

bool CCanNodeBitsView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    text = fw::Format("%d", 7 - col);
    return true;
}

bool CCanNodeBitsView::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    text = fw::Format("%d", row);
    return true;
}

bool CCanNodeBitsView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    if (!m_pSignals || col < 0 || col > 7 || row < 0 || row > 7)
        return true;
    const int user = m_pSignals->GetBitUser(BitOfCell(col, row));
    if (user > 0)
        text = fw::Format("%d", user);
    return true;
}

fw::COLORREF CCanNodeBitsView::CellColour(int32_t col, int32_t row) const
{
    const int user = m_pSignals ? m_pSignals->GetBitUser(BitOfCell(col, row)) : 0;
    if (user == 0)
        return kFreeColour;
    return user == m_current + 1 ? kCurrentColour : kOtherColour;
}

int CCanNodeBitsView::ArrowHead(int32_t col, int32_t row) const
{
    C463CanMesSignal* signal = m_pSignals && m_current >= 0 ? m_pSignals->GetAt(m_current) : nullptr;
    const int bit = BitOfCell(col, row);
    if (!signal || m_pSignals->GetBitUser(bit) != m_current + 1)
        return 0;
    int lsb = 0;
    int msb = 0;
    if (signal->GetByteOrder() == kIntel) {
        lsb = signal->GetStartBit();
        msb = lsb + signal->GetLength() - 1;
    } else {
        msb = signal->GetStartBit();
        lsb = static_cast<int>(signal->GetValue(canattr::kLsbPosition));
    }
    if (bit == lsb)
        return 1;
    return bit == msb ? 2 : 0;
}

void CCanNodeBitsView::DrawSheetCell(CZELDrawCell& cell)
{
    fw::CString text;
    GetSheetText(text, cell.m_nCol, cell.m_nRow, 1);
    fw::CDC* dc = cell.m_pDC;
    if (!m_pSignals || !dc || dc->IsPrinting()) {
        cell.DrawText(text);
        return;
    }
    const fw::CRect& r = cell.m_rcCell;
    dc->FillSolidRect(r, CellColour(cell.m_nCol, cell.m_nRow));
    cell.DrawText(text);
    if (m_pSignals->GetBitUser(BitOfCell(cell.m_nCol, cell.m_nRow)) != m_current + 1)
        return;
    // The signal's course, with heads pointing towards its more significant end.
    const int y = r.top + (r.bottom - r.top) * 3 / 4;
    const int centre = (r.left + r.right) / 2;
    const int head = ArrowHead(cell.m_nCol, cell.m_nRow);
    dc->MoveTo(r.left, y);
    dc->LineTo(head == 1 ? centre : r.right, y);
    if (head != 0) {
        const int tip = head == 1 ? centre : r.left;
        const int tail = tip + (r.right - r.left) / 2;
        dc->MoveTo(tip, y);
        dc->LineTo(tail, y - 3);
        dc->MoveTo(tip, y);
        dc->LineTo(tail, y + 3);
    }
}

void CCanNodeBitsView::OnCurrentCellChanged()
{
    CProjectBaseView::OnCurrentCellChanged();
    if (!m_active || !m_pSignals || !GetGrid())
        return;
    const CCellIndices cur = GetGrid()->GetSheetPane()->GetCurrentCell();
    if (cur.row < 0 || cur.col < 0)
        return;
    const int user = m_pSignals->GetBitUser(BitOfCell(cur.col, cur.row));
    if (user == 0)
        return;
    C463CanMesSignal* signal = m_pSignals->GetAt(user - 1);
    if (m_pSignalView) {
        m_pSignalView->ShowSignals(m_direction != 0, m_pSignalView->GetControlUnit(), m_pSignals, signal);
    } else {
        m_current = user - 1;
        GetGrid()->RedrawPanes();
    }
    if (CKIV5980Doc* doc = GetProjectDoc()) {
        CCanNodeUpdate update(CCanNodeUpdate::kSelected, signal, m_direction != 0);
        doc->UpdateAllViews(this, CCanNodeUpdate::kHintCan, &update);
    }
}
