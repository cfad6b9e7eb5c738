#include "graphdoc/views/objects/MoniDataDialog.h"

#include "chart/model/GrDraw.h"
#include "common/tank/DataTankList.h"
#include "docbase/doc/KivDocBase.h"
#include "docview/controls/ColorPickers.h"
#include "docview/naming/NameListCtrl.h"
#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "graphdoc/model/objects/MoniDataPrf.h"
#include "graphdoc/views/GraphDataPages.h"
#include "graphdoc/views/SheetSelectCombBox.h"

FW_IMPLEMENT_DYNAMIC(CMoniDataDialog, fw::CDialog)

FW_BEGIN_COMMANDS(CMoniDataDialog, fw::CDialog)
    FW_ON_CBN_SELCHANGE(CMoniDataDialog::IDC_DOCUMENT, &CMoniDataDialog::OnDocumentChanged)
FW_END_COMMANDS

namespace {

constexpr int kPaletteColors = 16;
constexpr int kLastMeasured = 320;
constexpr int kFirstCalculated = 500;
constexpr int kUsedTanks = 2;
constexpr int kMaxDigits = 255;
constexpr int kMaxStep = 50000;

void FillColors(CColorCmbBox& combo, fw::COLORREF selected)
{
    int index = -1;
    for (int i = 0; i < kPaletteColors; ++i) {
        combo.AddItemData(GrGetColor(i));
        if (GrGetColor(i) == selected && index < 0)
            index = i;
    }
    if (index < 0)
        index = combo.AddItemData(selected);
    combo.SetCurSel(index);
}

} // namespace

CMoniDataDialog::CMoniDataDialog(CMoniDataPrf& profile, fw::CWnd* parent) : fw::CDialog(IDD, parent), m_profile(profile)
{
}

void CMoniDataDialog::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("数値モニタの設定");
    b.Static(static_cast<int>(fw::IDC_STATIC), "参照ファイル名 ");
    b.Custom(IDC_DOCUMENT, std::make_unique<CSheetSelectCombBox>());
    b.Row();
    b.Custom(IDC_CHANNELS, std::make_unique<CNameListCtrl>());
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "表示幅 ");
    b.Edit(IDC_DIGITS);
    b.Static(static_cast<int>(fw::IDC_STATIC), " 文字分");
    b.Row();
    b.Check(IDC_ALARM, "アラームの判定を行う");
    b.Row();
    b.Group("背景色");
    b.Static(static_cast<int>(fw::IDC_STATIC), "ロワー");
    b.Custom(IDC_LOWER, std::make_unique<CColorCmbBox>());
    b.Static(static_cast<int>(fw::IDC_STATIC), "アッパー");
    b.Custom(IDC_UPPER, std::make_unique<CColorCmbBox>());
    b.Static(static_cast<int>(fw::IDC_STATIC), "アッパー＆ロワー");
    b.Custom(IDC_BOTH, std::make_unique<CColorCmbBox>());
    b.EndGroup();
    b.Row();
    b.Edit(IDC_STEP);
    b.Check(IDC_FOLLOW, "計測ファイルに切り替え");
    b.Check(IDC_LIVE, "モニタ計測で更新");
    b.OkCancel("OK", "キャンセル");
}

CNameListCtrl* CMoniDataDialog::Channels() const
{
    return GetDlgItemAs<CNameListCtrl>(IDC_CHANNELS);
}

CSheetSelectCombBox* CMoniDataDialog::Documents() const
{
    return GetDlgItemAs<CSheetSelectCombBox>(IDC_DOCUMENT);
}

