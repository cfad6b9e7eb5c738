// Printing and the context menu of the data views.

#include "data/views/KivDataViewBase.h"

#include "common/calc/DataFormat.h"
#include "data/model/KivDataDoc.h"
#include "data/views/DataViewMenus.h"
#include "data/views/KivDataFrame.h"
#include "docview/controls/ContextMenus.h"
#include "docview/instrumentdlg/KivUnitMenu.h"
#include "framework/core/DC.h"
#include "framework/core/PrintInfo.h"
#include "framework/ui/Menu.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"

#include <algorithm>

namespace {

constexpr int kHeaderLines = 3;

} // namespace

bool CKivDataViewBase::s_bPrintAcrossFirst = false;

bool CKivDataViewBase::OnPreparePrinting(fw::CPrintInfo*) { return GetGrid() && GetGrid()->GetStyle(); }

int CKivDataViewBase::GetPageCount(fw::CDC& dc)
{
    const int32_t lastRow = std::max(GetLastUsedRow(0, -1), 0);
    const int32_t lastCol = std::max(SheetColumnCount() - 1, 0);
    return GetGrid()->CountPrintPages(dc, m_rcPrint, true, lastRow, lastCol, s_bPrintAcrossFirst);
}

void CKivDataViewBase::OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    fw::CFont font;
    font.CreatePointFontIndirect(m_printFont);
    fw::CFont* old = dc->SelectObject(&font);
    m_nPrintTextHeight = std::max(dc->GetTextExtent("0").cy, 1);
    dc->SelectObject(old);
    const int width = dc->GetDeviceCaps(fw::HORZRES);
    const int height = dc->GetDeviceCaps(fw::VERTRES);
    m_rcPrint = fw::CRect(m_nMarginLeft, m_nMarginTop + kHeaderLines * m_nPrintTextHeight, width - m_nMarginRight,
                          height - m_nMarginBottom);
    const int pages = GetGrid() ? GetPageCount(*dc) : 0;
    if (info)
        info->SetMaxPage(static_cast<unsigned>(std::max(pages, 1)));
}

void CKivDataViewBase::OnPrint(fw::CDC* dc, fw::CPrintInfo* info)
{
    OnDraw(dc);
    CZELSpredView::OnPrint(dc, info);
}

void CKivDataViewBase::OnDraw(fw::CDC* dc)
{
    CKivDataDoc* doc = GetDataDoc();
    if (!dc || !dc->IsPrinting() || !doc)
        return;
    fw::CFont font;
    font.CreatePointFontIndirect(m_printFont);
    fw::CFont* old = dc->SelectObject(&font);
    const int oldMode = dc->SetBkMode(fw::TRANSPARENT);
    const int h = m_nPrintTextHeight > 0 ? m_nPrintTextHeight : std::max(dc->GetTextExtent("0").cy, 1);
    fw::CString lines[kHeaderLines] = {doc->GetTestTitle()};
    if (CKivDataFrame* frame = GetDataFrame()) {
        frame->GetTimingText(lines[1], ' ');
        frame->GetRecordText(lines[2], ' ');
    }
    fw::CRect box(m_nMarginLeft, m_nMarginTop, dc->GetDeviceCaps(fw::HORZRES) - m_nMarginRight, m_nMarginTop + h);
    for (const fw::CString& line : lines) {
        dc->DrawText(line, &box, fw::DT_SINGLELINE | fw::DT_VCENTER | fw::DT_NOPREFIX);
        box.OffsetRect(0, h);
    }
    dc->SetBkMode(oldMode);
    dc->SelectObject(old);
}

void CKivDataViewBase::OnContextMenu(fw::CWnd*, fw::CPoint point) { ShowContextMenu(point); }

unsigned CKivDataViewBase::ShowContextMenu(fw::CPoint screen)
{
    if (auto* frame = GetParentFrame())
        frame->SetActiveView(this);
    const fw::CPoint at = appctl::ContextMenuPoint(*this, screen);
    datamenu::EnsureDataViewMenus();
    fw::CMenu menu;
    if (m_nContextMenuId <= 0 || !menu.LoadMenu(static_cast<unsigned>(m_nContextMenuId & 0xFFFF)))
        return 0;
    fw::CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return 0;
    fw::CMenu formats;
    if (popup->FindAction(datamenu::kFormatItem, fw::MF_BYCOMMAND) && formats.CreatePopupMenu()) {
        for (const CDataFormat::MenuItem& item : CDataFormat::DefaultMenuItems())
            formats.AppendMenu(fw::MF_STRING, item.command, item.text);
        const int pos = popup->PositionOf(datamenu::kFormatItem);
        const fw::CString caption = popup->GetMenuString(datamenu::kFormatItem, fw::MF_BYCOMMAND);
        popup->ModifyMenu(static_cast<unsigned>(pos), fw::MF_BYPOSITION | fw::MF_POPUP,
                          reinterpret_cast<uintptr_t>(formats.Detach()), caption);
    }
    CKivUnitMenu units;
    if (popup->FindAction(datamenu::kUnitItem, fw::MF_BYCOMMAND)) {
        units.LoadUnits(datamenu::kUnitItem);
        units.AttachToItem(*popup, datamenu::kUnitItem);
    }
    const unsigned id =
        popup->TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON | fw::TPM_RETURNCMD, at.x, at.y, this);
    if (id != 0)
        OnCmdMsg(id, fw::CN_COMMAND, nullptr, nullptr);
    return id;
}
