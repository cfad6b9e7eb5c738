#include "graphdoc/views/GraphDataPages.h"

#include "common/calc/GpsCanTankLists.h"
#include "common/tank/DataTankList.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/KivDocBase.h"
#include "docview/naming/NameListCtrl.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/QtText.h"
#include "graphdoc/model/GraphDataRules.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/ProfileTanks.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"
#include "graphdoc/views/SheetSelectCombBox.h"

#include <QDialog>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>

#include <new>

using graphdata::ListRows;
using graphdata::RowBlock;
using graphdata::Source;

FW_IMPLEMENT_DYNAMIC(CGraphSheetPage, fw::CDialog)
FW_IMPLEMENT_DYNAMIC(CGraphDataPage, CGraphSheetPage)
FW_IMPLEMENT_DYNAMIC(CGraphMoniPage, CGraphSheetPage)
FW_IMPLEMENT_DYNAMIC(CGraphDataDialog, fw::CWnd)

FW_BEGIN_COMMANDS(CGraphDataPage, CGraphSheetPage)
    FW_ON_CBN_SELCHANGE(CGraphDataPage::IDC_DOCUMENT, &CGraphDataPage::OnDocumentChanged)
FW_END_COMMANDS

FW_BEGIN_COMMANDS(CGraphMoniPage, CGraphSheetPage)
    FW_ON_BN_CLICKED(CGraphMoniPage::IDC_AUTO_RANGE, &CGraphMoniPage::EnableRangeControls)
FW_END_COMMANDS

namespace {

constexpr unsigned kProjectTemplate = 129;
constexpr unsigned kDataTemplate = 130;
constexpr int kHistoryCycleKind = 7;
constexpr int kHistoryKind = 8;
constexpr int kMonitorCreation = 10;

} // namespace

CKivDocBase* FindOpenSource(const CDocIdent* ident)
{
    if (!ident || ident->IsNone())
        return nullptr;
    for (unsigned id : {kProjectTemplate, kDataTemplate}) {
        std::vector<CKivDocBase*> documents;
        if (!GraphPageHost().DocumentsOfTemplate(id, documents))
            continue;
        for (CKivDocBase* doc : documents)
            if (doc->GetDocIdent() == *ident)
                return doc;
    }
    return nullptr;
}

namespace {

int MaxSampleCount(CKivDocBase& doc)
{
    int count = 0;
    if (CDataTankList* tanks = doc.GetChannelTankList())
        for (int i = 0; i < tanks->GetSize(); ++i)
            if (CDataTankObject* tank = tanks->GetObjectAt(i))
                count = std::max(count, tank->GetDataCount());
    return count;
}

// History graphs count the steps of the project's measurement history.
int CycleCount(CKivDocBase& doc)
{
    return CProfileTanks::HistoryStepCount(doc);
}

void SetMultiple(CNameListCtrl& list, bool multiple)
{
    list.Table()->setSelectionMode(multiple ? QAbstractItemView::MultiSelection
                                            : QAbstractItemView::SingleSelection);
}

} // namespace

// --- the page base ----------------------------------------------------------------

CGraphSheetPage::CGraphSheetPage(unsigned templateId, CSimpleGraphPrfList& list)
    : fw::CDialog(templateId), m_list(list)
{
}

CGraphPrf* CGraphSheetPage::Profile() const
{
    const int index = m_values.index;
    return index >= 0 && index < m_list.GetSize() ? m_list.GetAt(index) : nullptr;
}

int CGraphSheetPage::CreationKind() const
{
    return m_list.m_creationKind;
}

void CGraphSheetPage::OnOK()
{
    if (m_pOwner)
        m_pOwner->OnOK();
}

void CGraphSheetPage::OnCancel()
{
    if (m_pOwner)
        m_pOwner->OnCancel();
}

void CGraphSheetPage::Changed()
{
    if (m_onChanged)
        m_onChanged();
}