bool CMoniDataDialog::OnInitDialog()
{
    m_bAlarm = m_profile.m_alarmCheck;
    m_nDigits = m_profile.m_digits;
    m_bLive = m_profile.m_liveUpdate;
    m_bFollow = m_profile.m_followPanel;
    m_nStep = m_profile.m_displayStep + 1;
    m_channel = m_profile.m_channel;
    for (int id : {IDC_STEP, IDC_FOLLOW, IDC_LIVE})
        GetDlgItem(id)->ShowWindow(fw::SW_HIDE);
    const fw::COLORREF colors[] = {m_profile.m_lowerColor, m_profile.m_upperColor, m_profile.m_bothColor};
    const int ids[] = {IDC_LOWER, IDC_UPPER, IDC_BOTH};
    for (int i = 0; i < 3; ++i)
        FillColors(*GetDlgItemAs<CColorCmbBox>(ids[i]), colors[i]);
    if (!Channels()->InsertColumns(0))
        return false;
    CSheetSelectCombBox& documents = *Documents();
    if (!documents.FillDocuments(nullptr, m_profile.m_docIdent, m_profile.m_strTitle, true)) {
        EndDialog(-1);
        return false;
    }
    if (documents.GetCurSel() < 0 && documents.GetCount() > 0)
        documents.SetCurSel(0);
    OnDocumentChanged();
    UpdateData(false);
    return true;
}

void CMoniDataDialog::OnDocumentChanged()
{
    CNameListCtrl& channels = *Channels();
    channels.DeleteAllItems();
    m_pDocument = FindOpenSource(Documents()->GetSelectedIdent());
    if (!m_pDocument)
        return;
    CDataTankList* tanks = m_pDocument->GetChannelTankList();
    channels.AddNames(tanks, "CH", 0, 0, kLastMeasured, kUsedTanks);
    channels.AddNames(tanks, "NO", 0, kFirstCalculated, -1, kUsedTanks);
    if (m_channel >= 0)
        channels.SelectItem(m_channel, kUsedTanks, true);
}

void CMoniDataDialog::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Text(dx, IDC_DIGITS, m_nDigits);
    fw::DDV_MinMaxInt(dx, m_nDigits, 1, kMaxDigits);
    fw::DDX_Text(dx, IDC_STEP, m_nStep);
    fw::DDV_MinMaxInt(dx, m_nStep, 1, kMaxStep);
    fw::DDV_MinMaxInt(dx, m_profile.m_stepOffset, 0, kMaxStep);
    fw::DDX_Check(dx, IDC_ALARM, m_bAlarm);
    fw::DDX_Check(dx, IDC_LIVE, m_bLive);
    fw::DDX_Check(dx, IDC_FOLLOW, m_bFollow);
    if (!dx->m_bSaveAndValidate)
        return;
    const int row = Channels()->GetSelectedRow();
    if (row < 0) {
        fw::AfxMessageBox(kTextNoSelection);
        dx->PrepareCtrl(IDC_CHANNELS);
        dx->Fail();
    }
    m_channel = static_cast<int32_t>(Channels()->GetItemData(row) & 0xFFFFu);
    const int ids[] = {IDC_LOWER, IDC_UPPER, IDC_BOTH};
    for (int i = 0; i < 3; ++i) {
        auto* combo = GetDlgItemAs<CColorCmbBox>(ids[i]);
        m_colors[i] = static_cast<uint32_t>(combo->GetItemData(combo->GetCurSel()));
    }
}

int CMoniDataDialog::DoModal()
{
    const int result = fw::CDialog::DoModal();
    if (result != fw::IDOK)
        return result;
    m_profile.m_channel = m_channel;
    m_profile.m_alarmCheck = static_cast<uint8_t>(m_bAlarm);
    m_profile.m_digits = static_cast<int16_t>(m_nDigits);
    m_profile.m_liveUpdate = static_cast<uint8_t>(m_bLive);
    if (m_pDocument) {
        m_profile.m_docIdent = m_pDocument->GetDocIdent();
        m_profile.m_strTitle = m_pDocument->GetTitle();
    }
    m_profile.m_followPanel = static_cast<uint8_t>(m_bFollow);
    m_profile.m_displayStep = m_nStep - 1;
    m_profile.m_lowerColor = m_colors[0];
    m_profile.m_upperColor = m_colors[1];
    m_profile.m_bothColor = m_colors[2];
    return result;
}
