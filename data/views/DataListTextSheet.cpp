#include "data/views/DataListTextSheet.h"

#include "common/tank/DataTankList.h"
#include "common/tank/DataTankObject.h"
#include "docbase/doc/KivDocBase.h"
#include "project/model/KIV5980Doc.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/QtText.h"

#include <QDialog>
#include <QTabWidget>
#include <QTreeWidget>

#include <algorithm>
#include <new>
#include <string>

FW_IMPLEMENT_DYNAMIC(CDataListTextPageBase, fw::CDialog)
FW_IMPLEMENT_DYNAMIC(CDataListTextPage, CDataListTextPageBase)
FW_IMPLEMENT_DYNAMIC(CDataListTextAllPage, CDataListTextPageBase)
FW_IMPLEMENT_DYNAMIC(CDataListText5950Page, CDataListTextPageBase)
FW_IMPLEMENT_DYNAMIC(CDataListDADiSPPage, CDataListTextPageBase)
FW_IMPLEMENT_DYNAMIC(CDataListTextSheet, fw::CDialog)

FW_BEGIN_COMMANDS(CDataListTextPageBase, fw::CDialog)
    FW_ON_BN_CLICKED(CDataListTextPageBase::kIdName, &CDataListTextPageBase::OnNameUnitCheck)
    FW_ON_BN_CLICKED(CDataListTextPageBase::kIdUnit, &CDataListTextPageBase::OnNameUnitCheck)
FW_END_COMMANDS

FW_BEGIN_COMMANDS(CDataListTextPage, CDataListTextPageBase)
    FW_ON_BN_CLICKED(CDataListTextPage::kIdSelectionAsSteps, &CDataListTextPage::OnSetSelectionAsSteps)
    FW_ON_COMMAND(CDataListTextPage::kIdSelectAll, &CDataListTextPage::OnSelectAll)
FW_END_COMMANDS

namespace {

constexpr int kColumnRole = Qt::UserRole;

// The channels of the chosen-channels page: name and number, the sheet
// column kept with each row; several rows may be chosen.
class CChannelListCtrl : public fw::CControl {
public:
    CChannelListCtrl()
    {
        auto* tree = new QTreeWidget;
        tree->setColumnCount(2);
        tree->setHeaderLabels({fw::ToQ(fw::CString("名前")), fw::ToQ(fw::CString("CH/NO"))});
        tree->setRootIsDecorated(false);
        tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
        Attach(tree);
    }
    QTreeWidget* Tree() const { return static_cast<QTreeWidget*>(Widget()); }
};

class CTabsCtrl : public fw::CWnd {
public:
    CTabsCtrl() { Attach(new QTabWidget); }
};

bool Checked(const fw::CWnd& host, int id)
{
    auto* box = host.GetDlgItemAs<fw::CButton>(id);
    return box && box->GetCheck() == fw::BST_CHECKED;
}

void ExchangeFlag(fw::CDataExchange* dx, int id, bool& flag)
{
    int value = flag ? 1 : 0;
    fw::DDX_Check(dx, id, value);
    flag = value != 0;
}

// The sheet column, 0 when the tank is not one of the document's channels.
int ChannelOf(CDataTankList* channels, CDataTankObject* tank)
{
    if (!channels)
        return -1;
    for (int i = 0; i < channels->GetSize(); ++i)
        if (channels->GetObjectAt(i) == tank)
            return i;
    return -1;
}

} // namespace

// --- the pages' common part -----------------------------------------------------------------

CDataListTextPageBase::CDataListTextPageBase(unsigned templateId, int32_t page, CDataListTextSheet& sheet)
    : fw::CDialog(templateId, nullptr), m_sheet(sheet), m_nPage(page)
{
}

tTextConvParam& CDataListTextPageBase::Options() const
{
    return m_sheet.m_options;
}

bool CDataListTextPageBase::OnSetActive()
{
    Options().page = m_nPage;
    if (m_bFirstActive)
        m_bFirstActive = false;
    else
        UpdateData(false);
    OnNameUnitCheck();
    return true;
}

void CDataListTextPageBase::OnNameUnitCheck()
{
    if (fw::CWnd* oneLine = GetDlgItem(kIdOneLine))
        oneLine->EnableWindow(Checked(*this, kIdName) && Checked(*this, kIdUnit));
}

void CDataListTextPageBase::BuildChecks(fw::DialogBuilder& b, bool title, bool oneLine)
{
    if (title)
        b.Check(kIdTitle, "試験タイトル");
    b.Check(kIdName, "名前");
    b.Check(kIdUnit, "単位");
    if (oneLine)
        b.Check(kIdOneLine, "名前,単位を一行に");
    b.Row();
}

