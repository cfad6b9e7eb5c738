#include "project/views/ProjectBaseView.h"
#include "project/views/pages/PageDrawing.h"

#include "docbase/doc/UpdateHints.h"
#include "docview/controls/ContextMenus.h"
#include "docview/instrumentdlg/UnitTypeTable.h"
#include "framework/core/Exceptions.h"
#include "framework/core/DC.h"
#include "framework/core/Services.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/Menu.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/unit/KivUnit.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "project/views/DataFileRename.h"
#include "project/views/ProjectFrame.h"
#include "project/views/ProjectMenus.h"
#include "project/views/RenameDlgs.h"
#include "project/views/ReNamePrf.h"
#include "project/views/pages/HistoryPageServices.h"

#include <QWidget>

FW_IMPLEMENT_DYNCREATE(CProjectBaseView, CDocTableView)

FW_BEGIN_COMMANDS(CProjectBaseView, CDocTableView)
    FW_ON_COMMAND(CProjectBaseView::kIdRenameDataFile, &CProjectBaseView::OnRenameDataFile)
    FW_ON_UPDATE(CProjectBaseView::kIdRenameDataFile, &CProjectBaseView::OnUpdateRename)
    FW_ON_COMMAND(CProjectBaseView::kIdChangeTestTitle, &CProjectBaseView::OnChangeTestTitle)
    FW_ON_UPDATE(CProjectBaseView::kIdChangeTestTitle, &CProjectBaseView::OnUpdateRename)
    FW_ON_COMMAND(CProjectBaseView::kIdMeterSetup, &CProjectBaseView::OnMeterSetup)
    FW_ON_UPDATE(CProjectBaseView::kIdMeterSetup, &CProjectBaseView::OnUpdateSetup)
    FW_ON_COMMAND(CProjectBaseView::kIdAdSetup, &CProjectBaseView::OnAdSetup)
    FW_ON_UPDATE(CProjectBaseView::kIdAdSetup, &CProjectBaseView::OnUpdateSetup)
FW_END_COMMANDS

namespace {

constexpr intptr_t kHintRepaint = 0;
constexpr intptr_t kHintColumns = 12;
constexpr intptr_t kHintSetup = 16;
constexpr intptr_t kHintPaneMetrics = 30;
constexpr int kCodeOn = 0;
constexpr int kCodeSource = 23;
constexpr int kCodeUnitType = -2;

const CUnitTypeTable& UnitTypes()
{
    static CUnitTypeTable table = [] {
        CUnitTypeTable t;
        t.Load();
        return t;
    }();
    return table;
}

} // namespace

CKIV5980Doc* CProjectBaseView::GetProjectDoc() const { return dynamic_cast<CKIV5980Doc*>(GetDocument()); }

void CProjectBaseView::OnInitialUpdate()
{
    CZELSpredView::OnInitialUpdate();
    if (!m_bMenuRouted) {
        m_bMenuRouted = true;
        appctl::RouteContextMenu(Widget(), [this](fw::CPoint screen) { ShowContextMenu(screen); });
    }
}

void CProjectBaseView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    CZELViewGrid* grid = GetGrid();
    if (!grid || !grid->GetStyle())
        return;
    auto sentByKin = [&] {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        return data && data->IsSentBy(GetDocument(), GetRuntimeClass());
    };
    switch (hint) {
    case kHintRepaint:
    case kHintSetup:
        grid->RedrawPanes();
        break;
    case kHintColumns:
        if (sentByKin())
            grid->RedrawPanes();
        break;
    case kHintTestTitleChanged:
        if (Widget() && Widget()->isVisible()) {
            if (auto* frame = dynamic_cast<CProjectFrame*>(GetParentFrame())) {
                frame->SyncTitleEdit();
                frame->UpdateFrameBar();
            }
        } else if (sentByKin()) {
            grid->RedrawPanes();
        }
        break;
    case kHintPaneMetrics:
        grid->ResetPaneMetrics();
        break;
    default:
        break;
    }
}

// ---- document notices -----------------------------------------------------------------------------

void CProjectBaseView::AnnounceColumns(int32_t firstCol, int32_t lastCol)
{
    if (CKIV5980Doc* doc = GetProjectDoc())
        doc->NotifyColumnsChanged(this, firstCol, lastCol, 0, true);
}

