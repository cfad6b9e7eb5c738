#include "measure/views/dialogs/CfSelDelDlg.h"

#include "framework/core/CmdTarget.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DialogBuilder.h"

#include <algorithm>

FW_IMPLEMENT_DYNAMIC(CCfSelDelDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CCfSelDelDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CCfSelDelDlg::kIdWaveRadio, &CCfSelDelDlg::OnKindChanged)
    FW_ON_BN_CLICKED(CCfSelDelDlg::kIdHistRadio, &CCfSelDelDlg::OnKindChanged)
    FW_ON_BN_CLICKED(CCfSelDelDlg::kIdVoiceRadio, &CCfSelDelDlg::OnKindChanged)
    FW_ON_CBN_SELCHANGE(CCfSelDelDlg::kIdUnit, &CCfSelDelDlg::OnUnitChange)
    FW_ON_COMMAND_RANGE(CCFFileSelGrid::kIdMarkSet, CCFFileSelGrid::kIdMarkClear, &CCfSelDelDlg::OnMarkCommand)
    FW_ON_UPDATE(CCFFileSelGrid::kIdMarkSet, &CCfSelDelDlg::OnUpdateMarkCommand)
    FW_ON_UPDATE(CCFFileSelGrid::kIdMarkClear, &CCfSelDelDlg::OnUpdateMarkCommand)
FW_END_COMMANDS

namespace {

constexpr int kGridIds[] = {CCfSelDelDlg::kIdWaveGrid, CCfSelDelDlg::kIdHistGrid, CCfSelDelDlg::kIdVoiceGrid};
constexpr int kRadioIds[] = {CCfSelDelDlg::kIdWaveRadio, CCfSelDelDlg::kIdHistRadio, CCfSelDelDlg::kIdVoiceRadio};
const CCFFileSelGrid::MarkArrays kNoMarks;

} // namespace

CCfSelDelDlg::CCfSelDelDlg(fw::CWnd* parent) : fw::CDialog(kTemplateId, parent)
{
}

CCfSelDelDlg::~CCfSelDelDlg() = default;

const CCFFileSelGrid::MarkArrays& CCfSelDelDlg::GetMarks(Kind kind) const
{
    return m_grids[kind] ? m_grids[kind]->GetMarks() : kNoMarks;
}

void CCfSelDelDlg::FreeMarks()
{
    for (CCFFileSelGrid* grid : m_grids)
        if (grid)
            grid->GetMarks().clear();
}

void CCfSelDelDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("CFデータ選択削除");
    b.Radio(kIdWaveRadio, "波形データ", true).ShowWindow(fw::SW_HIDE);
    b.Radio(kIdHistRadio, "頻度データ").ShowWindow(fw::SW_HIDE);
    b.Radio(kIdVoiceRadio, "音声").ShowWindow(fw::SW_HIDE);
    b.Combo(kIdUnit).ShowWindow(fw::SW_HIDE);
    b.Static(kIdCaption, "");
    b.Row();
    for (int k = 0; k < kKindCount; ++k) {
        std::unique_ptr<CCFFileSelGrid> grid;
        if (k == kWaveform)
            grid = std::make_unique<CCFFileSelGrid>();
        else
            grid = std::make_unique<CCFVoiceFileSelGrid>();
        grid->Create(fw::CRect(0, 0, 420, 300), this, kGridIds[k]);
        m_grids[k] = grid.get();
        b.Custom(kGridIds[k], std::move(grid));
    }
    b.OkCancel("実行", "キャンセル");
}

