#include "project/views/pages/MmaListTextDlg.h"

#include "common/tank/DataTankObject.h"
#include "framework/core/Cp932.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "project/model/KIV5980Doc.h"

#include <QListWidget>

#include <cstdio>
#include <string>

FW_IMPLEMENT_DYNAMIC(CMmaListTextDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CMmaListTextDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CMmaListTextDlg::kIdName, &CMmaListTextDlg::OnNameOrUnit)
    FW_ON_BN_CLICKED(CMmaListTextDlg::kIdUnit, &CMmaListTextDlg::OnNameOrUnit)
    FW_ON_BN_CLICKED(CMmaListTextDlg::kIdSelectAll, &CMmaListTextDlg::OnSelectAll)
FW_END_COMMANDS

namespace {

constexpr size_t kKindBytes = 7;
constexpr int kTextType = 5;
constexpr int kFirstCalcChannel = 500;
constexpr int32_t kMaxStep = 50000;

} // namespace

CMmaListTextOption& CMmaListTextOption::Current()
{
    static CMmaListTextOption option;
    return option;
}

fw::CString MmaChannelName(const fw::CString& tankName)
{
    const size_t bytes = fw::cp932::ByteLength(tankName.str());
    if (bytes <= kKindBytes)
        return fw::CString();
    return fw::CString(fw::cp932::Truncate(tankName.str(), bytes - kKindBytes));
}

fw::CString MmaKindLabel(const fw::CString& tankName)
{
    const fw::CString name = MmaChannelName(tankName);
    return fw::CString(tankName.str().substr(name.str().size()));
}

fw::CString MmaChannelLabel(const CMMAObject& history, int channelIndex)
{
    const std::vector<int16_t>& numbers = history.GetChannelNumbers();
    if (channelIndex < 0 || static_cast<size_t>(channelIndex) >= numbers.size())
        return fw::CString();
    // The label names the channel itself; its place in the list depends on
    // which channels happen to have been recorded.
    const int channel = numbers[static_cast<size_t>(channelIndex)];
    char buf[32];
    if (channel < kFirstCalcChannel)
        std::snprintf(buf, sizeof buf, "CH%d", channel + 1);
    else
        std::snprintf(buf, sizeof buf, "NO%d", channel - (kFirstCalcChannel - 1));
    return fw::CString(buf);
}

CMmaListTextDlg::CMmaListTextDlg(CKIV5980Doc& doc, fw::CWnd* parent) : fw::CDialog(kTemplateId, parent), m_doc(doc) {}

void CMmaListTextDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("テキストファイルの項目設定");
    b.Static(static_cast<int>(fw::IDC_STATIC), "選択した名前をテキストファイルにします。");
    b.Row();
    if (QListWidget* list = b.List(kIdList).List())
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    b.Row();
    b.Button(kIdSelectAll, "全て選択");
    b.Row();
    b.Check(kIdTitle, "試験タイトル");
    b.Check(kIdName, "名前");
    b.Check(kIdUnit, "単位");
    b.Check(kIdOneLine, "名前,単位を一行に");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "ステップ");
    b.Edit(kIdFirst);
    b.Static(static_cast<int>(fw::IDC_STATIC), "－");
    b.Edit(kIdLast);
    b.Row();
    b.OkCancel("OK", "キャンセル");
}

bool CMmaListTextDlg::OnInitDialog()
{
    m_option = CMmaListTextOption::Current();
    const int32_t last = m_doc.GetHistory().GetLastIndex();
    const CDocIdent ident = m_doc.GetDocIdent();
    if (m_option.m_document != ident) {
        m_option.m_document = ident;
        m_option.m_nFirstStep = 1;
        m_option.m_channels.clear();
    }
    m_option.m_nLastStep = last >= 0 ? last + 1 : 1;
    UpdateData(false);
    EnableOneLine();
    FillChannelList();
    return true;
}

void CMmaListTextDlg::FillChannelList()
{
    auto* box = GetDlgItemAs<fw::CListBox>(kIdList);
    if (!box)
        return;
    const CMMAObject& history = m_doc.GetHistory();
    for (int pos = 0; pos < history.GetChannelTankCount(); pos += 3) {
        CDataTankObject* tank = history.GetChannelTank(pos);
        if (!tank || tank->GetName().IsEmpty() || tank->GetDataType() == kTextType)
            continue;
        const fw::CString text(MmaChannelName(tank->GetName()).str() + "\t" + MmaChannelLabel(history, pos / 3).str());
        const int item = box->AddString(text);
        if (item < 0) {
            EndDialog(-1);
            return;
        }
        box->SetItemData(item, static_cast<uintptr_t>(pos));
    }
    QListWidget* list = box->List();
    for (int16_t chosen : m_option.m_channels)
        for (int i = 0; i < box->GetCount(); ++i)
            if (box->GetItemData(i) == static_cast<uintptr_t>(chosen) && list) {
                list->item(i)->setSelected(true);
                list->scrollToItem(list->item(i));
            }
    m_option.m_channels.clear();
}

void CMmaListTextDlg::EnableOneLine()
{
    auto* name = GetDlgItemAs<fw::CButton>(kIdName);
    auto* unit = GetDlgItemAs<fw::CButton>(kIdUnit);
    if (fw::CWnd* one = GetDlgItem(kIdOneLine))
        one->EnableWindow(name && unit && name->GetCheck() == 1 && unit->GetCheck() == 1);
}

void CMmaListTextDlg::OnNameOrUnit() { EnableOneLine(); }

void CMmaListTextDlg::OnSelectAll()
{
    if (auto* box = GetDlgItemAs<fw::CListBox>(kIdList); box && box->List())
        box->List()->selectAll();
}

void CMmaListTextDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Check(dx, kIdTitle, m_option.m_bTitle);
    fw::DDX_Check(dx, kIdName, m_option.m_bName);
    fw::DDX_Check(dx, kIdUnit, m_option.m_bUnit);
    fw::DDX_Check(dx, kIdOneLine, m_option.m_bOneLine);
    fw::DDX_Text(dx, kIdFirst, m_option.m_nFirstStep);
    fw::DDV_MinMaxInt(dx, m_option.m_nFirstStep, 1, kMaxStep);
    fw::DDX_Text(dx, kIdLast, m_option.m_nLastStep);
    fw::DDV_MinMaxInt(dx, m_option.m_nLastStep, 1, kMaxStep);
    if (!dx->m_bSaveAndValidate)
        return;
    if (m_option.m_nLastStep < m_option.m_nFirstStep) {
        fw::AfxMessageBox(fw::CString("始めのステップより終わりのステップを大きくしてください。"), fw::MB_OK | fw::MB_ICONEXCLAMATION);
        dx->Fail();
    }
    auto* box = GetDlgItemAs<fw::CListBox>(kIdList);
    QListWidget* list = box ? box->List() : nullptr;
    std::vector<int16_t> chosen;
    for (int i = 0; list && i < box->GetCount(); ++i)
        if (list->item(i)->isSelected())
            chosen.push_back(static_cast<int16_t>(box->GetItemData(i)));
    if (chosen.empty()) {
        fw::AfxMessageBox(kMsgNothingChosen, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        dx->Fail();
    }
    m_option.m_channels = std::move(chosen);
}

int CMmaListTextDlg::DoModal()
{
    const int result = fw::CDialog::DoModal();
    if (result == fw::IDOK)
        CMmaListTextOption::Current() = m_option;
    return result;
}
