#include "measure/views/dialogs/BalanceDlgs.h"

#include "common/tank/DataTankList.h"
#include "common/tank/DataTankObject.h"
#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "instrument/system/BoxArray.h"

#include <QAbstractItemView>
#include <QListWidget>

#include <algorithm>

// ---- CBalDlg

FW_IMPLEMENT_DYNAMIC(CBalDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CBalDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CBalDlg::kIdAdd, &CBalDlg::OnAdd)
    FW_ON_BN_CLICKED(CBalDlg::kIdAddAll, &CBalDlg::OnAddAll)
    FW_ON_BN_CLICKED(CBalDlg::kIdRemove, &CBalDlg::OnRemove)
    FW_ON_BN_CLICKED(CBalDlg::kIdRemoveAll, &CBalDlg::OnRemoveAll)
    FW_ON_LBN_SELCHANGE(CBalDlg::kIdCandidates, &CBalDlg::UpdateButtons)
    FW_ON_LBN_SELCHANGE(CBalDlg::kIdChosen, &CBalDlg::UpdateButtons)
FW_END_COMMANDS

CBalDlg::CBalDlg(CDataTankList& channelTanks, std::vector<int16_t>& channels, fw::CWnd* parent)
    : fw::CDialog(kTemplateId, parent), m_tanks(channelTanks), m_channels(channels)
{
}

void CBalDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("バランス");
    b.List(kIdCandidates);
    b.Button(kIdAdd, "登録>>");
    b.Button(kIdAddAll, "全て登録");
    b.Button(kIdRemove, "解除");
    b.Button(kIdRemoveAll, "全て解除");
    b.List(kIdChosen);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC),
             "KIV-427ユニットのチャンネルはバランスを行うと入力CHのシフトに現在の値を記録します。");
    b.Row();
    b.Check(kIdRecordShift, "バランス範囲を超えたひずみのチャンネルは入力CHのシフトに現在の値を記録する");
    b.OkCancel("実行", "キャンセル");
    for (int id : {kIdCandidates, kIdChosen})
        if (auto* list = GetDlgItemAs<fw::CListBox>(id))
            list->List()->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

bool CBalDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    m_chosen.clear();
    FillCandidates();
    UpdateButtons();
    return true;
}

void CBalDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Check(dx, kIdRecordShift, m_nRecordShift);
}

fw::CString CBalDlg::RowText(int16_t channel) const
{
    CDataTankObject* tank = m_tanks.GetObjectAt(channel);
    return fw::Format("CH%d  %s", channel + 1, tank ? tank->GetName() : fw::CString());
}

// Released channels come back in the vector's order.
void CBalDlg::FillCandidates()
{
    m_candidates.clear();
    for (int16_t ch : m_channels) {
        CDataTankObject* tank = ch >= 0 && ch < m_tanks.GetSize() ? m_tanks.GetObjectAt(ch) : nullptr;
        if (!tank || tank->GetName().IsEmpty())
            continue;
        if (std::find(m_chosen.begin(), m_chosen.end(), ch) != m_chosen.end() ||
            std::find(m_candidates.begin(), m_candidates.end(), ch) != m_candidates.end())
            continue;
        m_candidates.push_back(ch);
    }
    ShowList(kIdCandidates, m_candidates);
}

void CBalDlg::ShowList(int listId, const std::vector<int16_t>& channels)
{
    auto* list = GetDlgItemAs<fw::CListBox>(listId);
    if (!list)
        return;
    list->ResetContent();
    for (int16_t ch : channels) {
        const int row = list->AddString(RowText(ch));
        list->SetItemData(row, static_cast<uintptr_t>(ch));
    }
}

std::vector<int> CBalDlg::SelectedRows(int listId) const
{
    std::vector<int> rows;
    auto* list = GetDlgItemAs<fw::CListBox>(listId);
    if (!list)
        return rows;
    for (int i = 0; i < list->List()->count(); ++i)
        if (list->List()->item(i)->isSelected())
            rows.push_back(i);
    return rows;
}

void CBalDlg::SelectRow(int listId, int index, bool on)
{
    auto* list = GetDlgItemAs<fw::CListBox>(listId);
    if (list && index >= 0 && index < list->List()->count())
        list->List()->item(index)->setSelected(on);
    UpdateButtons();
}

