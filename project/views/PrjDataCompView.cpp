#include "project/views/PrjDataCompView.h"

#include "common/base/RangeMessages.h"
#include "common/base/ValueParse.h"
#include "common/tank/DataTankList.h"
#include "common/tank/DataTankObject.h"
#include "docview/naming/NameSelectDlg.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/Services.h"
#include "instrument/check/CompNoTank.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/ProjectMenus.h"

FW_IMPLEMENT_DYNCREATE(CPrjDataCompView, CPrjCycleTrgView)

FW_BEGIN_COMMANDS(CPrjDataCompView, CPrjCycleTrgView)
    FW_ON_COMMAND(prjmenu::kIdGoto, &CPrjDataCompView::OnGoto)
    FW_ON_COMMAND(prjmenu::kIdDataSelect, &CPrjDataCompView::OnDataSelect)
    FW_ON_UPDATE(prjmenu::kIdDataSelect, &CPrjDataCompView::OnUpdateDataSelect)
FW_END_COMMANDS

namespace {

constexpr int kGoto = 2;
constexpr int kCancelled = -2;

bool IsChannel(int32_t index)
{
    return (index >= 0 && index < CCompNoTank::kMeasuringChannels) ||
           (index >= CCompNoTank::kFirstCalculated && index <= CCompNoTank::kLastCalculated);
}

} // namespace

CPrjDataCompView::CPrjDataCompView() { m_nContextMenuId = static_cast<int32_t>(prjmenu::kComparatorContext); }

int CPrjDataCompView::ProgramIndex() const { return CKIV5980Doc::kProgComparator; }

int CPrjDataCompView::TableIndex() const { return CKIV5980Doc::kTabComparator; }

bool CPrjDataCompView::EditorChars(int32_t col, bool byKey, fw::CString& allowed) const
{
    allowed = col == 1 ? "+-.eE" : "";
    if (col == kColChannel)
        return byKey;
    return col == 1 || col == kColRepeat;
}

bool CPrjDataCompView::SetTypedChannel(int32_t row, const fw::CString& text)
{
    CDataTankObject* tank = GetColumnTank(kColChannel);
    if (text.IsEmpty())
        return tank->SetValueText(row, text);
    int32_t number = 0;
    if (!TextToInt(text.c_str(), &number))
        return false;
    if (!IsChannel(number - 1)) {
        // The numbers that name a channel: measuring channels from 1, or
        // calculated channels from one past their first index.
        if (number - 1 < CCompNoTank::kFirstCalculated)
            ShowIntRangeMessage(1, CCompNoTank::kMeasuringChannels, "%ld", kIdpIntRange);
        else
            ShowIntRangeMessage(CCompNoTank::kFirstCalculated + 1, CCompNoTank::kLastCalculated + 1, "%ld",
                                kIdpIntRange);
        return false;
    }
    return tank->SetValue(row, static_cast<double>(number - 1));
}

bool CPrjDataCompView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    if (col != kColChannel || !fromEditor)
        return CPrjCycleTrgView::SetSheetText(row, col, text, fromEditor);
    if (!HasRow(row) || !SetTypedChannel(row, text))
        return false;
    AfterCellSet(col);
    return true;
}

int CPrjDataCompView::ChooseChannel(int channel)
{
    CNameSelectDlg dlg(GetProjectDoc(), this);
    dlg.m_nTankIndex = static_cast<int16_t>(channel);
    if (dlg.DoModal() != fw::IDOK)
        return kCancelled;
    return dlg.m_nTankIndex;
}

void CPrjDataCompView::OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (col != kColChannel) {
        CPrjCycleTrgView::OnSheetDoubleClick(row, col, flags, screen);
        return;
    }
    if (!doc || doc->IsEditLocked() || !HasRow(row))
        return;
    const double current = GetColumnTank(kColChannel)->GetValue(row);
    const int chosen = ChooseChannel(IsChannel(static_cast<int32_t>(current)) ? static_cast<int>(current) : -1);
    if (chosen == kCancelled || !IsChannel(chosen))
        return;
    RecordSelection(kUndoBlock);
    SetColumnNumber(kColChannel, static_cast<int16_t>(chosen));
    GetGrid()->RedrawPanes();
}

void CPrjDataCompView::OnGoto()
{
    if (!CanEdit())
        return;
    RecordSelection(kUndoBlock);
    SetColumnNumber(kColControl, kGoto);
}

void CPrjDataCompView::OnDataSelect()
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    if (!doc || doc->IsEditLocked() || sel.left != kColChannel)
        return;
    CDataTankObject* tank = GetColumnTank(kColChannel);
    double preset = tank->GetValue(sel.top);
    for (int32_t row = sel.top + 1; row <= sel.bottom; ++row)
        if (tank->GetValue(row) != preset)
            preset = -1;
    const int chosen = ChooseChannel(IsChannel(static_cast<int32_t>(preset)) ? static_cast<int>(preset) : -1);
    if (chosen == kCancelled || !IsChannel(chosen))
        return;
    RecordSelection(kUndoBlock);
    bool last = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row)
        last = tank->SetValue(row, static_cast<double>(chosen));
    if (last) {
        doc->NotifyColumnsChanged(this, sel.left, sel.right, 0, true);
        doc->SetModifiedFlag(true);
    }
    GetGrid()->RedrawPanes();
}

void CPrjDataCompView::OnUpdateDataSelect(fw::CCmdUI* ui)
{
    CKIV5980Doc* doc = GetProjectDoc();
    ui->Enable(doc && !doc->IsEditLocked() && GetGrid()->GetSelection().left == kColChannel);
}
