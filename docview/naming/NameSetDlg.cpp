#include "docview/naming/NameSetDlg.h"

#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

FW_IMPLEMENT_DYNAMIC(CNameSetDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CNameSetDlg, fw::CDialog)
    FW_ON_CBN_SELCHANGE(CNameSetDlg::kIdMode, &CNameSetDlg::OnModeChange)
    FW_ON_BN_CLICKED(CNameSetDlg::kIdDefaults, &CNameSetDlg::OnDefaults)
FW_END_COMMANDS

namespace {

// In the order of the numbering modes.
constexpr const char* kModeNames[] = {"なし", "連番", "連番XY", "連番XYZ"};

constexpr int kAddedIds[CNameSetParam::kAddedTexts] = {CNameSetDlg::kIdAdded1, CNameSetDlg::kIdAdded2,
                                                       CNameSetDlg::kIdAdded3};

} // namespace

CNameSetDlg::CNameSetDlg(fw::CWnd* parent) : fw::CDialog(kTemplateId, parent)
{
    if (INameSetRecord* record = fw::Installed<INameSetRecord>())
        m_pTarget = &record->GetNameSetParam();
}

CNameSetDlg::~CNameSetDlg() = default;

int CNameSetDlg::DoModal()
{
    const int result = fw::CDialog::DoModal();
    if (result == fw::IDOK && m_pTarget)
        *m_pTarget = m_param;
    return result;
}

void CNameSetDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("名前の設定");
    b.Static(static_cast<int>(fw::IDC_STATIC), "連結文字１：");
    b.Edit(kIdLeading).LimitText(CNameSetParam::kMaxJoinText);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "連結数字：");
    fw::CComboBox& mode = b.Combo(kIdMode);
    for (const char* name : kModeNames)
        mode.AddString(name);
    b.Row();
    m_pStartLabel = &b.Static(static_cast<int>(fw::IDC_STATIC), "開始番号：");
    b.Edit(kIdStartNumber).LimitText(CNameSetParam::kMaxStartNumber);
    b.Row();
    m_pAddedLabel = &b.Static(static_cast<int>(fw::IDC_STATIC), "付加文字：");
    for (int id : kAddedIds)
        b.Edit(id).LimitText(CNameSetParam::kMaxAddedText);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "連結文字２：");
    b.Edit(kIdTrailing).LimitText(CNameSetParam::kMaxJoinText);
    b.Row();
    b.Button(kIdDefaults, "出荷時設定");
    b.OkCancel("OK", "キャンセル");
}

bool CNameSetDlg::OnInitDialog()
{
    if (m_pTarget)
        m_param = *m_pTarget;
    UpdateData(false);
    ShowModeControls(m_param.m_mode);
    return true;
}

void CNameSetDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Text(dx, kIdLeading, m_param.m_leading);
    fw::DDX_Text(dx, kIdTrailing, m_param.m_trailing);
    fw::DDX_CBIndex(dx, kIdMode, m_param.m_mode);
    for (size_t i = 0; i < m_param.m_added.size(); ++i)
        fw::DDX_Text(dx, kAddedIds[i], m_param.m_added[i]);
    fw::DDX_Text(dx, kIdStartNumber, m_param.m_startNumber);
}

void CNameSetDlg::ShowModeControls(int mode)
{
    auto show = [](fw::CWnd* w, bool on) {
        if (w)
            w->ShowWindow(on ? fw::SW_SHOW : fw::SW_HIDE);
    };
    const bool start = CNameSetParam::ShowsStartNumber(mode);
    show(m_pStartLabel, start);
    show(GetDlgItem(kIdStartNumber), start);
    show(m_pAddedLabel, CNameSetParam::ShowsAddedText(mode, 0));
    for (int i = 0; i < CNameSetParam::kAddedTexts; ++i)
        show(GetDlgItem(kAddedIds[i]), CNameSetParam::ShowsAddedText(mode, i));
}

void CNameSetDlg::OnModeChange()
{
    if (auto* combo = GetDlgItemAs<fw::CComboBox>(kIdMode))
        ShowModeControls(combo->GetCurSel());
}

void CNameSetDlg::OnDefaults()
{
    // The working copy only: Cancel still leaves the record as it was.
    m_param.SetDefaults();
    UpdateData(false);
    ShowModeControls(m_param.m_mode);
}

void CNameSetDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (!m_param.CheckOnOk()) {
        if (fw::CWnd* start = GetDlgItem(kIdStartNumber))
            start->SetFocus();
        return;
    }
    EndDialog(fw::IDOK);
}