void CProjectBaseView::AfterUndo(const CCellRange& range, bool rowsChanged)
{
    OnUndone(range);
    CDocTableView::AfterUndo(range, rowsChanged);
}

void CProjectBaseView::GetFrameLines(std::vector<fw::CString>& lines, char sep)
{
    if (!m_bTimingLine)
        return;
    fw::CString timing;
    if (auto* frame = dynamic_cast<CProjectFrame*>(GetParentFrame()))
        frame->GetTimingText(timing, sep);
    lines.push_back(timing);
}

// ---- state ---------------------------------------------------------------------------------------

bool CProjectBaseView::IsMeasuringProject() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc && ProjectHost().IsMeasuring(*doc);
}

bool CProjectBaseView::OnEditLock()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return false;
    doc->ToggleEditLock();
    if (auto* frame = dynamic_cast<CProjectFrame*>(GetParentFrame()))
        frame->SetBarReadOnly(doc->IsEditLocked());
    return doc->IsEditLocked();
}

// ---- channel setters -----------------------------------------------------------------------------

void CProjectBaseView::AfterColumnChange(int32_t firstCol, int32_t lastCol, bool channelList)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (channelList)
        doc->RebuildChannels();
    GetGrid()->RedrawPanes();
    doc->SetModifiedFlag(true);
    doc->NotifyColumnsChanged(this, firstCol, lastCol, 0, true);
}

bool CProjectBaseView::SetSelectionAttributeText(int32_t col, int code, const fw::CString& text, int rowOffset)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return false;
    CPollingPause pause;
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        const int channel = rowOffset + row;
        if (!doc->GetBoxArray().IsChannelAttrEditable(channel, code))
            continue;
        if (!doc->SetChannelText(code, col, channel, text, nullptr))
            break;
        any = true;
    }
    if (any)
        AfterColumnChange(sel.left, sel.right, code == kCodeOn);
    return any;
}

bool CProjectBaseView::SetSelectionAttributeValue(int32_t col, int code, double value, int rowOffset)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return false;
    CPollingPause pause;
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    if (code == kCodeSource) {
        any = doc->SetChannelRangeValue(rowOffset + sel.top, rowOffset + sel.bottom, static_cast<int>(value), code);
    } else {
        for (int32_t row = sel.top; row <= sel.bottom; ++row) {
            const int channel = rowOffset + row;
            if (!doc->GetBoxArray().IsChannelAttrEditable(channel, code))
                continue;
            if (!doc->SetChannelAttribute(code, col, channel, value, nullptr))
                break;
            any = true;
        }
    }
    if (any)
        AfterColumnChange(sel.left, sel.right, code == kCodeOn);
    return any;
}

// ---- row headers ---------------------------------------------------------------------------------

bool CProjectBaseView::GetChannelRowLabel(fw::CString& text, int32_t kind, int32_t row) const
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return false;
    CBoxArray& system = doc->GetBoxArray();
    if (row < 0 || row >= system.GetMapSize())
        throw fw::CInvalidArgException();
    const tagBOXCH entry = system.GetMapEntry(row);
    const CBoxPropaty* box = system.GetBox(entry.box);
    const tagBOXCH unit = box->GetChannelRef(entry.ch);
    switch (kind) {
    case 0:
        text.Format("%d", row + 1);
        break;
    case 1:
        text = box->GetName();
        break;
    case 2: {
        const int type = static_cast<int>(system.GetChannelValue(row, kCodeUnitType));
        fw::CString name;
        try {
            name = UnitTypes().GetTypeName(type);
        } catch (const fw::CInvalidArgException&) {
        }
        text.Format("%s(%d)", name.c_str(), unit.box + 1);
        break;
    }
    case 3: {
        // Box channels count on from the unit's first channel.
        const CKivUnit* u = box->GetMeter() ? box->GetMeter()->GetUnit(unit.box) : nullptr;
        text.Format("%d", u ? unit.ch - u->GetFirstChannel() + 2 : unit.ch + 1);
        break;
    }
    default:
        break;
    }
    return true;
}

