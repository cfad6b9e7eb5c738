#include "graphdoc/views/GraphPropaty.h"

#include "docbase/doc/KivDocBase.h"
#include "docview/controls/LineListBox.h"
#include "docview/naming/NameListCtrl.h"
#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "graphdoc/model/GraphDataRules.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"
#include "graphdoc/views/GraphDataPages.h"

#include <QDialog>
#include <QListWidget>

#include <new>

FW_IMPLEMENT_DYNAMIC(CGraphPropaty, fw::CDialog)

FW_BEGIN_COMMANDS(CGraphPropaty, fw::CDialog)
    FW_ON_BN_CLICKED(CGraphPropaty::IDC_CREATE, &CGraphPropaty::OnCreate)
    FW_ON_BN_CLICKED(CGraphPropaty::IDC_DELETE, &CGraphPropaty::OnDelete)
    FW_ON_LBN_SELCHANGE(CGraphPropaty::IDC_LINES, &CGraphPropaty::OnSelectLine)
FW_END_COMMANDS

CGraphPropaty::CGraphPropaty(CSimpleGraphPrfList& list, int layoutMode, int graphType, int, fw::CWnd* parent)
    : fw::CDialog(IDD, parent), m_list(list), m_nLayoutMode(layoutMode), m_nGraphType(graphType)
{
}

// The pages go before the dialog's widget, which holds theirs in its tabs.
CGraphPropaty::~CGraphPropaty()
{
    m_pDataPage.reset();
    m_pMethodPage.reset();
}

void CGraphPropaty::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("作図ﾃﾞｰﾀの設定");
    b.Group("作図ライン");
    b.Custom(IDC_LINES, std::make_unique<CLineListBox>());
    b.Row();
    b.Button(IDC_CREATE, "作成");
    b.Button(IDC_DELETE, "削除");
    b.EndGroup();
    m_pSheet = &static_cast<CGraphDataDialog&>(b.Custom(IDC_SHEET, std::make_unique<CGraphDataDialog>(m_list)));
    b.OkCancel("OK", "キャンセル");
}

CLineListBox* CGraphPropaty::Lines() const
{
    return GetDlgItemAs<CLineListBox>(IDC_LINES);
}

bool CGraphPropaty::OnInitDialog()
{
    try {
        m_pDataPage = std::make_unique<CGraphDataPage>(m_list);
        m_pMethodPage = std::make_unique<CGraphMoniPage>(m_list);
        for (CGraphSheetPage* page : {static_cast<CGraphSheetPage*>(m_pDataPage.get()),
                                      static_cast<CGraphSheetPage*>(m_pMethodPage.get())}) {
            page->m_values = {m_nIndex, m_nLayoutMode, m_nGraphType, m_nMonitor, m_nProjectOnly};
            page->m_pOwner = this;
            page->m_onChanged = [this] { RefreshButtons(); };
        }
        // The method page shows the range the data page just set, unless it
        // still shows another profile (it then stores its own first).
        m_pDataPage->m_onProfileTaken = [this](int index) {
            if (m_pMethodPage->Widget() && m_pMethodPage->GetProfileIndex() == index)
                m_pMethodPage->SetProfileIndex(index, false);
        };
        Lines()->List()->setSelectionMode(QAbstractItemView::ExtendedSelection);
        for (int i = 0; i < m_list.GetSize(); ++i)
            AddLineRow();
        SelectOnly(m_nIndex);
        m_pSheet->AddPages(*m_pDataPage, *m_pMethodPage);
        m_pSheet->SetActivePage(1);
        m_pSheet->SetActivePage(0);
        if (IsEnded())
            return true;
        m_pDataPage->UpdateListModes();
        RefreshButtons();
    } catch (const std::bad_alloc& e) {
        fw::ReportException(e);
        EndDialog(-1);
    }
    return true;
}

void CGraphPropaty::AddLineRow()
{
    Lines()->AddString("");
}

void CGraphPropaty::SelectOnly(int row)
{
    Lines()->SetCurSel(row);
    QListWidget* list = Lines()->List();
    list->clearSelection();
    if (QListWidgetItem* item = list->item(row))
        item->setSelected(true);
}

std::vector<int> CGraphPropaty::SelectedLines() const
{
    std::vector<int> rows;
    QListWidget* list = Lines()->List();
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            rows.push_back(i);
    return rows;
}

void CGraphPropaty::RefreshButtons()
{
    if (!m_pDataPage || !Lines())
        return;
    const bool xChosen = !CGraphDataPage::SelectedRows(*m_pDataPage->XList()).empty();
    const bool yChosen = !CGraphDataPage::SelectedRows(*m_pDataPage->YList()).empty();
    if (fw::CWnd* create = GetDlgItem(IDC_CREATE))
        create->EnableWindow(m_nIndex == 0 && xChosen && yChosen);
    if (fw::CWnd* remove = GetDlgItem(IDC_DELETE))
        remove->EnableWindow(SelectedLines().size() > 1 || m_nIndex != 0);
    if (fw::CWnd* ok = GetDlgItem(fw::IDOK))
        ok->EnableWindow(Lines()->GetCount() > 1);
}

void CGraphPropaty::OnCreate()
{
    if (!UpdateData(true))
        return;
    try {
        CGraphPrf& model = *m_list.GetAt(0);
        if (CKivDocBase* doc = m_pDataPage->SelectedDocument()) {
            model.m_docIdent = doc->GetDocIdent();
            model.m_strSourceName = doc->GetTitle();
        }
        const int added = graphdata::AppendPlotLines(m_list, m_nGraphType);
        for (int i = 0; i < added; ++i)
            AddLineRow();
    } catch (const std::bad_alloc& e) {
        fw::ReportException(e);
    }
    m_pDataPage->UpdateListModes();
    RefreshButtons();
}

void CGraphPropaty::OnDelete()
{
    QListWidget* list = Lines()->List();
    for (int row = list->count() - 1; row >= 1; --row) {
        if (!list->item(row)->isSelected())
            continue;
        Lines()->DeleteString(row);
        m_list.RemoveAt(row);
    }
    int caret = Lines()->GetCurSel();
    if (caret < 0 || caret >= Lines()->GetCount())
        caret = 0;
    m_nIndex = caret;
    SelectOnly(caret);
    m_pDataPage->SetProfileIndex(caret, false);
    m_pMethodPage->SetProfileIndex(caret, false);
    RefreshButtons();
}

void CGraphPropaty::OnSelectLine()
{
    const int previous = m_nIndex;
    const int caret = Lines()->GetCurSel();
    if (caret < 0 || caret == previous) {
        RefreshButtons();
        return;
    }
    m_nIndex = caret;
    if (!m_pDataPage->SetProfileIndex(caret, true)) {
        m_nIndex = previous;
        SelectOnly(previous);
        RefreshButtons();
        return;
    }
    if (!m_pMethodPage->SetProfileIndex(caret, true)) {
        m_nIndex = previous;
        m_pDataPage->SetProfileIndex(previous, false);
        SelectOnly(previous);
    }
    RefreshButtons();
}

void CGraphPropaty::DoDataExchange(fw::CDataExchange* dx)
{
    // Both pages move their data in the same direction; either failing
    // fails the exchange.
    for (CGraphSheetPage* page : {static_cast<CGraphSheetPage*>(m_pDataPage.get()),
                                  static_cast<CGraphSheetPage*>(m_pMethodPage.get())}) {
        if (page && page->Widget() && !page->UpdateData(dx->m_bSaveAndValidate))
            dx->Fail();
    }
}