void CDataListTextPageBase::BuildLimits(fw::DialogBuilder& b)
{
    b.Static(static_cast<int>(fw::IDC_STATIC), "CH/NO数");
    b.Edit(kIdFirst);
    b.Static(static_cast<int>(fw::IDC_STATIC), "ステップ数");
    b.Edit(kIdLast);
    b.Row();
}

void CDataListTextPageBase::ExchangeChecks(fw::CDataExchange* dx, bool title, bool oneLine)
{
    tTextConvParam& o = Options();
    if (title)
        ExchangeFlag(dx, kIdTitle, o.bTitle);
    ExchangeFlag(dx, kIdName, o.bName);
    ExchangeFlag(dx, kIdUnit, o.bUnit);
    if (oneLine)
        ExchangeFlag(dx, kIdOneLine, o.bOneLine);
}

void CDataListTextPageBase::ExchangeLimits(fw::CDataExchange* dx)
{
    tTextConvParam& o = Options();
    fw::DDX_Text(dx, kIdFirst, o.columnLimit);
    fw::DDV_MinMaxInt(dx, o.columnLimit, 1, tTextConvParam::kMaxColumnLimit);
    fw::DDX_Text(dx, kIdLast, o.rowLimit);
    fw::DDV_MinMaxInt(dx, o.rowLimit, 1, tTextConvParam::kMaxRowLimit);
}

// --- chosen channels ---------------------------------------------------------------------------

CDataListTextPage::CDataListTextPage(CDataListTextSheet& sheet)
    : CDataListTextPageBase(kTemplateId, tTextConvParam::kPageSelection, sheet)
{
}

void CDataListTextPage::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("選択して変換");
    b.Custom(kIdList, std::make_unique<CChannelListCtrl>());
    b.Row();
    BuildChecks(b, true, true);
    b.Static(static_cast<int>(fw::IDC_STATIC), "開始ステップ");
    b.Edit(kIdFirst);
    b.Static(static_cast<int>(fw::IDC_STATIC), "終了ステップ");
    b.Edit(kIdLast);
    b.Row();
    b.Button(kIdSelectionAsSteps, "選択範囲をステップに設定");
}

bool CDataListTextPage::OnInitDialog()
{
    if (m_sheet.m_pDoc)
        Options().OpenFor(m_sheet.m_pDoc->GetDocIdent(), m_sheet.m_nRowCount);
    FillList();
    for (int item = 0; item < GetItemCount(); ++item) {
        const int col = GetItemColumn(item);
        if (std::find(Options().columns.begin(), Options().columns.end(), col) != Options().columns.end())
            SetItemSelected(item, true);
    }
    Options().columns.clear();
    const CCellRange& sel = m_sheet.m_selection;
    if (fw::CWnd* button = GetDlgItem(kIdSelectionAsSteps))
        button->EnableWindow(sel.top >= 0 && sel.bottom > sel.top);
    UpdateData(false);
    OnNameUnitCheck();
    return true;
}

void CDataListTextPage::FillList()
{
    CKivDocBase* doc = m_sheet.m_pDoc;
    auto* list = GetDlgItemAs<CChannelListCtrl>(kIdList);
    if (!doc || !list)
        return;
    CUseTankList& used = doc->GetUseTanks();
    CDataTankList* channels = doc->GetChannelTankList();
    // Input channels first, then the calculated ones.
    for (const bool calculated : {false, true}) {
        for (int col = 0; col < used.GetSize(); ++col) {
            CDataTankObject* tank = used.GetObjectAt(col);
            if (!tank || tank->GetName().IsEmpty() || tank->GetDataType() == kTankTypeText ||
                tank->GetKind() == kTankKindChannelOff)
                continue;
            const int channel = ChannelOf(channels, tank);
            if (channel < 0 || (channel >= CKivDocBase::kFirstCalcChannel) != calculated)
                continue;
            const std::string number = calculated ? "NO" + std::to_string(channel - CKivDocBase::kFirstCalcChannel + 1)
                                                  : "CH" + std::to_string(channel + 1);
            auto* item = new QTreeWidgetItem(list->Tree(), {fw::ToQ(tank->GetName()), fw::ToQ(fw::CString(number))});
            item->setData(0, kColumnRole, col & 0xFFFF);
        }
    }
}

