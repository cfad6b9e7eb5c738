#include "measure/views/transfer/CFDataGetDlg.h"

#include "framework/core/Exceptions.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "frequency/views/CFHistFileInfoGrid.h"
#include "measure/model/card/CardFolderScan.h"
#include "measure/model/card/ImportLists.h"
#include "measure/views/transfer/CFFileGrids.h"

FW_IMPLEMENT_DYNAMIC(CCFDataGetDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CCFDataGetDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CCFDataGetDlg::kIdWaveRadio, &CCFDataGetDlg::OnKindChange)
    FW_ON_BN_CLICKED(CCFDataGetDlg::kIdHistRadio, &CCFDataGetDlg::OnKindChange)
    FW_ON_BN_CLICKED(CCFDataGetDlg::kIdVoiceRadio, &CCFDataGetDlg::OnKindChange)
    FW_ON_BN_CLICKED(CCFDataGetDlg::kIdRegister, &CCFDataGetDlg::OnRegister)
    FW_ON_BN_CLICKED(CCFDataGetDlg::kIdRelease, &CCFDataGetDlg::OnRelease)
    FW_ON_BN_CLICKED(CCFDataGetDlg::kIdBrowse, &CCFDataGetDlg::OnBrowse)
    FW_ON_CBN_SELCHANGE(CCFDataGetDlg::kIdUnit, &CCFDataGetDlg::OnUnitChange)
FW_END_COMMANDS

namespace {

constexpr int kFoundIds[] = {CCFDataGetDlg::kIdWaveFound, CCFDataGetDlg::kIdHistFound, CCFDataGetDlg::kIdVoiceFound};
constexpr int kRegisteredIds[] = {CCFDataGetDlg::kIdWaveRegistered, CCFDataGetDlg::kIdHistRegistered,
                                  CCFDataGetDlg::kIdVoiceRegistered};
// The kind's radios; their ids are not consecutive (a grid lies between).
constexpr int kRadioIds[] = {CCFDataGetDlg::kIdWaveRadio, CCFDataGetDlg::kIdHistRadio, CCFDataGetDlg::kIdVoiceRadio};

template <class Grid> Grid* Place(fw::DialogBuilder& b, fw::CDialog& dlg, int id, std::unique_ptr<Grid> grid)
{
    Grid* raw = grid.get();
    grid->Create(fw::CRect(0, 0, 300, 320), &dlg, id);
    b.Custom(id, std::move(grid));
    return raw;
}

} // namespace

CCFDataGetDlg::CCFDataGetDlg(fw::CWnd* parent) : fw::CDialog(kTemplateId, parent)
{
}

CCFDataGetDlg::~CCFDataGetDlg() = default;

void CCFDataGetDlg::SetUnitCount(int units)
{
    for (auto& lists : m_found)
        lists.assign(static_cast<size_t>(std::max(units, 0)), {});
    RebuildPointers();
}

void CCFDataGetDlg::SetFoundLists(Kind kind, std::vector<FileList> lists)
{
    if (kind == kWaveform && lists.size() != m_found[kWaveform].size())
        SetUnitCount(static_cast<int>(lists.size()));
    lists.resize(m_found[kWaveform].size());
    m_found[kind] = std::move(lists);
    RebuildPointers();
}

void CCFDataGetDlg::RebuildPointers()
{
    const size_t units = m_found[kWaveform].size();
    for (int k = 0; k < kKindCount; ++k) {
        m_found[k].resize(units);
        m_registered[k].resize(units);
        m_foundPtrs[k].clear();
        m_registeredPtrs[k].clear();
        for (size_t u = 0; u < units; ++u) {
            m_foundPtrs[k].push_back(&m_found[k][u]);
            m_registeredPtrs[k].push_back(&m_registered[k][u]);
        }
    }
}

void CCFDataGetDlg::FreeFileLists()
{
    for (int k = 0; k < kKindCount; ++k) {
        m_found[k].clear();
        m_registered[k].clear();
        m_foundPtrs[k].clear();
        m_registeredPtrs[k].clear();
    }
}

CZELGrid& CCFDataGetDlg::FoundGrid(Kind kind) const
{
    if (kind == kWaveform)
        return *m_waveFound;
    if (kind == kFrequency)
        return *m_histFound;
    return *m_voiceFound;
}

void CCFDataGetDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("CFデータ取得");
    b.Radio(kIdWaveRadio, "波形データ", true).ShowWindow(fw::SW_HIDE);
    b.Radio(kIdHistRadio, "頻度データ").ShowWindow(fw::SW_HIDE);
    b.Radio(kIdVoiceRadio, "音声").ShowWindow(fw::SW_HIDE);
    b.Combo(kIdUnit).ShowWindow(fw::SW_HIDE);
    b.Static(kIdCaption, "");
    b.Row();
    m_waveFound = Place(b, *this, kIdWaveFound, std::make_unique<CCFFileInfoGrid>());
    m_histFound = Place(b, *this, kIdHistFound, std::make_unique<CCFHistFileInfoGrid>());
    m_voiceFound = Place(b, *this, kIdVoiceFound, std::make_unique<CCFVoiceFileInfoGrid>());
    b.Check(kIdUseFileFormat, "ファイルの係数、単位、フォーマットを使用する");
    m_registeredGrids[kWaveform] =
        Place<CCFGetFileInfoGrid>(b, *this, kIdWaveRegistered, std::make_unique<CCFGetFileInfoGrid>());
    m_registeredGrids[kFrequency] =
        Place<CCFGetFileInfoGrid>(b, *this, kIdHistRegistered, std::make_unique<CCFGetHistFileInfoGrid>());
    m_registeredGrids[kVoice] =
        Place<CCFGetFileInfoGrid>(b, *this, kIdVoiceRegistered, std::make_unique<CCFGetVoiceFileInfoGrid>());
    b.Row();
    b.Button(kIdBrowse, "参照...").ShowWindow(fw::SW_HIDE);
    b.Button(kIdRegister, "登録");
    b.Button(kIdRelease, "解除");
    b.OkCancel("OK", "キャンセル");
}

void CCFDataGetDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Check(dx, kIdUseFileFormat, m_nUseFileFormat);
    for (int k = 0; k < kKindCount; ++k) {
        auto* radio = GetDlgItemAs<fw::CButton>(kRadioIds[k]);
        if (!radio)
            continue;
        if (!dx->m_bSaveAndValidate)
            radio->SetCheck(k == m_nKind ? 1 : 0);
        else if (radio->GetCheck() == 1)
            m_nKind = k;
    }
}

bool CCFDataGetDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    if (m_bFolderMode)
        GetDlgItem(kIdBrowse)->ShowWindow(fw::SW_SHOWNORMAL);
    RebuildPointers();
    m_unit = 0;
    m_waveFound->SetFileLists(&m_foundPtrs[kWaveform]);
    m_histFound->SetFileLists(&m_foundPtrs[kFrequency]);
    m_voiceFound->SetFileLists(&m_foundPtrs[kVoice]);
    for (int k = 0; k < kKindCount; ++k)
        RefreshFound(static_cast<Kind>(k));
    m_waveFound->Reset();
    m_histFound->Reset();
    m_voiceFound->Refresh();
    for (int k = 0; k < kKindCount; ++k) {
        m_registeredGrids[k]->SetFileLists(&m_registeredPtrs[k]);
        m_registeredGrids[k]->Refresh();
    }
    for (int id : {kIdWaveRadio, kIdHistRadio, kIdVoiceRadio})
        GetDlgItem(id)->ShowWindow(fw::SW_SHOWNORMAL);
    if (auto* units = GetDlgItemAs<fw::CComboBox>(kIdUnit)) {
        for (int u = 0; u < GetUnitCount(); ++u)
            units->AddString(fw::Format(fw::LoadStringText(kIdsUnitName).c_str(), u + 1));
        units->SetCurSel(0);
        if (GetUnitCount() > 1)
            units->ShowWindow(fw::SW_SHOWNORMAL);
    }
    ShowKind(m_nKind);
    return true;
}

void CCFDataGetDlg::RefreshFound(Kind kind)
{
    if (GetUnitCount() == 0)
        return;
    switch (kind) {
    case kWaveform:
        m_waveFound->SetUnit(m_unit);
        m_waveFound->UpdateRowCount();
        break;
    case kFrequency:
        m_histFound->SetUnit(m_unit);
        m_histFound->UpdateRowCount();
        break;
    default:
        m_voiceFound->SetUnit(m_unit);
        m_voiceFound->ResizeToFileList();
        break;
    }
}

