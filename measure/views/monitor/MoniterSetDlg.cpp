#include "measure/views/monitor/MoniterSetDlg.h"

#include "chart/model/GrDraw.h"
#include "docview/controls/ColorPickers.h"
#include "framework/core/Format.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "measure/model/monitor/MonitorChannels.h"
#include "measure/views/monitor/MonitorChannelList.h"
#include "project/model/KIV5980Doc.h"

#include <cstdlib>

FW_IMPLEMENT_DYNAMIC(CMoniterSetDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CMoniterSetDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CMoniterSetDlg::kIdAppend, &CMoniterSetDlg::OnAppend)
    FW_ON_BN_CLICKED(CMoniterSetDlg::kIdInsert, &CMoniterSetDlg::OnInsert)
    FW_ON_BN_CLICKED(CMoniterSetDlg::kIdRemove, &CMoniterSetDlg::OnRemove)
    FW_ON_BN_CLICKED(CMoniterSetDlg::kIdRemoveAll, &CMoniterSetDlg::OnRemoveAll)
FW_END_COMMANDS

namespace {

constexpr int kStatic = static_cast<int>(fw::IDC_STATIC);
constexpr int kPaletteColors = 16;
// The font record holds ten times the point size.
constexpr int32_t kTenthsPerPoint = 10;
const char* const kPointSizes[] = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                   "20", "22", "24", "26", "28", "36", "48", "72"};
// The radio buttons in their order on the dialog, giving the panel types.
constexpr int kTypeButtons[] = {CMoniterSetDlg::kIdInPanel, CMoniterSetDlg::kIdNone, CMoniterSetDlg::kIdMonitorPanel};

void FillPalette(CColorCmbBox& combo, fw::COLORREF selected)
{
    int index = -1;
    for (int i = 0; i < kPaletteColors; ++i) {
        const int at = combo.AddItemData(GrGetColor(i));
        if (GrGetColor(i) == selected && index < 0)
            index = at;
    }
    combo.SetCurSel(index);
}

} // namespace

CMoniterSetDlg::CMoniterSetDlg(CKIV5980Doc& doc, fw::CWnd* parent)
    : fw::CDialog(kTemplateId, parent), m_doc(doc), m_settings(doc.GetPanelMonitor())
{
    m_peakShow = m_settings.m_bPeakMoni;
    m_peakAutoReset = m_settings.m_bPeakRes;
    m_peakStartReset = m_settings.m_bPeakTrgRes;
    m_resetSeconds = m_settings.m_nPeakResTime;
}

void CMoniterSetDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("モニタの設定");
    m_available = &static_cast<CMonitorChannelList&>(b.Custom(kIdAvailable, std::make_unique<CMonitorChannelList>()));
    b.Button(kIdAppend, "登録>>");
    b.Button(kIdInsert, "挿入>>");
    b.Button(kIdRemove, "解除");
    b.Button(kIdRemoveAll, "全て解除");
    m_monitored = &static_cast<CMonitorChannelList&>(b.Custom(kIdMonitored, std::make_unique<CMonitorChannelList>()));
    b.Row();
    b.Group("モニタ表示位置");
    b.Radio(kIdInPanel, "計測パネル内", true);
    b.Radio(kIdNone, "表示なし");
    b.Radio(kIdMonitorPanel, "モニタパネル表示");
    b.EndGroup();
    b.Row();
    b.Group("モニタ表示色");
    b.Static(kStatic, "字の色");
    m_fore = &static_cast<CColorCmbBox&>(b.Custom(kIdForeColor, std::make_unique<CColorCmbBox>()));
    b.Static(kStatic, "背景の色");
    m_back = &static_cast<CColorCmbBox&>(b.Custom(kIdBackColor, std::make_unique<CColorCmbBox>()));
    b.EndGroup();
    b.Static(kStatic, "字の大きさ");
    fw::CComboBox& sizes = b.Combo(kIdFontSize, fw::CComboBox::Kind::dropDown);
    for (const char* size : kPointSizes)
        sizes.AddString(size);
    b.Row();
    b.Group("ピークデータ");
    b.Check(kIdPeakShow, "表示する");
    b.Check(kIdPeakAutoReset, "自動リセット");
    b.Edit(kIdPeakResetTime);
    b.Static(kStatic, "秒");
    b.Check(kIdPeakStartReset, "計測開始時リセット");
    b.EndGroup();
    b.OkCancel();
}

bool CMoniterSetDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    m_available->InitColumns();
    m_monitored->InitColumns();
    m_monitored->SetItems(monitorlists::Monitored(*m_doc.GetChannelTankList(), m_settings.m_channels));
    RefillAvailable();
    FillPalette(*m_fore, m_settings.m_crFore);
    FillPalette(*m_back, m_settings.m_crBack);
    m_available->onSelectionChanged = [this] { UpdateButtons(); };
    m_monitored->onSelectionChanged = [this] { UpdateButtons(); };
    UpdateButtons();
    return true;
}

