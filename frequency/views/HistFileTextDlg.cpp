#include "frequency/views/HistFileTextDlg.h"

#include "framework/core/FileDialogs.h"
#include "framework/core/StringTable.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

FW_IMPLEMENT_DYNAMIC(CHistFileTextDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CHistFileTextDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CHistFileTextDlg::kIdText, &CHistFileTextDlg::OnFormat)
    FW_ON_BN_CLICKED(CHistFileTextDlg::kIdCsv, &CHistFileTextDlg::OnFormat)
    FW_ON_BN_CLICKED(CHistFileTextDlg::kIdVo8025, &CHistFileTextDlg::OnFormat)
    FW_ON_BN_CLICKED(CHistFileTextDlg::kIdChooseFolder, &CHistFileTextDlg::OnChooseFolder)
FW_END_COMMANDS

namespace {

constexpr const char* kFolderTitle = "テキストファイルの保存先";

} // namespace

CHistFileTextDlg::CHistFileTextDlg(CHistFileTextParam& param, fw::CWnd* parent)
    : fw::CDialog(kTemplateId, parent), m_param(param)
{
    m_format = param.GetFormat();
    m_inputChannels = param.m_inputChannels;
    m_conditions = param.m_conditions;
    m_mmData = param.m_mmData;
    m_folder = param.m_folder;
}

void CHistFileTextDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("頻度データファイルの変換設定");
    b.Static(static_cast<int>(fw::IDC_STATIC),
             "頻度履歴で選択されているステップのデータファイルを変換します。\n"
             "変換後のファイル名はデータファイル名から自動的に作成されます。");
    b.Group("フォーマット");
    b.Radio(kIdText, "テキスト(TXT)", true);
    b.Radio(kIdCsv, "CSV");
    b.Radio(kIdVo8025, "VO-8025互換(CSV)");
    b.EndGroup();
    b.Group("追加情報");
    b.Check(kIdInputChannels, "入力CH");
    b.Check(kIdConditions, "解析条件");
    b.Check(kIdMMData, "M/Mデータ");
    b.EndGroup();
    b.Row();
    b.Edit(kIdFolder);
    b.Button(kIdChooseFolder, "フォルダ選択");
    b.Row();
    b.OkCancel();
}

bool CHistFileTextDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    if (auto* folder = GetDlgItemAs<fw::CEdit>(kIdFolder))
        folder->SetReadOnly(true);
    EnableBlocks();
    return true;
}

void CHistFileTextDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Radio(dx, kIdText, m_format);
    fw::DDX_Check(dx, kIdInputChannels, m_inputChannels);
    fw::DDX_Check(dx, kIdConditions, m_conditions);
    fw::DDX_Check(dx, kIdMMData, m_mmData);
    fw::DDX_Text(dx, kIdFolder, m_folder);
}

// The added blocks belong to the VO-8025 form alone; their choices stay
// while another format is chosen.
void CHistFileTextDlg::EnableBlocks()
{
    auto* vo8025 = GetDlgItemAs<fw::CButton>(kIdVo8025);
    const bool on = vo8025 && vo8025->GetCheck() == fw::BST_CHECKED;
    for (int id : {kIdInputChannels, kIdConditions, kIdMMData}) {
        if (fw::CWnd* box = GetDlgItem(id))
            box->EnableWindow(on);
    }
}

void CHistFileTextDlg::OnFormat() { EnableBlocks(); }

void CHistFileTextDlg::OnChooseFolder()
{
    fw::CString folder = m_folder;
    fw::CString title = fw::LoadStringText(kIdsFolderTitle);
    if (title.IsEmpty())
        title = kFolderTitle;
    if (!fw::FileDialogs().BrowseFolder(title, folder))
        return;
    m_folder = folder;
    SetDlgItemText(kIdFolder, m_folder);
}

void CHistFileTextDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    m_param.SetFormat(m_format);
    m_param.m_inputChannels = m_inputChannels;
    m_param.m_conditions = m_conditions;
    m_param.m_mmData = m_mmData;
    m_param.m_folder = m_folder;
    fw::CDialog::OnOK();
}