void CGraphSheetPage::Fail()
{
    if (m_pOwner)
        m_pOwner->EndDialog(-1);
}

// --- the data page -------------------------------------------------------------------

CGraphDataPage::CGraphDataPage(CSimpleGraphPrfList& list) : CGraphSheetPage(IDD, list)
{
}

void CGraphDataPage::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("作図データ");
    b.Static(static_cast<int>(fw::IDC_STATIC), "参照ファイル名");
    b.Custom(IDC_DOCUMENT, std::make_unique<CSheetSelectCombBox>());
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "X軸");
    b.Static(static_cast<int>(fw::IDC_STATIC), "Y軸");
    b.Row();
    auto& x = static_cast<CNameListCtrl&>(b.Custom(IDC_XLIST, std::make_unique<CNameListCtrl>()));
    auto& y = static_cast<CNameListCtrl&>(b.Custom(IDC_YLIST, std::make_unique<CNameListCtrl>()));
    // A click in either list changes which rows the other allows.
    for (CNameListCtrl* list : {&x, &y})
        QObject::connect(list->Table(), &QTableWidget::itemSelectionChanged, list->Table(),
                         [this] { Guard([&] { UpdateListModes(); }); });
}

CNameListCtrl* CGraphDataPage::XList() const
{
    return GetDlgItemAs<CNameListCtrl>(IDC_XLIST);
}

CNameListCtrl* CGraphDataPage::YList() const
{
    return GetDlgItemAs<CNameListCtrl>(IDC_YLIST);
}

CSheetSelectCombBox* CGraphDataPage::Combo() const
{
    return GetDlgItemAs<CSheetSelectCombBox>(IDC_DOCUMENT);
}

bool CGraphDataPage::OnInitDialog()
{
    const graphdata::ColumnKinds columns =
        graphdata::ListColumns(m_values.graphType, CreationKind(), m_values.layoutMode);
    if (!XList()->InsertColumns(columns.x) || !YList()->InsertColumns(columns.y)) {
        Fail();
        return true;
    }
    CSheetSelectCombBox& combo = *Combo();
    const CGraphPrf* shown = Profile();
    const CDocIdent ident = shown ? shown->m_docIdent : CDocIdent();
    const fw::CString name = shown ? shown->m_strSourceName : fw::CString();
    bool ok = combo.FillDocuments(nullptr, ident, name, m_values.projectOnly == 1);
    for (int i = 0; ok && i < m_list.GetSize(); ++i) {
        if (i == m_values.index)
            continue;
        const CGraphPrf& other = *m_list.GetAt(i);
        if (!other.m_docIdent.IsNone())
            ok = combo.AddDocument(other.m_docIdent, other.m_strSourceName);
    }
    if (!ok) {
        Fail();
        return true;
    }
    if (combo.GetCurSel() < 0 && combo.GetCount() > 0)
        combo.SetCurSel(0);
    OnDocumentChanged();
    return true;
}

CDataTankList* CGraphDataPage::SourceList(CKivDocBase& document, const RowBlock& block)
{
    const bool history = block.source == Source::cycleData || block.source == Source::cycleList;
    m_pLists = std::make_unique<CProfileTanks>(document, history);
    switch (block.source) {
    case Source::usedTanks:
    case Source::monitorChannels:
        return document.GetChannelTankList();
    case Source::opData:
        return m_pLists->List(profilelist::kOpData);
    case Source::canChannels:
        return m_pLists->List(profilelist::kCanChannels);
    case Source::cycleData:
        return m_pLists->List(profilelist::kUsedTanks);
    case Source::cycleList:
        return m_pLists->List(profilelist::kCycleList);
    }
    return nullptr;
}

bool CGraphDataPage::FillList(CNameListCtrl& list, const ListRows& rows)
{
    for (int b = 0; b < rows.count; ++b) {
        const RowBlock& block = rows.blocks[b];
        CDataTankList* tanks = SourceList(*m_pDocument, block);
        const bool added = !tanks || list.AddNames(tanks, block.prefix, 0, block.first, block.last, block.listKind);
        m_pLists.reset();
        if (!added)
            return false;
    }
    return true;
}