void CMoniterSetDlg::RefillAvailable()
{
    m_available->SetItems(
        monitorlists::Available(*m_doc.GetChannelTankList(), m_doc.GetChannelCount(), m_monitored->Items()));
}

void CMoniterSetDlg::UpdateButtons()
{
    const bool chosen = m_available->HasSelection();
    for (int id : {kIdAppend, kIdInsert})
        if (fw::CWnd* button = GetDlgItem(id))
            button->EnableWindow(chosen);
    if (fw::CWnd* button = GetDlgItem(kIdRemove))
        button->EnableWindow(m_monitored->HasSelection());
    if (fw::CWnd* button = GetDlgItem(kIdRemoveAll))
        button->EnableWindow(m_monitored->GetItemCount() > 0);
}

void CMoniterSetDlg::MoveToMonitored(int at)
{
    std::vector<MonitorListItem> available = m_available->Items();
    std::vector<MonitorListItem> monitored = m_monitored->Items();
    monitorlists::MoveToMonitored(available, m_available->SelectedRows(), monitored, at);
    m_monitored->SetItems(monitored);
    m_available->SetItems(available);
    UpdateButtons();
}

void CMoniterSetDlg::OnAppend()
{
    MoveToMonitored(-1);
}

void CMoniterSetDlg::OnInsert()
{
    MoveToMonitored(m_monitored->FirstSelected());
}

void CMoniterSetDlg::OnRemove()
{
    const std::vector<bool> selected = m_monitored->SelectedRows();
    std::vector<MonitorListItem> kept;
    const std::vector<MonitorListItem> items = m_monitored->Items();
    for (size_t i = 0; i < items.size(); ++i)
        if (!selected[i])
            kept.push_back(items[i]);
    m_monitored->SetItems(kept);
    RefillAvailable();
    UpdateButtons();
}

void CMoniterSetDlg::OnRemoveAll()
{
    m_monitored->SetItems({});
    RefillAvailable();
    UpdateButtons();
}

void CMoniterSetDlg::ExchangeColor(fw::CDataExchange* dx, CColorCmbBox* combo, fw::COLORREF& color)
{
    if (!dx->m_bSaveAndValidate || !combo || combo->GetCurSel() < 0)
        return;
    color = static_cast<fw::COLORREF>(combo->GetItemData(combo->GetCurSel()));
}

void CMoniterSetDlg::ExchangePanelType(fw::CDataExchange* dx)
{
    for (int type = 0; type < static_cast<int>(std::size(kTypeButtons)); ++type) {
        auto* radio = dynamic_cast<fw::CButton*>(GetDlgItem(kTypeButtons[type]));
        if (!radio)
            continue;
        if (!dx->m_bSaveAndValidate)
            radio->SetCheck(type == m_nPanelType ? fw::BST_CHECKED : fw::BST_UNCHECKED);
        else if (radio->GetCheck() == fw::BST_CHECKED)
            m_nPanelType = type;
    }
}

void CMoniterSetDlg::DoDataExchange(fw::CDataExchange* dx)
{
    ExchangeColor(dx, m_fore, m_settings.m_crFore);
    ExchangeColor(dx, m_back, m_settings.m_crBack);
    ExchangePanelType(dx);
    fw::CString points = fw::Format("%d", m_settings.m_font.lfHeight / kTenthsPerPoint);
    fw::DDX_CBString(dx, kIdFontSize, points);
    fw::DDX_Check(dx, kIdPeakShow, m_peakShow);
    fw::DDX_Check(dx, kIdPeakAutoReset, m_peakAutoReset);
    fw::DDX_Check(dx, kIdPeakStartReset, m_peakStartReset);
    fw::DDX_Text(dx, kIdPeakResetTime, m_resetSeconds);
    fw::DDV_MinMaxShort(dx, m_resetSeconds, 0, kMaxResetSeconds);
    if (!dx->m_bSaveAndValidate)
        return;
    m_settings.m_font.lfHeight = std::atoi(points.c_str()) * kTenthsPerPoint;
    m_settings.m_bPeakMoni = m_peakShow ? 1 : 0;
    m_settings.m_bPeakRes = m_peakAutoReset ? 1 : 0;
    m_settings.m_bPeakTrgRes = m_peakStartReset ? 1 : 0;
    m_settings.m_nPeakResTime = m_resetSeconds;
    m_settings.m_channels = monitorlists::Channels(m_monitored->Items());
}
