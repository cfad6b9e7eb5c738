#include "docview/naming/NameSelectDlg.h"

#include "docbase/doc/KivDocBase.h"
#include "docbase/naming/NamingStrings.h"
#include "docview/naming/NameListCtrl.h"
#include "framework/core/Services.h"
#include "framework/ui/DialogBuilder.h"

#include <memory>

FW_IMPLEMENT_DYNAMIC(CNameSelectDlg, fw::CDialog)

namespace {

constexpr int kListKindAll = 0;

} // namespace

CNameSelectDlg::CNameSelectDlg(CKivDocBase* document, fw::CWnd* parent)
    : fw::CDialog(kTemplateId, parent), m_pDocument(document)
{
}

CNameSelectDlg::~CNameSelectDlg() = default;

void CNameSelectDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("データの選択");
    m_pList = &static_cast<CNameListCtrl&>(b.Custom(kIdList, std::make_unique<CNameListCtrl>()));
    b.OkCancel("OK", "キャンセル");
}

bool CNameSelectDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    m_pList->InsertColumns(kListKindAll);
    CDataTankList* tanks = m_pDocument ? &m_pDocument->GetUseTanks() : nullptr;
    constexpr int list = CDataSelectModel::kListNumber;
    if (!m_pList->AddNames(tanks, "CH", kListKindAll, 0, CDataSelectModel::kLastMeasured, list)) {
        EndDialog(-1);
        return false;
    }
    m_pList->AddNames(tanks, "NO", kListKindAll, CDataSelectModel::kFirstCalculated, -1, list);
    if (m_nTankIndex >= 0)
        m_pList->SelectItem(m_nTankIndex, list, true);
    m_pList->SetFocus();
    return false;
}

void CNameSelectDlg::OnOK()
{
    const int row = m_pList->GetSelectedRow();
    if (row < 0) {
        fw::AfxMessageBox(naming::kIdpNoDataSelected);
        return;
    }
    m_nTankIndex = static_cast<int16_t>(m_pList->GetItemData(row) & 0xFFFFu);
    EndDialog(fw::IDOK);
}