void CBalDlg::OnAdd()
{
    const std::vector<int> rows = SelectedRows(kIdCandidates);
    std::vector<int16_t> kept;
    for (int i = 0; i < static_cast<int>(m_candidates.size()); ++i) {
        if (std::find(rows.begin(), rows.end(), i) != rows.end())
            m_chosen.push_back(m_candidates[static_cast<size_t>(i)]);
        else
            kept.push_back(m_candidates[static_cast<size_t>(i)]);
    }
    m_candidates = kept;
    ShowList(kIdCandidates, m_candidates);
    ShowList(kIdChosen, m_chosen);
    UpdateButtons();
}

void CBalDlg::OnAddAll()
{
    for (int i = 0; i < static_cast<int>(m_candidates.size()); ++i)
        SelectRow(kIdCandidates, i);
    OnAdd();
}

void CBalDlg::OnRemove()
{
    const std::vector<int> rows = SelectedRows(kIdChosen);
    std::vector<int16_t> kept;
    for (int i = 0; i < static_cast<int>(m_chosen.size()); ++i)
        if (std::find(rows.begin(), rows.end(), i) == rows.end())
            kept.push_back(m_chosen[static_cast<size_t>(i)]);
    m_chosen = kept;
    ShowList(kIdChosen, m_chosen);
    FillCandidates();
    UpdateButtons();
}

void CBalDlg::OnRemoveAll()
{
    m_chosen.clear();
    ShowList(kIdChosen, m_chosen);
    FillCandidates();
    UpdateButtons();
}

void CBalDlg::UpdateButtons()
{
    const auto enable = [this](int id, bool on) {
        if (fw::CWnd* w = GetDlgItem(id))
            w->EnableWindow(on);
    };
    enable(kIdAdd, !SelectedRows(kIdCandidates).empty());
    enable(kIdAddAll, !m_candidates.empty());
    enable(kIdRemove, !SelectedRows(kIdChosen).empty());
    enable(kIdRemoveAll, !m_chosen.empty());
    enable(fw::IDOK, !m_chosen.empty());
}

void CBalDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    std::erase_if(m_channels, [this](int16_t ch) {
        return std::find(m_chosen.begin(), m_chosen.end(), ch) == m_chosen.end();
    });
    EndDialog(fw::IDOK);
}

// ---- CCalOutDlg

FW_IMPLEMENT_DYNAMIC(CCalOutDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CCalOutDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CCalOutDlg::kIdPlus, &CCalOutDlg::OnPlus)
    FW_ON_BN_CLICKED(CCalOutDlg::kIdMinus, &CCalOutDlg::OnMinus)
    FW_ON_BN_CLICKED(CCalOutDlg::kIdZero, &CCalOutDlg::OnZero)
FW_END_COMMANDS

CCalOutDlg::CCalOutDlg(fw::CWnd* parent) : fw::CDialog(kTemplateId, parent)
{
}

void CCalOutDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("キャルの出力");
    b.Static(static_cast<int>(fw::IDC_STATIC), "＋キャル");
    b.Check(kIdPlus, "＋キャルを出力");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "－キャル");
    b.Check(kIdMinus, "－キャルを出力");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "0 キャル");
    b.Check(kIdZero, "0 キャルを出力");
    b.Row();
    b.Button(fw::IDCANCEL, "閉じる");
}

bool CCalOutDlg::IsChecked(int button) const
{
    auto* b = GetDlgItemAs<fw::CButton>(button);
    return b && b->GetCheck() == 1;
}

void CCalOutDlg::SetChecked(int button, bool on)
{
    if (auto* b = GetDlgItemAs<fw::CButton>(button))
        b->SetCheck(on ? 1 : 0);
}

void CCalOutDlg::ToggleCal(int button, int operation)
{
    if (!m_pSystem)
        return;
    if (IsChecked(button)) {
        if (m_nOnButton != 0 && m_nOnButton != button)
            SetChecked(m_nOnButton, false);
        if (m_pSystem->OutputCalibration(operation)) {
            m_nOnButton = button;
            return;
        }
        // Some units may already output the signal: every unit is switched
        // off again before the dialog ends.
        SetChecked(button, false);
        m_nOnButton = 0;
        m_pSystem->OutputCalibration(kOpOff);
        EndDialog(fw::IDCANCEL);
        return;
    }
    m_nOnButton = 0;
    if (!m_pSystem->OutputCalibration(kOpOff))
        EndDialog(fw::IDCANCEL);
}

void CCalOutDlg::OnCancel()
{
    if (m_nOnButton != 0) {
        fw::AfxMessageBox(kIdsStillOn, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return;
    }
    EndDialog(fw::IDCANCEL);
}