bool CProjectBaseView::GetChannelCornerText(fw::CString& text, int32_t col, int32_t row, int display) const
{
    static constexpr const char* upper[] = {"CH", "測定器", "測定器", "測定器"};
    static constexpr const char* lower[] = {"CH", "Unit", "Unit", "ch."};
    if (col < 0 || col > 3)
        return false;
    if (row == 0)
        text = upper[col];
    else if (col == 0 && !display)
        text.Empty();
    else
        text = lower[col];
    return true;
}

bool CProjectBaseView::GetTagText(fw::CString& text, int32_t col, int32_t row, int display)
{
    return GetChannelCornerText(text, col, row, display);
}

void CProjectBaseView::WhitenForPrint(CZELDrawCell& cell)
{
    if (!cell.m_pDC || !cell.m_pDC->IsPrinting())
        return;
    cell.m_format.nFlags |= kCellFillBack;
    cell.m_format.crBack = fw::RGB(255, 255, 255);
}

void CProjectBaseView::DrawTagCell(CZELDrawCell& cell)
{
    WhitenForPrint(cell);
    CZELSpredView::DrawTagCell(cell);
}

void CProjectBaseView::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    WhitenForPrint(cell);
    CZELSpredView::DrawColumnHeaderCell(cell);
}

void CProjectBaseView::DrawRowHeaderCell(CZELDrawCell& cell)
{
    WhitenForPrint(cell);
    CZELSpredView::DrawRowHeaderCell(cell);
}

// ---- data-file rename ----------------------------------------------------------------------------

CReNamePrf& CProjectBaseView::RenameSetting()
{
    static CReNamePrf setting;
    return setting;
}

void CProjectBaseView::OnUpdateRename(fw::CCmdUI* ui) { ui->Enable(CanRenameDataFiles()); }

CReNameTitlePrf& CProjectBaseView::TitleSetting()
{
    static CReNameTitlePrf setting;
    return setting;
}

namespace {

// Data files are not renamed or rewritten while frequency data is open.
bool FrequencyDataOpen()
{
    if (!HistoryPageServices().IsFrequencyDataOpen())
        return false;
    fw::AfxMessageBox(fw::CString("データファイルをすべて閉じてから行ってください。"),
                      fw::MB_OK | fw::MB_ICONINFORMATION);
    return true;
}

} // namespace

void CProjectBaseView::DrawTwoRowColumnHeader(CZELDrawCell& cell, const prjpage::HeaderColumn* columns,
                                              int32_t count, int32_t screenWeight, int32_t printWeight)
{
    WhitenForPrint(cell);
    const CZELGridPane* pane = GetGrid()->GetPane(kIndexColumnHeader);
    if (!pane || !cell.m_pDC || cell.m_nRow > 1) {
        CProjectBaseView::DrawColumnHeaderCell(cell);
        return;
    }
    const bool printing = cell.m_pDC->IsPrinting();
    prjpage::DrawTwoRowHeader(cell, pane, columns, count, printing ? GetPrintCellsRect().Width() : 0,
                              printing ? printWeight : screenWeight);
}

void CProjectBaseView::OnChangeTestTitle()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || !CanRenameDataFiles() || FrequencyDataOpen())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    CRenameTitleDlg dlg(this);
    dlg.m_prf = TitleSetting();
    if (dlg.DoModal() != fw::IDOK)
        return;
    TitleSetting() = dlg.m_prf;
    if (!TitleSetting().Validate())
        return;
    CDataFileRename::Retitle(*doc, sel.top, sel.bottom, TitleSetting());
}

void CProjectBaseView::OnRenameDataFile()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || FrequencyDataOpen())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    CRenameDatafileDlg dlg(this);
    dlg.m_prf = RenameSetting();
    dlg.m_prf.m_nNoNumber = sel.top == sel.bottom ? 1 : 0;
    if (dlg.DoModal() != fw::IDOK)
        return;
    RenameSetting() = dlg.m_prf;
    CReNamePrf pattern = dlg.m_prf;
    if (!pattern.Validate())
        return;
    CDataFileRename::Rename(*doc, sel.top, sel.bottom, pattern);
}

