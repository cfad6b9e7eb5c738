#include "graphdoc/views/objects/SetSelectDlg.h"

#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "graphdoc/model/objects/RangeSelect.h"

#include <algorithm>

namespace graphdlg {

FW_IMPLEMENT_DYNAMIC(CSetSelectDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CSetSelectDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CSetSelectDlg::IDC_BY_TIME, &CSetSelectDlg::OnModeChange)
    FW_ON_BN_CLICKED(CSetSelectDlg::IDC_BY_COUNT, &CSetSelectDlg::OnModeChange)
    FW_ON_BN_CLICKED(CSetSelectDlg::IDC_CHECK, &CSetSelectDlg::OnCheck)
    FW_ON_BN_CLICKED(CSetSelectDlg::IDC_APPLY, &CSetSelectDlg::OnApply)
FW_END_COMMANDS

CSetSelectDlg::CSetSelectDlg(fw::CWnd* parent) : fw::CDialog(IDD, parent)
{
}

void CSetSelectDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("範囲選択");
    b.Radio(IDC_BY_TIME, "計測時間で設定", true);
    b.Radio(IDC_BY_COUNT, "データ数で設定");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "先頭");
    b.Edit(IDC_FIRST_TIME);
    b.Static(IDC_FIRST_UNIT, "");
    b.Edit(IDC_FIRST_SAMPLE);
    b.Static(static_cast<int>(fw::IDC_STATIC), "個");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "最終");
    b.Edit(IDC_LAST_TIME);
    b.Static(IDC_LAST_UNIT, "");
    b.Edit(IDC_LAST_SAMPLE);
    b.Static(static_cast<int>(fw::IDC_STATIC), "個");
    b.Row();
    b.Static(IDC_CLOCK_CAPTION, "");
    b.Static(IDC_CLOCK_VALUE, "");
    b.Static(IDC_CLOCK_UNIT, "");
    b.Row();
    b.Button(IDC_CHECK, "チェック");
    b.Button(IDC_APPLY, "適用");
    b.OkCancel("OK", "キャンセル");
}

bool CSetSelectDlg::OnInitDialog()
{
    m_dFirstTime = TimeOfSample(m_nFirst, m_dSecondsPerSample);
    m_dLastTime = TimeOfSample(m_nLast, m_dSecondsPerSample);
    fw::CDialog::OnInitDialog();
    ApplyEnableRule();
    if (fw::CWnd* apply = GetDlgItem(IDC_APPLY))
        apply->ShowWindow(fw::SW_SHOW);
    const bool external = m_strTimeUnit == kTextSamples;
    SetDlgItemText(IDC_CLOCK_CAPTION, external ? "外部サンプル" : "サンプルクロック");
    SetDlgItemText(IDC_CLOCK_VALUE, external ? fw::CString() : fw::Format("%g", m_dClock));
    SetDlgItemText(IDC_CLOCK_UNIT, external ? fw::CString() : fw::CString("ミリ秒"));
    SetDlgItemText(IDC_FIRST_UNIT, m_strTimeUnit);
    SetDlgItemText(IDC_LAST_UNIT, m_strTimeUnit);
    return true;
}

void CSetSelectDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Radio(dx, IDC_BY_TIME, m_nMode);
    fw::DDX_Text(dx, IDC_FIRST_TIME, m_dFirstTime);
    fw::DDX_Text(dx, IDC_LAST_TIME, m_dLastTime);
    fw::DDX_Text(dx, IDC_FIRST_SAMPLE, m_nFirst);
    fw::DDX_Text(dx, IDC_LAST_SAMPLE, m_nLast);
}

void CSetSelectDlg::ApplyEnableRule()
{
    const bool byTime = m_nMode == 0;
    for (int id : {IDC_FIRST_TIME, IDC_LAST_TIME})
        if (fw::CWnd* w = GetDlgItem(id))
            w->EnableWindow(byTime);
    for (int id : {IDC_FIRST_SAMPLE, IDC_LAST_SAMPLE})
        if (fw::CWnd* w = GetDlgItem(id))
            w->EnableWindow(!byTime);
}

bool CSetSelectDlg::CheckRange()
{
    if (!UpdateData(true))
        return false;
    SampleRange range = m_nMode == 0
                            ? SamplesFromTimes(m_dFirstTime, m_dLastTime, m_dSecondsPerSample, m_nCount)
                            : FitSamples(m_nFirst, m_nLast, m_nCount);
    m_nFirst = range.first;
    m_nLast = range.last;
    m_dFirstTime = TimeOfSample(m_nFirst, m_dSecondsPerSample);
    m_dLastTime = TimeOfSample(m_nLast, m_dSecondsPerSample);
    UpdateData(false);
    if (range.fitted) {
        fw::AfxMessageBox(kTextOutside);
        return false;
    }
    return true;
}

void CSetSelectDlg::OnModeChange()
{
    CheckRange();
    ApplyEnableRule();
}

void CSetSelectDlg::OnCheck()
{
    CheckRange();
}

void CSetSelectDlg::OnApply()
{
    if (CheckRange() && m_applyRange)
        m_applyRange(m_nFirst, m_nLast);
}

void CSetSelectDlg::OnOK()
{
    if (CheckRange())
        EndDialog(fw::IDOK);
}

} // namespace graphdlg
