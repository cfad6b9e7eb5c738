#include "project/views/PrjChDataView.h"

#include "common/calc/CashCalcuDataTank.h"
#include "common/calc/KivSPTankData.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/DataTankList.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridClipboard.h"
#include "grid/views/GridPane.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/DataTextOptions.h"
#include "project/views/ProjectMenus.h"

#include <algorithm>

FW_IMPLEMENT_DYNCREATE(CPrjChDataView, CPrjDataView)

FW_BEGIN_COMMANDS(CPrjChDataView, CPrjDataView)
FW_END_COMMANDS

namespace {

constexpr intptr_t kHintColumns = 12;
constexpr intptr_t kHintSetup = 16;
constexpr int32_t kRepaintFlags = 0x1 | 0x8 | 0x10 | 0x200;
constexpr int32_t kRowsFlag = 0x20;
constexpr const char* kCorner[] = {"名前", "単位", "最大値", "最小値", "平均値"};

bool TankHeaderText(CDataTankObject* tank, int32_t row, fw::CString& text)
{
    text.Empty();
    if (!tank)
        return true;
    switch (row) {
    case 0: text = tank->GetName(); break;
    case 1: text = tank->GetUnit(); break;
    case 2: tank->GetMaxText(text, true); break;
    case 3: tank->GetMinText(text, true); break;
    case 4: tank->GetAverageText(text, true); break;
    default: return false;
    }
    return true;
}

} // namespace

CPrjChDataView::CPrjChDataView() { m_nContextMenuId = static_cast<int32_t>(prjmenu::kDataListContext); }

CZELGridStyle* CPrjChDataView::GetPageStyle()
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc ? doc->GetTable(CKIV5980Doc::kTabChannelData) : nullptr;
}

void CPrjChDataView::ReadCell(CDataTankObject* tank, int32_t row, fw::CString& text)
{
    auto* cached = dynamic_cast<CCashCalcuDataTank*>(tank);
    if (cached)
        cached->SetCacheWindowPlacement(1);
    tank->GetValueText(row, text, true);
    if (cached)
        cached->SetCacheWindowPlacement(0);
}

void CPrjChDataView::ResetRowCount()
{
    CZELGridStyle* style = GetGrid()->GetStyle();
    CKIV5980Doc* doc = GetProjectDoc();
    if (!style || !doc || !m_pChannels)
        return;
    int rows = m_pChannels->GetMaxDataCount(0, -1);
    if (rows == 0)
        rows = doc->GetBoxArray().GetADSet().m_nNum;
    style->SetRowCount(rows);
    GetGrid()->ApplyStyle(false);
}

void CPrjChDataView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    switch (hint) {
    case kHintColumns: {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        if (!data || data->m_pDocument != GetDocument())
            return;
        if (data->m_changeFlags & kRowsFlag)
            ResetRowCount();
        if (data->m_changeFlags & (kRepaintFlags | kRowsFlag))
            GetGrid()->RedrawPanes();
        return;
    }
    case kHintSetup:
        GetGrid()->RedrawPanes();
        return;
    case kHintTransferBegins:
        m_bSuspended = true;
        m_bRepaintPending = false;
        return;
    case kHintTransferEnded:
        m_bSuspended = false;
        if (m_bRepaintPending) {
            m_bRepaintPending = false;
            GetGrid()->RedrawPanes();
        }
        return;
    default:
        CPrjDataView::OnUpdate(sender, hint, hintObject);
    }
}

// ---- texts ---------------------------------------------------------------------------------------

bool CPrjChDataView::GetTagText(fw::CString& text, int32_t col, int32_t row, int)
{
    if (row < 0 || row > 4 || col < 0 || col > 1)
        return false;
    if (col == 0) {
        text = kCorner[row];
        return true;
    }
    CKIV5980Doc* doc = GetProjectDoc();
    return doc && TankHeaderText(doc->GetBoxArray().GetTankList().GetTimeTank(), row, text);
}

bool CPrjChDataView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    if (m_bSuspended) {
        m_bRepaintPending = true;
        text.Empty();
        return true;
    }
    return TankHeaderText(GetColumnTank(col), row, text);
}

bool CPrjChDataView::GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    if (col == 0) {
        text.Format("%d", row + 1);
        return true;
    }
    CKIV5980Doc* doc = GetProjectDoc();
    if (CDataTankObject* time = doc ? doc->GetBoxArray().GetTankList().GetTimeTank() : nullptr)
        ReadCell(time, row, text);
    return true;
}

bool CPrjChDataView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    if (m_bSuspended) {
        m_bRepaintPending = true;
        return true;
    }
    if (CDataTankObject* tank = GetColumnTank(col))
        ReadCell(tank, row, text);
    return true;
}

