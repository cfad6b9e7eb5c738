#include "graphdoc/views/GraphUpdateDlgs.h"

#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/views/SheetSelectCombBox.h"

#include <QDialog>

FW_IMPLEMENT_DYNAMIC(CGraphUpdateDlg, fw::CDialog)
FW_IMPLEMENT_DYNAMIC(CGraphSheetUpdateDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CGraphUpdateDlg, fw::CDialog)
FW_ON_BN_CLICKED(CGraphUpdateDlg::IDC_ALL, &CGraphUpdateDlg::OnAll)
FW_END_COMMANDS

FW_BEGIN_COMMANDS(CGraphSheetUpdateDlg, fw::CDialog)
FW_ON_BN_CLICKED(CGraphSheetUpdateDlg::IDC_ALL, &CGraphSheetUpdateDlg::OnAll)
FW_END_COMMANDS

namespace {

constexpr int32_t kMaxSample = 10000000;

fw::CString PageTitle(const CGraphViewDoc* page)
{
    return fw::CString("グラフ名：") + (page ? page->GetTitle() : fw::CString());
}

} // namespace

CGraphUpdateDlg::CGraphUpdateDlg(CGraphViewDoc* page, fw::CWnd* parent) : fw::CDialog(IDD, parent), m_page(page)
{
    // History graphs (simple graphs of kinds 7 and 8) take the history range.
    const int kind = page ? page->GetSimpleGraphKind() : 0;
    m_kind = kind == 7 || kind == 8 ? 1 : 0;
}

void CGraphUpdateDlg::BuildControls(fw::DialogBuilder& b)
{
    b.Static(IDC_TITLE, "");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "参照ファイル名");
    m_reference = &static_cast<CSheetSelectCombBox&>(b.Custom(IDC_REFERENCE, std::make_unique<CSheetSelectCombBox>()));
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "種類");
    fw::CComboBox& kind = b.Combo(IDC_KIND);
    kind.AddString("データグラフ");
    kind.AddString("履歴グラフ");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "作図範囲");
    b.Edit(IDC_START);
    b.Static(static_cast<int>(fw::IDC_STATIC), "から");
    b.Edit(IDC_END);
    b.Row();
    b.Button(IDC_ALL, "全て変更");
    b.OkCancel();
}

bool CGraphUpdateDlg::OnInitDialog()
{
    if (QDialog* dialog = Dialog())
        dialog->setWindowTitle(QStringLiteral("作図範囲の更新"));
    if (fw::CWnd* title = GetDlgItem(IDC_TITLE))
        title->SetWindowText(PageTitle(m_page));
    if (m_reference) {
        if (!m_reference->FillDocuments(nullptr, CDocIdent(), "", false) ||
            (m_page && !m_reference->AddPageSources(*m_page))) {
            EndDialog(-1);
            return false;
        }
        if (m_reference->GetCurSel() < 0 && m_reference->GetCount() > 0)
            m_reference->SetCurSel(0);
    }
    return fw::CDialog::OnInitDialog();
}

void CGraphUpdateDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_CBIndex(dx, IDC_KIND, m_kind);
    fw::DDX_Text(dx, IDC_START, m_start);
    fw::DDV_MinMaxInt(dx, m_start, 1, kMaxSample);
    fw::DDX_Text(dx, IDC_END, m_end);
    fw::DDV_MinMaxInt(dx, m_end, 1, kMaxSample);
    if (dx->m_bSaveAndValidate && m_reference) {
        const CDocIdent* ident = m_reference->GetSelectedIdent();
        m_ident = ident ? *ident : CDocIdent();
    }
}

void CGraphUpdateDlg::OnAll()
{
    m_all = 1;
    OnOK();
}

CGraphSheetUpdateDlg::CGraphSheetUpdateDlg(CGraphViewDoc* page, fw::CWnd* parent)
    : fw::CDialog(IDD, parent), m_page(page)
{
}

void CGraphSheetUpdateDlg::BuildControls(fw::DialogBuilder& b)
{
    b.Static(IDC_TITLE, "");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "参照ファイル名");
    m_reference = &static_cast<CSheetSelectCombBox&>(b.Custom(IDC_REFERENCE, std::make_unique<CSheetSelectCombBox>()));
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "更新ファイル名");
    m_update = &static_cast<CSheetSelectCombBox&>(b.Custom(IDC_UPDATE, std::make_unique<CSheetSelectCombBox>()));
    b.Row();
    b.Check(IDC_RENAME, "凡例名を変更したファイルの名前に書き換える");
    b.Row();
    b.Button(IDC_ALL, "全て変更");
    b.OkCancel();
}

bool CGraphSheetUpdateDlg::OnInitDialog()
{
    if (QDialog* dialog = Dialog())
        dialog->setWindowTitle(QStringLiteral("参照ファイルの変更"));
    if (fw::CWnd* title = GetDlgItem(IDC_TITLE))
        title->SetWindowText(PageTitle(m_page));
    bool ok = true;
    if (m_reference) {
        ok = m_reference->FillDocuments(nullptr, CDocIdent(), "", false) &&
             (!m_page || m_reference->AddPageSources(*m_page));
        if (m_reference->GetCurSel() < 0 && m_reference->GetCount() > 0)
            m_reference->SetCurSel(0);
    }
    if (ok && m_update) {
        ok = m_update->FillDocuments(nullptr, CDocIdent(), "", false);
        if (m_update->GetCurSel() < 0 && m_update->GetCount() > 0)
            m_update->SetCurSel(0);
    }
    if (!ok) {
        EndDialog(-1);
        return false;
    }
    return fw::CDialog::OnInitDialog();
}

void CGraphSheetUpdateDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Check(dx, IDC_RENAME, m_rename);
    if (!dx->m_bSaveAndValidate)
        return;
    if (m_reference) {
        const CDocIdent* ident = m_reference->GetSelectedIdent();
        m_oldIdent = ident ? *ident : CDocIdent();
    }
    if (m_update) {
        const CDocIdent* ident = m_update->GetSelectedIdent();
        m_newIdent = ident ? *ident : CDocIdent();
        const int index = m_update->GetCurSel();
        m_newName = index >= 0 ? m_update->List().m_items[static_cast<size_t>(index)].text : fw::CString();
    }
}

void CGraphSheetUpdateDlg::OnAll()
{
    m_all = 1;
    OnOK();
}
