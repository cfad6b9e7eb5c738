#include "measure/views/panel/ArarmFrame.h"

#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DialogBuilder.h"
#include "measure/views/panel/PanelShell.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"

#include <QMainWindow>
#include <QStyle>

#include <algorithm>

FW_IMPLEMENT_DYNAMIC(CArarmFrame, fw::CMiniFrameWnd)

FW_BEGIN_COMMANDS(CArarmFrame, fw::CMiniFrameWnd)
    FW_ON_COMMAND(CArarmFrame::ID_RESET_ALL, &CArarmFrame::OnResetAll)
    FW_ON_UPDATE(CArarmFrame::ID_RESET_ALL, &CArarmFrame::OnUpdateResetAll)
    FW_ON_COMMAND(CArarmFrame::ID_SHOW_CONDITION, &CArarmFrame::OnShowCondition)
    FW_ON_UPDATE(CArarmFrame::ID_SHOW_CONDITION, &CArarmFrame::OnUpdateShowCondition)
    FW_ON_COMMAND(CArarmFrame::ID_FIT, &CArarmFrame::FitToList)
FW_END_COMMANDS

namespace {

constexpr unsigned kHeaderIds[] = {207, 180, 444, 480, 481};
constexpr int32_t kWidths[] = {30, 70, 70, 70, 120};
constexpr int32_t kRowHeight = 18;
constexpr int kListChannels = 2;

} // namespace

bool CArarmGrid::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    if (col < 0 || col > 4)
        return false;
    text = fw::LoadStringText(kHeaderIds[col]);
    return true;
}

bool CArarmGrid::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    if (row < 0 || row >= static_cast<int32_t>(m_list.Rows().size()))
        return false;
    text = CAlarmList::Field(m_list.Rows()[static_cast<size_t>(row)].text, col);
    return true;
}

CArarmFrame::CArarmFrame()
{
    m_style.SetDimensions(1, 1, 1, 1, 5, kMinRows);
    m_style.SetDefaultSizes(0, kRowHeight, 0, kRowHeight, 70, kRowHeight);
    m_style.SetMode(3);
    m_style.ApplySizes();
    for (int c = 0; c < 5; ++c)
        m_style.SetColumnWidths(c, kWidths[c], 1);
    m_grid.SetStyle(&m_style);
}

CArarmFrame::~CArarmFrame()
{
    m_doc = nullptr;
}

bool CArarmFrame::CreateFrame(fw::CWnd* owner)
{
    if (!CreateMini(fw::LoadStringText(kIdsTitle), owner, fw::CRect(0, 0, 380, 180)))
        return false;
    if (!m_bar.Create(this, [](fw::DialogBuilder& b) {
            b.Button(ID_SHOW_CONDITION, "アラーム条件表示");
            b.Button(ID_RESET_ALL, "出力解除");
            b.Button(ID_FIT, "1");
        }, 324))
        return false;
    if (!m_grid.Create(fw::CRect(0, 0, 360, 140), this, 1))
        return false;
    if (MainWindow())
        MainWindow()->setCentralWidget(m_grid.Widget());
    FitToList();
    CenterWindow();
    return true;
}

void CArarmFrame::FitToList()
{
    QMainWindow* window = MainWindow();
    QWidget* list = m_grid.Widget();
    if (!window || !list)
        return;
    constexpr int kMaxShownRows = 6;
    constexpr int kMargin = 5;
    int width = 0;
    for (int32_t w : kWidths)
        width += w;
    const int rows = std::min(kMaxShownRows, std::max(kMinRows, static_cast<int>(m_list.Rows().size())));
    const int height = kRowHeight + kRowHeight * rows;
    const int scrollBar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    window->resize(window->width() + width - list->width() + kMargin + scrollBar,
                   window->height() + height - list->height() + kMargin + scrollBar);
    list->setFocus();
}

void CArarmFrame::SetDocument(CKIV5980Doc* doc)
{
    if (doc == m_doc)
        return;
    if (m_doc)
        ResetAlarms();
    m_doc = doc;
}

void CArarmFrame::UpdateAlarms(bool sound)
{
    if (!m_doc)
        return;
    CKIV5980Doc* doc = m_doc;
    const int highest = m_list.Rebuild(*doc->GetChannelTankList(),
                                       [doc](CDataTankObject* tank) { return doc->CheckChannelAlarm(tank, false); });
    m_style.SetRowCount(std::max<int>(kMinRows, static_cast<int>(m_list.Rows().size())));
    if (m_grid.Widget())
        m_grid.ApplyStyle(true);
    if (sound && highest != 0)
        PanelShell().RaiseAlarmSound(static_cast<int16_t>(highest));
}

void CArarmFrame::ResetAlarms()
{
    if (m_list.Rows().empty())
        return;
    CPollingPause pause;
    if (m_doc) {
        try {
            for (const CAlarmList::Row& row : m_list.Rows()) {
                const int channel = CAlarmList::ChannelOfRow(row.text);
                if (m_doc->GetChannelTank(channel, kListChannels))
                    m_doc->ResetChannelAlarm(channel);
            }
        } catch (const std::exception& e) {
            fw::AfxMessageBox(e.what());
        }
    }
    m_list.Clear();
}

void CArarmFrame::OnResetAll()
{
    ResetAlarms();
    m_style.SetRowCount(kMinRows);
    if (m_grid.Widget())
        m_grid.ApplyStyle(true);
}