// ---- editing -------------------------------------------------------------------------------------

bool CPrjChDataView::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    CDataTankObject* tank = GetColumnTank(col);
    if (!tank || IsMeasuringNow())
        return false;
    tank->GetValueText(row, text, false);
    return true;
}

bool CPrjChDataView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    CDataTankObject* tank = GetColumnTank(col);
    if (!tank || !tank->SetValueText(row, text))
        return false;
    CKIV5980Doc* doc = GetProjectDoc();
    doc->SetModifiedFlag(true);
    if (fromEditor) {
        tank->SetAverage(GetTankAverage(tank, 0, -1));
        doc->NotifyColumnsChanged(this, col, col, 0, true);
    }
    return true;
}

CZELGridRichWnd* CPrjChDataView::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key, bool byKey)
{
    const int32_t col = pane->GetCurrentCell().col;
    if (!GetColumnTank(col) || !CanEdit())
        return nullptr;
    // A typed lower-case e starts no number.
    return MakeNumericEditor(pane, rect, text, byKey ? "+-.E" : "+-.eE", ch, key, byKey);
}

CZELGridRichWnd* CPrjChDataView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect,
                                                  const fw::CString& text, fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CPrjChDataView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                        const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

void CPrjChDataView::OnEditorClosed()
{
    const int32_t col = GetGrid()->GetSheetPane()->GetCurrentCell().col;
    RecalcScale(col, 1);
    GetGrid()->InvalidateColumns(kIndexColumnHeader, col, col);
    if (CKIV5980Doc* doc = GetProjectDoc())
        doc->NotifyColumnsChanged(this, col, col, 0, true);
}

void CPrjChDataView::ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    if (!m_pChannels)
        return;
    m_pChannels->ClearBlock(firstCol, firstRow, lastCol, lastRow);
    RecalcScale(firstCol, lastCol - firstCol + 1);
}

void CPrjChDataView::OnFillDown()
{
    CPrjDataView::OnFillDown();
    const CCellRange sel = GetGrid()->GetSelection();
    RecalcScale(sel.left, sel.right - sel.left + 1);
    GetGrid()->RedrawPanes();
}

void CPrjChDataView::OnEditPaste()
{
    if (GetGrid()->GetActiveEditor() || !CanEdit()) {
        CPrjDataView::OnEditPaste();
        return;
    }
    fw::CWaitCursor wait;
    RecordSelection(kUndoBlock);
    if (!GetGrid()->PasteFromClipboard())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    RecalcScale(sel.left, sel.right - sel.left + 1);
    NotifySelectionColumns();
}

void CPrjChDataView::Undo()
{
    const int32_t rows = GetGrid()->GetSheetPane()->RowCount();
    CPrjDataView::Undo();
    if (GetGrid()->GetSheetPane()->RowCount() != rows)
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    RecalcScale(sel.left, sel.right - sel.left + 1);
    GetGrid()->RedrawPanes();
    GetProjectDoc()->NotifyColumnsChanged(this, sel.left, sel.right, 0, true);
}

// ---- text save -----------------------------------------------------------------------------------

void CPrjChDataView::OnTextSave()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return;
    tTextConvParam options = AppTextConvParam();
    if (IDataListTextSheet* sheet = fw::Installed<IDataListTextSheet>()) {
        if (!sheet->Run(options, GetGrid()->GetSelection(), *doc, this))
            return;
        AppTextConvParam() = options;
    }
    if (options.page == tTextConvParam::kPageSelection) {
        CPrjDataView::OnTextSave();
        return;
    }
    fw::FileDialogRequest request;
    if (options.page == tTextConvParam::kPageLob)
        request.filters.push_back(fw::FileFilter{fw::CString("CSV ﾌｧｲﾙ(*.csv)"), {fw::CString("*.csv")}});
    else if (options.page == tTextConvParam::kPageDadisp)
        request.filters.push_back(fw::FileFilter{fw::CString("DADiSP ﾌｧｲﾙ(*.hed *.dat)"), {fw::CString("*.hed")}});
    else {
        request.filters.push_back(fw::FileFilter{fw::CString("CSV ﾌｧｲﾙ(*.csv)"), {fw::CString("*.csv")}});
        request.filters.push_back(fw::FileFilter{fw::CString("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)"), {fw::CString("*.txt")}});
    }
    request.defaultExt = "csv";
    // Every block file is made new; none is overwritten.
    request.flags = fw::OFN_HIDEREADONLY;
    const fw::FileDialogResult result = fw::FileDialogs().Save(request);
    if (!result.ok || result.paths.empty())
        return;
    tTextConvParam& app = AppTextConvParam();
    const fw::CString base = TakeExportName(result.paths.front(), app.format);
    WriteSplitFiles(base, app);
}
