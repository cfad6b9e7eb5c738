#include "measure/views/dialogs/ArarmSetDlg.h"

#include "docbase/settings/SoundOutput.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

#include <filesystem>
#include <system_error>

FW_IMPLEMENT_DYNAMIC(CArarmSetDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CArarmSetDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CArarmSetDlg::kIdSoundOn, &CArarmSetDlg::UpdateControls)
    FW_ON_BN_CLICKED(CArarmSetDlg::kIdUseFile, &CArarmSetDlg::UpdateControls)
    FW_ON_BN_CLICKED(CArarmSetDlg::kIdTest, &CArarmSetDlg::OnTest)
    FW_ON_BN_CLICKED(CArarmSetDlg::kIdBrowse, &CArarmSetDlg::OnBrowse)
FW_END_COMMANDS

void CArarmSetDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("アラーム設定");
    b.Check(kIdSoundOn, "アラーム音を出す");
    b.Button(kIdTest, "♪");
    b.Row();
    b.Check(kIdUseFile, "サウンドを指定する");
    b.Row();
    b.Edit(kIdPath).SetReadOnly(true);
    b.Button(kIdBrowse, "参照...");
    b.Row();
    b.Check(kIdAutoReset, "アラーム出力をデータに合わせてリセットする");
    b.OkCancel();
}

bool CArarmSetDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    UpdateControls();
    return true;
}

void CArarmSetDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Text(dx, kIdPath, m_strSoundFile);
    fw::DDX_Check(dx, kIdSoundOn, m_bSoundOn);
    fw::DDX_Check(dx, kIdUseFile, m_bUseSoundFile);
    fw::DDX_Check(dx, kIdAutoReset, m_bAutoReset);
}

void CArarmSetDlg::UpdateControls()
{
    UpdateData(true);
    const bool sound = m_bSoundOn != 0;
    GetDlgItem(kIdUseFile)->EnableWindow(sound);
    GetDlgItem(kIdTest)->EnableWindow(sound);
    GetDlgItem(kIdBrowse)->EnableWindow(sound && m_bUseSoundFile != 0);
}

bool CArarmSetDlg::CheckSoundFile()
{
    if (!m_bSoundOn || !m_bUseSoundFile)
        return true;
    std::error_code ec;
    if (std::filesystem::is_regular_file(std::filesystem::path(m_strSoundFile.str()), ec))
        return true;
    fw::AfxMessageBox(fw::Format(fw::LoadStringText(kIdsSoundFileMissing), m_strSoundFile.c_str()),
                      fw::MB_OK | fw::MB_ICONEXCLAMATION);
    return false;
}

void CArarmSetDlg::OnTest()
{
    UpdateData(true);
    if (!m_bUseSoundFile) {
        SoundOutput().Purge();
        SoundOutput().Beep(ISoundOutput::kBeepExclamation);
        return;
    }
    if (CheckSoundFile())
        SoundOutput().PlayFileAsync(m_strSoundFile);
}

void CArarmSetDlg::OnBrowse()
{
    UpdateData(true);
    fw::FileDialogRequest request;
    request.filters.push_back({fw::CString("ｻｳﾝﾄﾞﾌｧｲﾙ (*.wav)"), {fw::CString("*.wav")}});
    request.defaultExt = "wav";
    request.initial = m_strSoundFile;
    request.flags = fw::OFN_HIDEREADONLY;
    const fw::FileDialogResult result = fw::FileDialogs().Open(request);
    if (!result.ok || result.paths.empty())
        return;
    m_strSoundFile = result.paths.front();
    SetDlgItemText(kIdPath, m_strSoundFile);
}

void CArarmSetDlg::OnOK()
{
    if (!UpdateData(true) || !CheckSoundFile())
        return;
    EndDialog(fw::IDOK);
}
