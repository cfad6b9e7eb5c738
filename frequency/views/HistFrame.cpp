#include "frequency/views/HistFrame.h"

#include "docview/controls/ZELEdit.h"
#include "docview/controls/ZELTabCtrl.h"
#include "framework/core/Format.h"
#include "framework/core/ServiceSlot.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/SplitterWnd.h"
#include "frequency/document/HistDoc.h"
#include "frequency/model/HistCountArray.h"
#include "frequency/views/HistAmpInView.h"
#include "frequency/views/HistCountView.h"
#include "frequency/views/HistGraphMaker.h"
#include "frequency/views/HistOpeView.h"
#include "frequency/views/HistViewIds.h"
#include "grid/views/SpredView.h"

#include <QMainWindow>
#include <QSplitter>
#include <QStackedWidget>
#include <QWidget>

#include <cmath>

FW_IMPLEMENT_DYNAMIC(CHistFrameBar, fw::CDialogBar)
FW_IMPLEMENT_DYNCREATE(CHistFrame, fw::CMDIChildWnd)

using namespace histview;

namespace {

constexpr unsigned kSwitches[] = {kIdShowInput, kIdShowFrequency};
constexpr int kInfoFields[] = {kIdStartLabel, kIdStart, kIdStopLabel, kIdStop, kIdDurationLabel, kIdDuration};
constexpr int kEditContextMenu = 335;
constexpr int kSecondsPerDay = 86400;

// One change of the title field at a time, for the whole program: setting
// the cut text back raises a change of its own.
bool g_titleChanging = false;

// A view made inside a splitter row joins the row as a child of its own;
// the row's empty placeholder would stay beside it.
void DropPlaceholders(fw::CSplitterWnd& splitter, int row, fw::CWnd* view)
{
    QSplitter* r = splitter.RowSplitter(row);
    if (!r || !view)
        return;
    for (int i = r->count() - 1; i >= 0; --i)
        if (QWidget* w = r->widget(i); w && w != view->Widget())
            delete w;
}

fw::CString TimeText(const tHistTime& t)
{
    return fw::Format("'%0.2d/%0.2d/%0.2d %0.2d:%0.2d:%0.2d", t.field[0], t.field[1], t.field[2], t.field[3],
                      t.field[4], t.field[5]);
}

} // namespace

// ---- bar ---------------------------------------------------------------------------------------

bool CHistFrameBar::Create(fw::CFrameWnd* frame)
{
    return fw::CDialogBar::Create(
        frame,
        [](fw::DialogBuilder& b) {
            auto& tabs = static_cast<CZELTabCtrl&>(b.Custom(kIdTab, std::make_unique<CZELTabCtrl>()));
            tabs.SetFonts(600, 0, 0, 400, 0, 0);
            auto& title = static_cast<CZELEdit&>(b.Custom(kIdTitle, std::make_unique<CZELEdit>()));
            title.m_nMenuId = kEditContextMenu;
            title.LimitText(kTitleLimit);
            b.Row();
            b.Static(kIdStartLabel, "測定開始時刻");
            b.Static(kIdStart, "");
            b.Static(kIdStopLabel, "測定停止時刻");
            b.Static(kIdStop, "");
            b.Static(kIdDurationLabel, "測定時間");
            b.Static(kIdDuration, "");
        },
        kFrameBarId);
}

CZELTabCtrl* CHistFrameBar::Tabs() const { return GetDlgItemAs<CZELTabCtrl>(kIdTab); }

CZELEdit* CHistFrameBar::TitleField() const { return GetDlgItemAs<CZELEdit>(kIdTitle); }

void CHistFrameBar::SetTitleReadOnly(bool on)
{
    if (CZELEdit* edit = TitleField())
        edit->SetReadOnly(on);
}

// ---- frame -------------------------------------------------------------------------------------

FW_BEGIN_COMMANDS(CHistFrame, fw::CMDIChildWnd)
    FW_ON_COMMAND_RANGE(kIdShowInput, kIdShowFrequency, &CHistFrame::OnSwitchClient)
    FW_ON_UPDATE_RANGE(kIdShowInput, kIdShowFrequency, &CHistFrame::OnUpdateSwitch)
    FW_ON_CBN_SELCHANGE(kIdTab, &CHistFrame::OnTabChange)
    FW_ON_EN_USERCHANGE(kIdTitle, &CHistFrame::OnTitleChange)
    FW_ON_COMMAND(kIdFrequencyGraph, &CHistFrame::OnFrequencyGraph)
    FW_ON_UPDATE(kIdFrequencyGraph, &CHistFrame::OnUpdateFrequencyGraph)