void CDataListTextPage::DoDataExchange(fw::CDataExchange* dx)
{
    ExchangeChecks(dx, true, true);
    tTextConvParam& o = Options();
    const int32_t rows = std::max(m_sheet.m_nRowCount, 1);
    fw::DDX_Text(dx, kIdFirst, o.firstRow);
    fw::DDV_MinMaxInt(dx, o.firstRow, 1, rows);
    fw::DDX_Text(dx, kIdLast, o.lastRow);
    fw::DDV_MinMaxInt(dx, o.lastRow, 1, rows);
}

bool CDataListTextPage::OnSheetOK()
{
    if (!UpdateData(true))
        return false;
    const unsigned message = Options().AcceptSelection(SelectedColumns());
    if (message == 0)
        return true;
    fw::AfxMessageBox(message, fw::MB_OK | fw::MB_ICONEXCLAMATION);
    return false;
}

void CDataListTextPage::OnSetSelectionAsSteps()
{
    const CCellRange& sel = m_sheet.m_selection;
    Options().firstRow = sel.top + 1;
    Options().lastRow = sel.bottom + 1;
    SetDlgItemText(kIdFirst, fw::CString(std::to_string(Options().firstRow)));
    SetDlgItemText(kIdLast, fw::CString(std::to_string(Options().lastRow)));
}

void CDataListTextPage::OnSelectAll()
{
    if (auto* list = GetDlgItemAs<CChannelListCtrl>(kIdList))
        list->Tree()->selectAll();
}

int CDataListTextPage::GetItemCount() const
{
    auto* list = GetDlgItemAs<CChannelListCtrl>(kIdList);
    return list ? list->Tree()->topLevelItemCount() : 0;
}

fw::CString CDataListTextPage::GetItemText(int item, int column) const
{
    auto* list = GetDlgItemAs<CChannelListCtrl>(kIdList);
    QTreeWidgetItem* row = list ? list->Tree()->topLevelItem(item) : nullptr;
    return row ? fw::FromQ(row->text(column)) : fw::CString();
}

int CDataListTextPage::GetItemColumn(int item) const
{
    auto* list = GetDlgItemAs<CChannelListCtrl>(kIdList);
    QTreeWidgetItem* row = list ? list->Tree()->topLevelItem(item) : nullptr;
    return row ? row->data(0, kColumnRole).toInt() : -1;
}

void CDataListTextPage::SetItemSelected(int item, bool selected)
{
    auto* list = GetDlgItemAs<CChannelListCtrl>(kIdList);
    if (QTreeWidgetItem* row = list ? list->Tree()->topLevelItem(item) : nullptr)
        row->setSelected(selected);
}

std::vector<int> CDataListTextPage::SelectedColumns() const
{
    std::vector<int> columns;
    auto* list = GetDlgItemAs<CChannelListCtrl>(kIdList);
    for (int item = 0; list && item < list->Tree()->topLevelItemCount(); ++item)
        if (list->Tree()->topLevelItem(item)->isSelected())
            columns.push_back(GetItemColumn(item));
    return columns;
}

// --- all channels, LOB-5950, DADiSP ----------------------------------------------------------------

CDataListTextAllPage::CDataListTextAllPage(CDataListTextSheet& sheet)
    : CDataListTextPageBase(kTemplateId, tTextConvParam::kPageList, sheet)
{
}

void CDataListTextAllPage::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("全て変換");
    BuildChecks(b, true, true);
    BuildLimits(b);
}

bool CDataListTextAllPage::OnInitDialog()
{
    UpdateData(false);
    OnNameUnitCheck();
    return true;
}

void CDataListTextAllPage::DoDataExchange(fw::CDataExchange* dx)
{
    ExchangeChecks(dx, true, true);
    ExchangeLimits(dx);
}

CDataListText5950Page::CDataListText5950Page(CDataListTextSheet& sheet)
    : CDataListTextPageBase(kTemplateId, tTextConvParam::kPageLob, sheet)
{
}

void CDataListText5950Page::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("LOB-5950互換");
    BuildLimits(b);
}

void CDataListText5950Page::DoDataExchange(fw::CDataExchange* dx)
{
    ExchangeLimits(dx);
}

CDataListDADiSPPage::CDataListDADiSPPage(CDataListTextSheet& sheet)
    : CDataListTextPageBase(kTemplateId, tTextConvParam::kPageDadisp, sheet)
{
}

void CDataListDADiSPPage::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("DADiSP互換");
    BuildChecks(b, false, false);
    BuildLimits(b);
}

void CDataListDADiSPPage::DoDataExchange(fw::CDataExchange* dx)
{
    ExchangeChecks(dx, false, false);
    ExchangeLimits(dx);
}

// --- the sheet -------------------------------------------------------------------------------------

