#include "project/views/RenameDlgs.h"

#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

FW_IMPLEMENT_DYNAMIC(CRenameDatafileDlg, fw::CDialog)
FW_IMPLEMENT_DYNAMIC(CRenameTitleDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CRenameTitleDlg, fw::CDialog)
    FW_ON_CBN_SELCHANGE(CRenameTitleDlg::kIdNumbering, &CRenameTitleDlg::OnNumberingChange)
FW_END_COMMANDS

namespace {

int CountChars(const fw::CString& text)
{
    int n = 0;
    for (unsigned char c : text.str())
        n += (c & 0xC0) != 0x80;
    return n;
}

void Refuse(fw::CDataExchange* dx, unsigned id)
{
    fw::AfxMessageBox(id, fw::MB_OK | fw::MB_ICONEXCLAMATION);
    dx->Fail();
}

} // namespace

void CheckNamePartEntry(fw::CDataExchange* dx, int id, const fw::CString& text, int maxChars)
{
    if (!dx->m_bSaveAndValidate)
        return;
    dx->PrepareEditCtrl(id);
    if (CountChars(text) > maxChars)
        dx->Fail();
    if (CReNamePrf::CheckNamePart(text)) {
        fw::AfxMessageBox(fw::CString(".<>:/\\|\"は使用できません。"), fw::MB_OK | fw::MB_ICONEXCLAMATION);
        dx->Fail();
    }
}

// ---- data-file rename ----------------------------------------------------------------------------

void CRenameDatafileDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("データファイル名の変更");
    b.Static(static_cast<int>(fw::IDC_STATIC), "先頭文字：");
    b.Edit(kIdPrefix).LimitText(kMaxPart);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "開始番号：");
    b.Edit(kIdNumber).LimitText(kMaxNumber);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "末尾文字：");
    b.Edit(kIdSuffix).LimitText(kMaxPart);
    b.Row();
    b.OkCancel("OK", "キャンセル");
}

bool CRenameDatafileDlg::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CRenameDatafileDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Text(dx, kIdPrefix, m_prf.m_strPrefix);
    CheckNamePartEntry(dx, kIdPrefix, m_prf.m_strPrefix, kMaxPart);
    fw::DDX_Text(dx, kIdSuffix, m_prf.m_strSuffix);
    CheckNamePartEntry(dx, kIdSuffix, m_prf.m_strSuffix, kMaxPart);
    fw::DDX_Text(dx, kIdNumber, m_prf.m_strNumber);
    if (!dx->m_bSaveAndValidate)
        return;
    dx->PrepareEditCtrl(kIdNumber);
    if (CountChars(m_prf.m_strNumber) > kMaxNumber || !m_prf.Validate())
        Refuse(dx, CReNamePrf::kIdEnterNumber);
    if (m_prf.m_strPrefix.IsEmpty() && m_prf.m_strSuffix.IsEmpty() && m_prf.m_strNumber.IsEmpty()) {
        dx->PrepareEditCtrl(kIdPrefix);
        dx->Fail();
    }
}

// ---- title change --------------------------------------------------------------------------------

void CRenameTitleDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("試験タイトルの変更");
    b.Check(kIdAppend, "タイトルに追加");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "先頭文字：");
    b.Edit(kIdPrefix).LimitText(kMaxPart);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "連結数字：");
    fw::CComboBox& numbering = b.Combo(kIdNumbering);
    numbering.AddString("なし");
    numbering.AddString("連番");
    b.Edit(kIdNumber).LimitText(kMaxNumber);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "末尾文字：");
    b.Edit(kIdSuffix).LimitText(kMaxPart);
    b.Row();
    b.OkCancel("OK", "キャンセル");
}

bool CRenameTitleDlg::OnInitDialog()
{
    UpdateData(false);
    OnNumberingChange();
    return true;
}

void CRenameTitleDlg::OnNumberingChange()
{
    auto* combo = GetDlgItemAs<fw::CComboBox>(kIdNumbering);
    if (fw::CWnd* number = GetDlgItem(kIdNumber))
        number->ShowWindow(combo && combo->GetCurSel() != 0 ? fw::SW_SHOW : fw::SW_HIDE);
}

void CRenameTitleDlg::DoDataExchange(fw::CDataExchange* dx)
{
    int append = m_prf.m_nAppend;
    fw::DDX_Check(dx, kIdAppend, append);
    m_prf.m_nAppend = append;
    fw::DDX_Text(dx, kIdPrefix, m_prf.m_strPrefix);
    CheckNamePartEntry(dx, kIdPrefix, m_prf.m_strPrefix, kMaxPart);
    fw::DDX_Text(dx, kIdSuffix, m_prf.m_strSuffix);
    CheckNamePartEntry(dx, kIdSuffix, m_prf.m_strSuffix, kMaxPart);
    int numbering = m_prf.m_nNumbering;
    fw::DDX_CBIndex(dx, kIdNumbering, numbering);
    m_prf.m_nNumbering = numbering;
    fw::DDX_Text(dx, kIdNumber, m_prf.m_strNumber);
    if (!dx->m_bSaveAndValidate)
        return;
    dx->PrepareEditCtrl(kIdNumber);
    if (CountChars(m_prf.m_strNumber) > kMaxNumber || !m_prf.Validate())
        Refuse(dx, CReNamePrf::kIdEnterNumber);
}