FW_END_COMMANDS

CHistFrame::CHistFrame() : m_nSwitch(kIdShowInput) {}

CHistFrame::~CHistFrame()
{
    // The clients go before the frame's window, which holds their widgets.
    m_pInput.reset();
    m_pFrequency.reset();
}

bool CHistFrame::Create(const fw::CString& title, unsigned menuId)
{
    if (!fw::CMDIChildWnd::Create(title, menuId))
        return false;
    if (!m_bar.Create(this))
        return false;
    if (CZELTabCtrl* tabs = m_bar.Tabs()) {
        tabs->InsertItem(0, "入力CH");
        tabs->InsertItem(1, "頻度データ");
    }
    return true;
}

bool CHistFrame::OnCreateClient(fw::CDocument* document, const fw::CRuntimeClass* viewClass)
{
    m_pStack = new QStackedWidget;
    MainWindow()->setCentralWidget(m_pStack);
    m_pInput = std::make_unique<CZELGridSplitter>();
    if (!m_pInput->CreateStatic(nullptr, 1, 1, fw::AFX_IDW_PANE_FIRST))
        return false;
    m_pStack->addWidget(m_pInput->Widget());
    if (!m_pInput->CreateView(0, 0, viewClass ? viewClass : FW_RUNTIME_CLASS(CHistAmpInView), fw::CSize(),
                              document))
        return false;
    DropPlaceholders(*m_pInput, 0, m_pInput->GetPane(0, 0));

    m_pFrequency = std::make_unique<fw::CSplitterWnd>();
    if (!m_pFrequency->CreateStatic(nullptr, 2, 1, fw::AFX_IDW_PANE_FIRST + 1))
        return false;
    m_pStack->addWidget(m_pFrequency->Widget());
    if (!m_pFrequency->CreateView(0, 0, FW_RUNTIME_CLASS(CHistOpeView), fw::CSize(300, 100), document) ||
        !m_pFrequency->CreateView(1, 0, FW_RUNTIME_CLASS(CHistCountView), fw::CSize(200, 200), document))
        return false;
    DropPlaceholders(*m_pFrequency, 0, m_pFrequency->GetPane(0, 0));
    DropPlaceholders(*m_pFrequency, 1, m_pFrequency->GetPane(1, 0));
    m_pFrequency->RecalcLayout();
    CHistOpeView* analyses = AnalysisView();
    CHistCountView* counts = CountView();
    if (!analyses || !counts || !InputView())
        return false;
    analyses->SetCountView(counts);
    counts->SetAnalysisView(analyses);
    AttachView(InputView());
    AttachView(analyses);
    AttachView(counts);
    m_pCurrent = m_pInput.get();
    m_nSwitch = kIdShowInput;
    m_pStack->setCurrentWidget(m_pInput->Widget());
    return true;
}

CHistAmpInView* CHistFrame::InputView() const
{
    return m_pInput ? dynamic_cast<CHistAmpInView*>(m_pInput->GetPane(0, 0)) : nullptr;
}

CHistOpeView* CHistFrame::AnalysisView() const
{
    return m_pFrequency ? dynamic_cast<CHistOpeView*>(m_pFrequency->GetPane(0, 0)) : nullptr;
}

CHistCountView* CHistFrame::CountView() const
{
    return m_pFrequency ? dynamic_cast<CHistCountView*>(m_pFrequency->GetPane(1, 0)) : nullptr;
}

void CHistFrame::InitialUpdateFrame(fw::CDocument* document, bool makeVisible)
{
    SetActiveView(InputView());
    fw::CMDIChildWnd::InitialUpdateFrame(document, makeVisible);
    ActivateFrame(-1);
}

CHistDoc* CHistFrame::HistDoc() const { return dynamic_cast<CHistDoc*>(GetActiveDocument()); }

void CHistFrame::OnSwitchClient(unsigned id)
{
    fw::CWnd* target = id == kIdShowFrequency ? static_cast<fw::CWnd*>(m_pFrequency.get())
                                              : static_cast<fw::CWnd*>(m_pInput.get());
    if (!target || !m_pStack)
        return;
    if (target != m_pCurrent) {
        // The shown client always carries the first pane id.
        const int shownId = m_pCurrent ? m_pCurrent->GetDlgCtrlID() : fw::AFX_IDW_PANE_FIRST;
        if (m_pCurrent)
            m_pCurrent->SetDlgCtrlID(target->GetDlgCtrlID());
        target->SetDlgCtrlID(shownId);
        m_pStack->setCurrentWidget(target->Widget());
        m_pCurrent = target;
        m_nSwitch = id;
        target->Invalidate(true);
        fw::CView* first = id == kIdShowFrequency ? static_cast<fw::CView*>(AnalysisView())
                                                  : static_cast<fw::CView*>(InputView());
        if (first)
            SetActiveView(first);
    }
    if (CZELTabCtrl* tabs = m_bar.Tabs()) {
        const int index = id == kIdShowFrequency ? 1 : 0;
        if (tabs->GetCurSel() != index)
            tabs->SetCurSel(index);
    }
}