CDataListTextSheet::CDataListTextSheet(unsigned captionId, fw::CWnd* parent, int32_t firstPage)
    : fw::CDialog(captionId, parent), m_nFirstPage(std::clamp(firstPage, 0, kPageCount - 1))
{
}

// The pages go before the sheet's widget, which holds theirs in its tabs.
CDataListTextSheet::~CDataListTextSheet()
{
    // Tabs removed with their pages move the current index: no page is
    // activated (or asked to let go) any more.
    m_bSwitching = true;
    for (auto& page : m_pages)
        page.reset();
}

void CDataListTextSheet::MakePages()
{
    m_pages[0] = std::make_unique<CDataListTextPage>(*this);
    m_pages[1] = std::make_unique<CDataListTextAllPage>(*this);
    m_pages[2] = std::make_unique<CDataListText5950Page>(*this);
    m_pages[3] = std::make_unique<CDataListDADiSPPage>(*this);
}

int CDataListTextSheet::DoModal()
{
    try {
        if (!m_pages[0])
            MakePages();
    } catch (const std::bad_alloc& e) {
        fw::ReportException(e);
        return kPagesFailed;
    }
    return fw::CDialog::DoModal();
}

void CDataListTextSheet::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("データのテキスト変換");
    b.Custom(kIdTabs, std::make_unique<CTabsCtrl>());
    b.Row();
    // No Apply: the options count only once the sheet is closed with OK.
    b.OkCancel("OK", "キャンセル");
}

QTabWidget* CDataListTextSheet::Tabs() const
{
    fw::CWnd* tabs = GetDlgItem(kIdTabs);
    return tabs ? static_cast<QTabWidget*>(tabs->Widget()) : nullptr;
}

CDataListTextPageBase* CDataListTextSheet::GetPage(int index) const
{
    return index >= 0 && index < kPageCount ? m_pages[static_cast<size_t>(index)].get() : nullptr;
}

bool CDataListTextSheet::OnInitDialog()
{
    if (!m_pages[0])
        MakePages();
    QTabWidget* tabs = Tabs();
    for (auto& page : m_pages) {
        page->EnsureBuilt();
        QDialog* widget = page->Dialog();
        // As a tab the page is a plain child widget, not a window.
        tabs->addTab(widget, widget->windowTitle());
    }
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this](int index) {
        Guard([&] { OnTabChanged(index); });
    });
    SetActivePage(m_nFirstPage);
    return true;
}

void CDataListTextSheet::OnTabChanged(int index)
{
    if (m_bSwitching || index == m_nActive)
        return;
    if (ActivatePage(index))
        return;
    // A tab the user clicked while the shown page refused to go: the tab
    // goes back once Qt has finished switching.
    QTabWidget* tabs = Tabs();
    QMetaObject::invokeMethod(
        tabs,
        [this, tabs] {
            m_bSwitching = true;
            tabs->setCurrentIndex(m_nActive);
            m_bSwitching = false;
        },
        Qt::QueuedConnection);
}

bool CDataListTextSheet::ActivatePage(int index)
{
    CDataListTextPageBase* page = GetPage(index);
    if (!page)
        return false;
    if (CDataListTextPageBase* leaving = GetPage(m_nActive); leaving && leaving != page && !leaving->OnKillActive())
        return false;
    m_nActive = index;
    page->InitDialog();
    page->OnSetActive();
    return true;
}

bool CDataListTextSheet::SetActivePage(int index)
{
    if (index == m_nActive)
        return true;
    if (!ActivatePage(index))
        return false;
    if (QTabWidget* tabs = Tabs()) {
        m_bSwitching = true;
        tabs->setCurrentIndex(index);
        m_bSwitching = false;
    }
    return true;
}

void CDataListTextSheet::OnOK()
{
    CDataListTextPageBase* page = GetPage(m_nActive);
    if (page && !page->OnSheetOK())
        return;
    EndDialog(fw::IDOK);
}

bool CDataListTextSheetRunner::Run(tTextConvParam& options, const CCellRange& selection, CKIV5980Doc& doc,
                                   fw::CWnd* parent)
{
    CDataListTextSheet sheet(CDataListTextSheet::kIdsCaption, parent, options.page);
    sheet.m_options = options;
    sheet.m_pDoc = &doc;
    sheet.m_selection = selection;
    // The project's list has a row per filled step.
    sheet.m_nRowCount = doc.GetUseTanks().GetLastFilledIndex(0, -1) + 1;
    if (sheet.DoModal() != fw::IDOK)
        return false;
    options = sheet.m_options;
    return true;
}
