#include "measure/views/dialogs/MeasureOptionDlgs.h"

#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

namespace {

constexpr int kStatic = static_cast<int>(fw::IDC_STATIC);

} // namespace

// ---- CDataCompDlg

FW_IMPLEMENT_DYNAMIC(CDataCompDlg, fw::CDialog)

void CDataCompDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("データコンパレータ");
    b.Group("データコンパレータの基準値");
    b.Radio(kIdCurrent, "現在の値を基準値とする", true);
    b.Row();
    b.Radio(kIdZero, "０を基準値とする");
    b.EndGroup();
    b.OkCancel("開始", "キャンセル");
}

void CDataCompDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Radio(dx, kIdCurrent, m_nReference);
}

// ---- CCycleCountDlg

FW_IMPLEMENT_DYNAMIC(CCycleCountDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CCycleCountDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CCycleCountDlg::kIdInitialize, &CCycleCountDlg::OnInitialize)
FW_END_COMMANDS

void CCycleCountDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("サイクルカウント初期設定");
    b.Static(kStatic, "ダイアログ表示時のカウント");
    b.Static(kIdShown, "");
    b.Row();
    b.Static(kStatic, "初期化カウント");
    b.Edit(kIdCount);
    b.Row();
    b.Button(fw::IDOK, "継続", true);
    b.Button(fw::IDCANCEL, "キャンセル");
    b.Button(kIdInitialize, "初期化");
}

bool CCycleCountDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    SetDlgItemText(kIdShown, fw::Format("%d", m_nCount));
    return true;
}

void CCycleCountDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Text(dx, kIdCount, m_nCount);
    fw::DDV_MinMaxInt(dx, m_nCount, 0, kMaxCount);
}

void CCycleCountDlg::OnOK()
{
    m_bInitialize = 0;
    fw::CDialog::OnOK();
}

void CCycleCountDlg::OnInitialize()
{
    m_bInitialize = 1;
    if (!UpdateData(true))
        return;
    EndDialog(fw::IDOK);
}

// ---- CSaveModeDlg

FW_IMPLEMENT_DYNAMIC(CSaveModeDlg, fw::CDialog)

void CSaveModeDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("記録データの設定");
    b.Radio(kIdBoth, "波形＋頻度データ", true);
    b.Row();
    b.Radio(kIdWaveform, "波形データのみ");
    b.Row();
    b.Radio(kIdFrequency, "頻度データのみ");
    b.OkCancel();
}

void CSaveModeDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Radio(dx, kIdBoth, m_nMode);
}

// ---- CDontDataSaveDlg

FW_IMPLEMENT_DYNAMIC(CDontDataSaveDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CDontDataSaveDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CDontDataSaveDlg::kIdDontSave, &CDontDataSaveDlg::OnDontSave)
FW_END_COMMANDS

void CDontDataSaveDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("計測データ自動保存");
    b.Check(kIdDontSave, "自動保存を行わない\nこの機能を有効にすると計測後にデータの保存を行わなくなります。");
    b.Row();
    b.Check(kIdRecordHistory,
            "計測履歴に記録する(波形データ)\nこの機能を有効にすると最大値最小値平均値は記録されます。");
    b.Row();
    b.Static(kStatic, "データの記録が必要ない時は「自動保存を行わない」の機能を有効にしてください。\n"
                      "波形データは必要なく最大値最小値平均値だけが必要な場合は両機能を有効にします。\n\n"
                      "計測パネルを表示中にはこの設定を変更することは出来ません。");
    b.OkCancel();
}

bool CDontDataSaveDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    OnDontSave();
    return true;
}

void CDontDataSaveDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Check(dx, kIdDontSave, m_nDontSave);
    fw::DDX_Check(dx, kIdRecordHistory, m_nRecordHistory);
}

// The history choice only matters while data are not saved; it keeps its
// state while disabled.
void CDontDataSaveDlg::OnDontSave()
{
    auto* dontSave = GetDlgItemAs<fw::CButton>(kIdDontSave);
    if (fw::CWnd* record = GetDlgItem(kIdRecordHistory))
        record->EnableWindow(dontSave && dontSave->GetCheck() == 1);
}

// ---- CCfAutoDelDlg

FW_IMPLEMENT_DYNAMIC(CCfAutoDelDlg, fw::CDialog)

void CCfAutoDelDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("CFカード自動削除");
    b.Static(kStatic, "CFカードが容量不足にならないように、CFカードのデータを自動的に削除するようにします。");
    b.Row();
    b.Check(kIdDelete, "計測データを取得後に削除する");
    b.Row();
    b.Static(kStatic, "削除は計測後自動でデータを取得した際に、取得したデータファイルだけを削除します。");
    b.OkCancel();
}

void CCfAutoDelDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Check(dx, kIdDelete, m_nDelete);
}