void CHistFrame::OnUpdateSwitch(fw::CCmdUI* ui)
{
    ui->Enable(true);
    ui->SetCheck(ui->m_nID == m_nSwitch ? 1 : 0);
}

void CHistFrame::OnTabChange()
{
    CZELTabCtrl* tabs = m_bar.Tabs();
    if (!tabs)
        return;
    const int index = tabs->GetCurSel();
    if (index >= 0 && index < 2)
        OnSwitchClient(kSwitches[index]);
}

void CHistFrame::GetInfoText(fw::CString& text, char sep) const
{
    bool first = true;
    for (int id : kInfoFields) {
        if (!m_bar.GetDlgItem(id))
            continue;
        if (!first)
            text += fw::CString(std::string(1, sep));
        text += m_bar.GetDlgItemText(id);
        first = false;
    }
}

void CHistFrame::UpdateTitleField()
{
    CHistDoc* doc = HistDoc();
    CZELEdit* edit = m_bar.TitleField();
    if (!doc || !edit || (edit->Widget() && edit->Widget()->hasFocus()))
        return;
    const bool was = g_titleChanging;
    g_titleChanging = true;
    edit->SetWindowText(doc->GetTestTitle());
    g_titleChanging = was;
}

fw::CString CHistFrame::FormatMeasuringTime(int64_t seconds)
{
    // Half a second added in days rounds the parts to whole seconds
    // without carrying a day less one second into the next day.
    const double half = 0.5 / kSecondsPerDay;
    double days = static_cast<double>(seconds) / kSecondsPerDay;
    days += seconds < 0 ? -half : half;
    const int hours = static_cast<int>(days * 24);
    const int minutes = static_cast<int>(static_cast<int64_t>(days * 1440) % 60);
    const int secs = static_cast<int>(static_cast<int64_t>(days * kSecondsPerDay) % 60);
    return fw::Format("%d:%0.2d:%0.2d", hours, minutes, secs);
}

void CHistFrame::UpdateTimes()
{
    CHistDoc* doc = HistDoc();
    const CHistCountArray* analyses = doc ? doc->GetHistCountArray() : nullptr;
    if (!analyses)
        return;
    m_bar.SetDlgItemText(kIdStart, TimeText(analyses->m_startTime));
    m_bar.SetDlgItemText(kIdStop, TimeText(analyses->m_endTime));
    m_bar.SetDlgItemText(kIdDuration, FormatMeasuringTime(static_cast<uint32_t>(analyses->m_measuringTime)));
}

void CHistFrame::ActivateFrame(int showCmd)
{
    if (CHistDoc* doc = HistDoc()) {
        UpdateTitleField();
        UpdateTimes();
        m_bar.SetTitleReadOnly(doc->IsEditLocked());
    }
    fw::CMDIChildWnd::ActivateFrame(showCmd);
}

void CHistFrame::OnTitleChange()
{
    CHistDoc* doc = HistDoc();
    CZELEdit* edit = m_bar.TitleField();
    if (!doc || !edit || g_titleChanging)
        return;
    const fw::CString typed = edit->GetWindowText();
    doc->SetTestTitle(typed);
    if (doc->GetTestTitle() == typed)
        return;
    g_titleChanging = true;
    int start = 0;
    int end = 0;
    edit->GetSel(start, end);
    edit->SetWindowText(doc->GetTestTitle());
    edit->SetSel(start, end);
    g_titleChanging = false;
}

void CHistFrame::OnFrequencyGraph()
{
    IHistGraphMaker* maker = fw::Installed<IHistGraphMaker>();
    if (CHistDoc* doc = HistDoc(); doc && maker)
        maker->MakeGraph(*doc);
}

void CHistFrame::OnUpdateFrequencyGraph(fw::CCmdUI* ui)
{
    ui->Enable(HistDoc() != nullptr && fw::Installed<IHistGraphMaker>() != nullptr);
}
