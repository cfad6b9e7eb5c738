#include "project/views/DataTextDlg.h"

#include "framework/core/FileDialogs.h"
#include "framework/core/StringTable.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

#include <filesystem>

FW_IMPLEMENT_DYNAMIC(CDataTextDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CDataTextDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CDataTextDlg::kIdName, &CDataTextDlg::UpdateEnables)
    FW_ON_BN_CLICKED(CDataTextDlg::kIdUnit, &CDataTextDlg::UpdateEnables)
    FW_ON_BN_CLICKED(CDataTextDlg::kIdTxt, &CDataTextDlg::UpdateEnables)
    FW_ON_BN_CLICKED(CDataTextDlg::kIdCsv, &CDataTextDlg::UpdateEnables)
    FW_ON_BN_CLICKED(CDataTextDlg::kIdLob, &CDataTextDlg::UpdateEnables)
    FW_ON_BN_CLICKED(CDataTextDlg::kIdDadisp, &CDataTextDlg::UpdateEnables)
    FW_ON_BN_CLICKED(CDataTextDlg::kIdBrowse, &CDataTextDlg::OnBrowse)
FW_END_COMMANDS

void CDataTextDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("データファイルの変換設定");
    b.Check(kIdTitle, "試験タイトル");
    b.Check(kIdName, "名前");
    b.Check(kIdUnit, "単位");
    b.Check(kIdOneLine, "名前,単位を一行に");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "CH/NO数");
    b.Edit(kIdColumns);
    b.Static(static_cast<int>(fw::IDC_STATIC), "ステップ数");
    b.Edit(kIdRows);
    b.Row();
    b.Radio(kIdTxt, "テキスト(TXT)", true);
    b.Radio(kIdCsv, "CSV");
    b.Radio(kIdLob, "LOB-5950互換(CSV)");
    b.Radio(kIdDadisp, "DADiSP互換(DAT)");
    b.Row();
    b.Button(kIdBrowse, "フォルダ選択");
    b.Edit(kIdFolder);
    b.Row();
    b.OkCancel("OK", "キャンセル");
}

int CDataTextDlg::CheckedRadio() const
{
    for (int id = kIdTxt; id <= kIdDadisp; ++id)
        if (auto* radio = GetDlgItemAs<fw::CButton>(id); radio && radio->GetCheck() == fw::BST_CHECKED)
            return id - kIdTxt;
    return 0;
}

bool CDataTextDlg::OnInitDialog()
{
    UpdateData(false);
    UpdateEnables();
    return true;
}

void CDataTextDlg::UpdateEnables()
{
    const int radio = CheckedRadio();
    const bool lob = radio == 2;
    const bool titleOn = radio < 2;
    auto enable = [&](int id, bool on) {
        if (fw::CWnd* w = GetDlgItem(id))
            w->EnableWindow(on);
    };
    auto checked = [&](int id) {
        auto* box = GetDlgItemAs<fw::CButton>(id);
        return box && box->GetCheck() == fw::BST_CHECKED;
    };
    enable(kIdTitle, titleOn);
    enable(kIdName, !lob);
    enable(kIdUnit, !lob);
    enable(kIdOneLine, titleOn && checked(kIdName) && checked(kIdUnit));
}

void CDataTextDlg::OnBrowse()
{
    fw::CString folder = m_param.text.IsEmpty() ? fw::CString(std::filesystem::current_path().string()) : m_param.text;
    if (!fw::FileDialogs().BrowseFolder(fw::LoadStringText(kIdsFolderTitle), folder))
        return;
    m_param.text = folder;
    SetDlgItemText(kIdFolder, folder);
}

void CDataTextDlg::DoDataExchange(fw::CDataExchange* dx)
{
    int title = m_param.bTitle, name = m_param.bName, unit = m_param.bUnit, oneLine = m_param.bOneLine;
    fw::DDX_Check(dx, kIdTitle, title);
    fw::DDX_Check(dx, kIdName, name);
    fw::DDX_Check(dx, kIdUnit, unit);
    fw::DDX_Check(dx, kIdOneLine, oneLine);
    int32_t columns = m_param.columnLimit, rows = m_param.rowLimit;
    fw::DDX_Text(dx, kIdColumns, columns);
    fw::DDV_MinMaxInt(dx, columns, 1, tTextConvParam::kMaxColumnLimit);
    fw::DDX_Text(dx, kIdRows, rows);
    fw::DDV_MinMaxInt(dx, rows, 1, tTextConvParam::kMaxRowLimit);
    int radio = m_param.page >= tTextConvParam::kPageLob ? m_param.page : m_param.format;
    fw::DDX_Radio(dx, kIdTxt, radio);
    fw::DDX_Text(dx, kIdFolder, m_param.text);
    if (!dx->m_bSaveAndValidate)
        return;
    m_param.bTitle = title != 0;
    m_param.bName = name != 0;
    m_param.bUnit = unit != 0;
    m_param.bOneLine = oneLine != 0;
    m_param.columnLimit = columns;
    m_param.rowLimit = rows;
    static constexpr int32_t pages[] = {tTextConvParam::kPageList, tTextConvParam::kPageList,
                                        tTextConvParam::kPageLob, tTextConvParam::kPageDadisp};
    static constexpr int32_t formats[] = {tTextConvParam::kTxt, tTextConvParam::kCsv, tTextConvParam::kCsv,
                                          tTextConvParam::kHed};
    const int index = radio >= 0 && radio < 4 ? radio : 0;
    m_param.page = pages[index];
    m_param.format = formats[index];
}