void CCFDataGetDlg::ShowKind(int kind)
{
    m_nKind = std::clamp(kind, 0, kKindCount - 1);
    for (int k = 0; k < kKindCount; ++k) {
        const int show = k == m_nKind ? fw::SW_SHOWNORMAL : fw::SW_HIDE;
        GetDlgItem(kFoundIds[k])->ShowWindow(show);
        GetDlgItem(kRegisteredIds[k])->ShowWindow(show);
    }
    SetDlgItemText(kIdCaption, m_captions[static_cast<size_t>(m_nKind)]);
    GetDlgItem(kIdUseFileFormat)->EnableWindow(m_nKind == kWaveform);
    for (int k = 0; k < kKindCount; ++k)
        GetDlgItemAs<fw::CButton>(kRadioIds[k])->SetCheck(k == m_nKind ? 1 : 0);
    UpdateRegisterButton();
}

void CCFDataGetDlg::OnKindChange()
{
    if (!UpdateData(true))
        return;
    ShowKind(m_nKind);
}

void CCFDataGetDlg::OnUnitChange()
{
    auto* units = GetDlgItemAs<fw::CComboBox>(kIdUnit);
    const int sel = units ? units->GetCurSel() : 0;
    if (sel < 0 || sel >= GetUnitCount())
        return;
    m_unit = sel;
    for (int k = 0; k < kKindCount; ++k)
        RefreshFound(static_cast<Kind>(k));
    UpdateRegisterButton();
}

void CCFDataGetDlg::UpdateRegisterButton()
{
    const bool any = GetUnitCount() > 0 && !Found(static_cast<Kind>(m_nKind), m_unit).empty();
    GetDlgItem(kIdRegister)->EnableWindow(any);
}

void CCFDataGetDlg::OnRegister()
{
    if (GetUnitCount() == 0)
        return;
    const Kind kind = static_cast<Kind>(m_nKind);
    const CCellRange range = FoundGrid(kind).GetSelection();
    if (!range.IsValid())
        return;
    cardfiles::RegisterRows(Found(kind, m_unit), range.top, range.bottom, Registered(kind, m_unit));
    UpdateRegisterButton();
    m_registeredGrids[kind]->ResizeToFileLists();
    m_registeredGrids[kind]->RedrawPanes();
}

void CCFDataGetDlg::OnRelease()
{
    const Kind kind = static_cast<Kind>(m_nKind);
    const CCellRange range = m_registeredGrids[kind]->GetSelection();
    if (!range.IsValid())
        return;
    cardfiles::ReleaseRows(m_registeredPtrs[kind], range.left, range.right, range.top, range.bottom);
    m_registeredGrids[kind]->ResizeToFileLists();
    m_registeredGrids[kind]->RedrawPanes();
}

void CCFDataGetDlg::OnBrowse()
{
    if (GetUnitCount() == 0)
        return;
    fw::CString folder = m_strFolder;
    if (!fw::FileDialogs().BrowseFolder(fw::LoadStringText(kIdsBrowseTitle), folder))
        return;
    m_strFolder = folder;
    cardfiles::FolderScanQuestions questions;
    questions.adjustCount = [](const fw::CString&) {
        return fw::AfxMessageBox(cardfiles::kIdsAdjustCount, fw::MB_YESNO | fw::MB_DEFBUTTON2) == fw::IDYES;
    };
    questions.cannotRead = [](const fw::CString& path) {
        fw::AfxMessageBox(fw::Format(fw::LoadStringText(cardfiles::kIdsCannotRead).c_str(), path));
    };
    bool listed = false;
    try {
        cardfiles::ScanRecordedFiles(m_strFolder, Found(kWaveform, m_unit), Found(kFrequency, m_unit), questions);
        listed = true;
    } catch (const std::exception& e) {
        fw::ReportException(e);
    }
    RefreshFound(kWaveform);
    RefreshFound(kFrequency);
    if (listed) {
        cardfiles::ScanVoiceFiles(m_strFolder, Found(kVoice, m_unit));
        RefreshFound(kVoice);
    }
    UpdateRegisterButton();
}

void CCFDataGetDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    const cardfiles::RegisterCheck check =
        cardfiles::CheckRegistered(m_registeredPtrs[kWaveform], m_registeredPtrs[kFrequency], m_registeredPtrs[kVoice]);
    if (check.message == cardfiles::kIdsClockMismatch) {
        fw::AfxMessageBox(fw::Format(fw::LoadStringText(check.message).c_str(), check.row));
    } else if (check.message != 0) {
        fw::AfxMessageBox(check.message);
    } else {
        EndDialog(fw::IDOK);
        return;
    }
    if (check.kind >= 0)
        ShowKind(check.kind);
}