void CGraphDataPage::TakeDocument(CGraphPrf& profile)
{
    if (m_values.index > 0) {
        const CDocIdent* ident = Combo()->GetSelectedIdent();
        profile.m_docIdent = ident ? *ident : CDocIdent();
        return;
    }
    profile.m_rangeStart = 1;
    if (!m_pDocument) {
        profile.m_docIdent = CDocIdent();
        profile.m_rangeEnd = 1;
        return;
    }
    profile.m_docIdent = m_pDocument->GetDocIdent();
    const int kind = CreationKind();
    int end = 0;
    if (kind == kHistoryCycleKind || kind == kHistoryKind)
        end = CycleCount(*m_pDocument);
    else if (m_values.monitor == 1)
        end = graphdata::kMaxMonitorRange;
    else
        end = MaxSampleCount(*m_pDocument);
    profile.m_rangeEnd = std::max(end, 1);
}

void CGraphDataPage::OnDocumentChanged()
{
    m_pDocument = FindOpenSource(Combo()->GetSelectedIdent());
    CNameListCtrl& x = *XList();
    CNameListCtrl& y = *YList();
    x.DeleteAllItems();
    y.DeleteAllItems();
    if (m_pDocument) {
        const graphdata::ListFill fill = graphdata::ListContents(m_values.graphType, CreationKind());
        if (!FillList(y, fill.y) || !FillList(x, fill.x)) {
            if (!m_bFilled) {
                Fail();
                return;
            }
        }
        m_bFilled = true;
    }
    if (CGraphPrf* profile = Profile()) {
        TakeDocument(*profile);
        if (m_onProfileTaken)
            m_onProfileTaken(m_values.index);
    }
    SelectProfileChannels();
    UpdateListModes();
}