// ---- column setters, rows and cell menus ---------------------------------------------------------

bool CProjectBaseView::IsMeasuringNow() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc && ProjectHost().IsMeasuring(*doc);
}

bool CProjectBaseView::SetColumnText(int32_t col, const fw::CString& text)
{
    CPollingPause pause;
    CDataTankObject* tank = GetColumnTank(col);
    if (!tank)
        return false;
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!tank->SetValueText(row, text))
            break;
        any = true;
    }
    if (any) {
        GetGrid()->RedrawPanes();
        GetProjectDoc()->SetModifiedFlag(true);
        GetProjectDoc()->UpdateAllViews(nullptr, 0, nullptr);
    }
    return any;
}

bool CProjectBaseView::SetColumnNumber(int32_t col, int16_t value)
{
    CPollingPause pause;
    CDataTankObject* tank = GetColumnTank(col);
    if (!tank)
        return false;
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!tank->SetValue(row, static_cast<double>(value)))
            break;
        any = true;
    }
    if (any) {
        GetGrid()->RedrawPanes();
        GetProjectDoc()->SetModifiedFlag(true);
        GetProjectDoc()->UpdateAllViews(nullptr, 0, nullptr);
    }
    return any;
}

void CProjectBaseView::UpdateColumnCheck(fw::CCmdUI* ui, int32_t col, int32_t value)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    CDataTankObject* tank = GetColumnTank(col);
    if (!doc || !tank || col < sel.left || col > sel.right) {
        ui->SetCheck(0);
        ui->Enable(false);
        return;
    }
    bool all = true;
    for (int32_t row = sel.top; all && row <= sel.bottom; ++row)
        all = tank->GetValue(row) == static_cast<double>(value);
    ui->Enable(!doc->IsEditLocked());
    ui->SetCheck(all ? 1 : 0);
}

void CProjectBaseView::UpdateChannelValueCheck(fw::CCmdUI* ui, int32_t col, int code, double value, int rowOffset)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    if (!doc || !CanEditCell(col, col) || col < sel.left || col > sel.right) {
        ui->SetCheck(0);
        ui->Enable(false);
        return;
    }
    CBoxArray& system = doc->GetBoxArray();
    bool enable = !doc->IsEditLocked();
    bool all = true;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        const int channel = rowOffset + row;
        if (channel < 0 || channel >= system.GetMapSize())
            break;
        if (!system.IsChannelValueAllowed(channel, code, static_cast<int>(value)))
            enable = false;
        if (system.GetChannelValue(channel, code) != value)
            all = false;
    }
    ui->Enable(enable);
    ui->SetCheck(all ? 1 : 0);
}

void CProjectBaseView::InsertRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    if (CDataTankList* table = GetPageTable()) {
        fw::CWaitCursor wait;
        table->InsertRows(firstCol, firstRow, lastCol, lastRow);
    }
}

void CProjectBaseView::DeleteRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    if (CDataTankList* table = GetPageTable()) {
        fw::CWaitCursor wait;
        table->DeleteRows(firstCol, firstRow, lastCol, lastRow);
    }
}

bool CProjectBaseView::CanInsertRows()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || doc->IsEditLocked() || !GetPageTable())
        return false;
    const CCellRange sel = GetGrid()->GetSelection();
    const int32_t used = GetLastUsedRow(sel.left, sel.right);
    return (sel.bottom - sel.top + 1) + used < GetGrid()->GetSheetPane()->RowCount();
}

bool CProjectBaseView::CanDeleteRows()
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc && !doc->IsEditLocked() && GetPageTable();
}


// ---- menus ---------------------------------------------------------------------------------------

void CProjectBaseView::EnsureMenus() { EnsureProjectPageMenus(); }

void CProjectBaseView::PrepareContextMenu(fw::CMenu& popup)
{
    popup.DeleteMenu(32963, fw::MF_BYCOMMAND);
    for (int i = 0; i < popup.GetMenuItemCount(); ++i)
        if (popup.GetMenuString(static_cast<unsigned>(i), fw::MF_BYPOSITION) == "最大最小表示") {
            popup.DeleteMenu(static_cast<unsigned>(i), fw::MF_BYPOSITION);
            break;
        }
}