bool CCfSelDelDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    int boxes = 0;
    for (int k = 0; k < kKindCount; ++k) {
        CCFFileSelGrid& grid = *m_grids[k];
        const int count = m_lists[k] ? static_cast<int>(m_lists[k]->size()) : 0;
        boxes = std::max(boxes, count);
        grid.SetFileLists(m_lists[k]);
        grid.SetUnit(0);
        grid.SetCommandOwner(this);
        grid.CreateMarkArrays(count);
        grid.SetOnMarksChanged([this] { UpdateOkButton(); });
        grid.Reset();
    }
    if (auto* units = GetDlgItemAs<fw::CComboBox>(kIdUnit)) {
        for (int u = 0; u < boxes; ++u)
            units->AddString(fw::Format("KIV-406(%d)", u + 1));
        units->SetCurSel(0);
        if (boxes > 1)
            units->ShowWindow(fw::SW_SHOWNORMAL);
    }
    for (int id : kRadioIds)
        GetDlgItem(id)->ShowWindow(fw::SW_SHOWNORMAL);
    GetDlgItemAs<fw::CButton>(kRadioIds[m_nKind])->SetCheck(1);
    for (int k = 0; k < kKindCount; ++k)
        GetDlgItem(kGridIds[k])->ShowWindow(k == m_nKind ? fw::SW_SHOWNORMAL : fw::SW_HIDE);
    SetDlgItemText(kIdCaption, m_captions[static_cast<size_t>(m_nKind)]);
    UpdateOkButton();
    return true;
}

void CCfSelDelDlg::OnKindChanged()
{
    for (int k = 0; k < kKindCount; ++k)
        if (GetDlgItemAs<fw::CButton>(kRadioIds[k])->GetCheck() == 1)
            m_nKind = k;
    for (int k = 0; k < kKindCount; ++k)
        GetDlgItem(kGridIds[k])->ShowWindow(k == m_nKind ? fw::SW_SHOWNORMAL : fw::SW_HIDE);
    SetDlgItemText(kIdCaption, m_captions[static_cast<size_t>(m_nKind)]);
}

void CCfSelDelDlg::OnUnitChange()
{
    auto* units = GetDlgItemAs<fw::CComboBox>(kIdUnit);
    const int sel = units ? units->GetCurSel() : -1;
    if (sel < 0)
        return;
    for (int k = 0; k < kKindCount; ++k) {
        // A kind with fewer boxes keeps showing its last one.
        const int count = m_lists[k] ? static_cast<int>(m_lists[k]->size()) : 0;
        if (count == 0)
            continue;
        m_grids[k]->SetUnit(std::min(sel, count - 1));
        m_grids[k]->UpdateRowCount();
    }
}

bool CCfSelDelDlg::SelectedRows(int& first, int& last) const
{
    CCFFileSelGrid& grid = CurrentGrid();
    const FileLists* lists = m_lists[m_nKind];
    const int unit = grid.GetUnit();
    if (!lists || unit < 0 || unit >= static_cast<int>(lists->size()) || !(*lists)[static_cast<size_t>(unit)])
        return false;
    const int files = static_cast<int>((*lists)[static_cast<size_t>(unit)]->size());
    const CCellRange range = grid.GetSelection();
    if (!range.IsValid() || files == 0)
        return false;
    first = range.top;
    last = std::min(range.bottom, files - 1);
    return first <= last;
}

void CCfSelDelDlg::OnUpdateMarkCommand(fw::CCmdUI* ui)
{
    int first = 0;
    int last = -1;
    const bool any = SelectedRows(first, last);
    ui->Enable(any);
    const bool set = ui->m_nID == CCFFileSelGrid::kIdMarkSet;
    bool all = any;
    for (int r = first; any && r <= last; ++r)
        all = all && CurrentGrid().IsMarked(r) == set;
    ui->SetCheck(all ? 1 : 0);
}

void CCfSelDelDlg::OnMarkCommand(unsigned id)
{
    int first = 0;
    int last = -1;
    if (!SelectedRows(first, last))
        return;
    for (int r = first; r <= last; ++r)
        CurrentGrid().SetMark(r, id == CCFFileSelGrid::kIdMarkSet);
    CurrentGrid().RedrawPanes();
    UpdateOkButton();
}

void CCfSelDelDlg::UpdateOkButton()
{
    const bool any = std::any_of(m_grids.begin(), m_grids.end(), [](const CCFFileSelGrid* g) {
        return g && g->HasAnyMark();
    });
    if (fw::CWnd* ok = GetDlgItem(fw::IDOK))
        ok->EnableWindow(any);
}

void CCfSelDelDlg::OnOK()
{
    if (fw::AfxMessageBox(kIdsConfirm, fw::MB_YESNO | fw::MB_ICONQUESTION) != fw::IDYES)
        return;
    EndDialog(fw::IDOK);
}