void CGraphDataPage::SelectRows(CNameListCtrl& list, const std::vector<int32_t>& channels,
                                const std::vector<int16_t>& kinds, int16_t defaultKind)
{
    QTableWidget* table = list.Table();
    for (size_t i = 0; i < channels.size(); ++i) {
        const int16_t kind = i < kinds.size() ? kinds[i] : defaultKind;
        const uint32_t wanted = (uint32_t(uint16_t(kind)) << 16) | (uint32_t(channels[i]) & 0xFFFFu);
        for (int row = 0; row < list.GetItemCount(); ++row)
            if (list.GetItemData(row) == wanted)
                table->selectionModel()->select(table->model()->index(row, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void CGraphDataPage::SelectProfileChannels()
{
    CNameListCtrl& x = *XList();
    CNameListCtrl& y = *YList();
    const QSignalBlocker bx(x.Table());
    const QSignalBlocker by(y.Table());
    x.ClearSelection();
    y.ClearSelection();
    const CGraphPrf* profile = Profile();
    if (!profile || !m_pDocument || !(profile->m_docIdent == m_pDocument->GetDocIdent()))
        return;
    if (profile->m_xChannels.empty()) {
        int index = 0;
        int kind = 0;
        if (graphdata::DefaultXChannel(CreationKind(), index, kind))
            SelectRows(x, {index}, {static_cast<int16_t>(kind)}, 2);
    } else {
        SelectRows(x, profile->m_xChannels, profile->m_xListKinds, 2);
    }
    SelectRows(y, profile->m_yChannels, profile->m_yListKinds, 2);
}

std::vector<int> CGraphDataPage::SelectedRows(const CNameListCtrl& list)
{
    std::vector<int> rows;
    const QTableWidget* table = list.Table();
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem* item = table->item(row, 0);
        if (item && item->isSelected())
            rows.push_back(row);
    }
    return rows;
}

void CGraphDataPage::UpdateListModes()
{
    CNameListCtrl& x = *XList();
    CNameListCtrl& y = *YList();
    x.EnableWindow(true);
    const graphdata::ListModes modes = graphdata::ComputeListModes(
        m_values.graphType, CreationKind(), m_values.index, static_cast<int>(SelectedRows(x).size()),
        static_cast<int>(SelectedRows(y).size()));
    SetMultiple(x, modes.xMultiple);
    SetMultiple(y, modes.yMultiple);
    x.EnableWindow(modes.xEnabled);
    Changed();
}

void CGraphDataPage::StoreSelection(const CNameListCtrl& list, std::vector<int32_t>& channels,
                                    std::vector<int16_t>& kinds)
{
    channels.clear();
    kinds.clear();
    for (int row : SelectedRows(list)) {
        const uint32_t data = list.GetItemData(row);
        channels.push_back(static_cast<int32_t>(data & 0xFFFFu));
        kinds.push_back(static_cast<int16_t>(data >> 16));
    }
}

void CGraphDataPage::DoDataExchange(fw::CDataExchange* dx)
{
    if (!dx->m_bSaveAndValidate || !m_pDocument)
        return;
    CGraphPrf* profile = Profile();
    if (!profile)
        return;
    const bool xChosen = !SelectedRows(*XList()).empty();
    const bool yChosen = !SelectedRows(*YList()).empty();
    if (m_values.index > 0 && (!xChosen || !yChosen)) {
        fw::AfxMessageBox(kTextNoSelection);
        dx->PrepareCtrl(xChosen ? IDC_YLIST : IDC_XLIST);
        dx->Fail();
    }
    try {
        StoreSelection(*XList(), profile->m_xChannels, profile->m_xListKinds);
        StoreSelection(*YList(), profile->m_yChannels, profile->m_yListKinds);
    } catch (const std::bad_alloc& e) {
        fw::ReportException(e);
        dx->Fail();
    }
}

bool CGraphDataPage::SetProfileIndex(int index, bool validate)
{
    if (validate && !UpdateData(true))
        return false;
    m_values.index = index;
    const CGraphPrf* profile = Profile();
    if (profile && Combo()->SelectDocument(profile->m_docIdent)) {
        OnDocumentChanged();
        return true;
    }
    SelectProfileChannels();
    UpdateListModes();
    return true;
}

// --- the method page ------------------------------------------------------------------

CGraphMoniPage::CGraphMoniPage(CSimpleGraphPrfList& list) : CGraphSheetPage(IDD, list)
{
}

void CGraphMoniPage::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("作図方法");
    b.Static(IDC_RANGE_LABEL, "作図範囲");
    b.Edit(IDC_START);
    b.Static(IDC_FROM_LABEL, "から");
    b.Edit(IDC_END);
    b.Static(IDC_STEP_LABEL, "ステップ");
    b.Row();
    b.Check(IDC_AUTO_RANGE, "自動的に作図範囲を調整する");
    b.Row();
    b.Static(IDC_ORDER_GROUP, "作図順序");
    b.Radio(IDC_ORDER, "Op.Data順", true);
    b.Radio(IDC_ORDER_NUMBER, "No.順");
    b.Row();
    b.Check(IDC_AUTO_SCROLL, "X軸を自動的にスクロールする\n(全ての作図線に共通の設定です)");
    b.Row();
    b.Check(IDC_STEP_LINES, "水平線垂直線で結ぶ");
}

void CGraphMoniPage::ShowByLayout()
{
    const bool orderShown = m_values.layoutMode == 1;
    const bool rangeShown = !orderShown && m_values.monitor != 1;
    auto show = [this](int id, bool on) {
        if (fw::CWnd* w = GetDlgItem(id))
            w->ShowWindow(on ? fw::SW_SHOW : fw::SW_HIDE);
    };
    for (int id : {IDC_ORDER_GROUP, IDC_ORDER, IDC_ORDER_NUMBER})
        show(id, orderShown);
    for (int id : {IDC_RANGE_LABEL, IDC_FROM_LABEL, IDC_START, IDC_END, IDC_STEP_LABEL, IDC_AUTO_RANGE})
        show(id, rangeShown);
    show(IDC_AUTO_SCROLL, CreationKind() == kMonitorCreation);
    show(IDC_STEP_LINES, CreationKind() == kMonitorCreation || CreationKind() == 2);
}

bool CGraphMoniPage::OnInitDialog()
{
    UpdateData(false);
    ShowByLayout();
    EnableRangeControls();
    return true;
}

void CGraphMoniPage::EnableRangeControls()
{
    if (m_values.layoutMode == 1)
        return;
    auto* check = GetDlgItemAs<fw::CButton>(IDC_AUTO_RANGE);
    const bool automatic = check && check->GetCheck() != 0;
    for (int id : {IDC_RANGE_LABEL, IDC_FROM_LABEL, IDC_START, IDC_END, IDC_STEP_LABEL})
        if (fw::CWnd* w = GetDlgItem(id))
            w->EnableWindow(!automatic);
}

void CGraphMoniPage::DoDataExchange(fw::CDataExchange* dx)
{
    CGraphPrf* profile = Profile();
    if (!profile)
        return;
    const int32_t limit = graphdata::RangeLimit(m_values.monitor);
    fw::DDX_Text(dx, IDC_START, profile->m_rangeStart);
    fw::DDV_MinMaxInt(dx, profile->m_rangeStart, 1, limit);
    fw::DDX_Text(dx, IDC_END, profile->m_rangeEnd);
    fw::DDV_MinMaxInt(dx, profile->m_rangeEnd, 1, limit);
    int automatic = profile->m_autoRange;
    fw::DDX_Check(dx, IDC_AUTO_RANGE, automatic);
    int order = profile->m_plotOrder;
    fw::DDX_Radio(dx, IDC_ORDER, order);
    int scroll = m_list.m_autoScroll;
    fw::DDX_Check(dx, IDC_AUTO_SCROLL, scroll);
    int steps = profile->m_stepLines;
    fw::DDX_Check(dx, IDC_STEP_LINES, steps);
    if (dx->m_bSaveAndValidate) {
        profile->m_autoRange = automatic;
        profile->m_plotOrder = order;
        m_list.m_autoScroll = scroll;
        profile->m_stepLines = static_cast<int16_t>(steps);
    }
}

bool CGraphMoniPage::SetProfileIndex(int index, bool validate)
{
    if (validate && !UpdateData(true))
        return false;
    m_values.index = index;
    if (Widget()) {
        UpdateData(false);
        ShowByLayout();
        EnableRangeControls();
    }
    return true;
}

// --- the sheet -------------------------------------------------------------------------

CGraphDataDialog::CGraphDataDialog(CSimpleGraphPrfList& list) : m_list(list)
{
    auto* tabs = new QTabWidget;
    tabs->setWindowTitle(fw::ToQ(fw::LoadStringText(kIdsCaption)));
    Attach(tabs);
}

CGraphDataDialog::~CGraphDataDialog() = default;

QTabWidget* CGraphDataDialog::Tabs() const
{
    return static_cast<QTabWidget*>(Widget());
}

void CGraphDataDialog::AddPages(CGraphDataPage& data, CGraphMoniPage& method)
{
    for (CGraphSheetPage* page : {static_cast<CGraphSheetPage*>(&data), static_cast<CGraphSheetPage*>(&method)}) {
        page->EnsureBuilt();
        QDialog* widget = page->Dialog();
        // As a tab the page is a plain child widget, not a window.
        Tabs()->addTab(widget, widget->windowTitle());
    }
    method.InitDialog();
    data.InitDialog();
}

void CGraphDataDialog::SetActivePage(int index)
{
    Tabs()->setCurrentIndex(index);
}

int CGraphDataDialog::GetActiveIndex() const
{
    return Tabs()->currentIndex();
}
