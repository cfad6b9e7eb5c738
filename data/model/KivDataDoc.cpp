#include "data/model/KivDataDoc.h"

#include "common/cache/CacheDataTank.h"
#include "common/calc/CalcColumnTanks.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/tank/DataBoxPropaty.h"
#include "data/model/DataStrings.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "grid/model/GridTypes.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

FW_IMPLEMENT_DYNCREATE(CKivDataDoc, CKivDocBase)

namespace {

struct StyleArgs {
    int a, b, c, d, e, f, g, h;
};

constexpr StyleArgs kChannelStyle{2, 4, 2, 15, 10, 80, -54, 56};
constexpr StyleArgs kCalcStyle{1, 1, 2, 4, 1000, 56, -36, 56};
constexpr StyleArgs kValueStyle{5, 2, 5, 1, 1, 70, -90, 56};
constexpr StyleArgs kGpsRawStyle{1, 1, 2, 7, 10, 54, -36, 100};
constexpr StyleArgs kCanValueStyle{5, 1, 5, 1, 1, 70, -90, 56};
constexpr StyleArgs kVoiceStyle{1, 1, 1, 3, 50000, 50, -36, 56};
constexpr int kSheetFlag = 0x10;

CZELGridStyle* Make(const StyleArgs& s)
{
    return CKivDataDoc::CreateGridStyle(s.a, s.b, s.c, s.d, s.e, s.f, s.g, s.h);
}

// The graph lists have one corner column and row, one header column and row.
CZELGridStyle* MakeGraphListStyle(int cols, int rows)
{
    auto style = std::make_unique<CZELGridStyle>();
    style->SetDimensions(1, 1, 1, 1, cols, std::max(rows, 1));
    style->ApplySizes();
    return style.release();
}

} // namespace

CKivDataDoc::CKivDataDoc()
{
    m_bOpData = false;
    m_pGpsGraph = CreateGraphTimeList(kGraphListGps);
    m_pCanGraph = CreateGraphTimeList(kGraphListCan);
}

CKivDataDoc::~CKivDataDoc() = default;

CZELGridStyle* CKivDataDoc::CreateGridStyle(int a, int b, int c, int d, int e, int f, int g, int h)
{
    auto style = std::make_unique<CZELGridStyle>();
    style->SetDimensions(b, a, b, c, std::max(d, 1), std::max(e, 1));
    style->SetDefaultSizes(f, g / a, f, g / c, h, -18);
    style->GetPane(kPaneSheet).m_format.nFlags |= kSheetFlag;
    style->ApplySizes();
    return style.release();
}

void CKivDataDoc::CreateMainStyles()
{
    m_styles[kStyleChannel].reset(Make(kChannelStyle));
    m_styles[kStyleCalc].reset(Make(kCalcStyle));
    m_styles[kStyleValues].reset(Make(kValueStyle));
    m_styles[kStyleGraph].reset(MakeGraphListStyle(2, m_useTanks.GetSize()));
}

void CKivDataDoc::CreateUnit463Styles()
{
    m_styles[kStyleGpsValues].reset(Make(kValueStyle));
    m_styles[kStyleGpsGraph].reset(MakeGraphListStyle(3, m_gpsChannels.GetSize()));
    m_styles[kStyleGpsRaw].reset(Make(kGpsRawStyle));
    m_styles[kStyleCanValues].reset(Make(kCanValueStyle));
    m_styles[kStyleCanGraph].reset(MakeGraphListStyle(2, 1));
    m_styles[kStyleVoice].reset(Make(kVoiceStyle));
}

void CKivDataDoc::CreateDefinitions()
{
    auto set = std::make_unique<CDataSPSetTank>();
    CDataBoxPropaty::AddColumnTank(*set, datastr::kIdsName, new CNameTank, 1, 1);
    CDataBoxPropaty::AddColumnTank(*set, datastr::kIdsFunction, new CFuncTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*set, datastr::kIdsUnit, new CUnitTank, 1, 0);
    CDataBoxPropaty::AddColumnTank(*set, datastr::kIdsFormat, new CFormatTank, 1, 0);
    m_pDefinitions = std::move(set);
    BindDefinitions();
}

void CKivDataDoc::BindDefinitions()
{
    if (!m_pDefinitions)
        return;
    for (int c = 0; c < m_pDefinitions->GetSize(); ++c) {
        if (auto* owner = dynamic_cast<CCalcColumnOwner*>(m_pDefinitions->GetObjectAt(c)))
            owner->SetOwner(&m_boxes.GetTankList());
    }
}

void CKivDataDoc::ReapplyDefinitions()
{
    CKivSPTankData& list = m_boxes.GetTankList();
    for (int c = 0; m_pDefinitions && c < m_pDefinitions->GetSize(); ++c) {
        CDataTankObject* column = m_pDefinitions->GetObjectAt(c);
        for (int row = 0; column && row < column->GetDataCount(); ++row) {
            fw::CString text;
            column->GetValueText(row, text, false);
            if (text.IsEmpty())
                continue;
            list.GetOrCreateChannel(kFirstCalcChannel + row);
            column->SetValueText(row, text);
        }
    }
}

bool CKivDataDoc::CreateNewContents()
{
    if (!CKivDocBase::CreateNewContents())
        return false;
    CreateMainStyles();
    CreateDefinitions();
    CreateUnit463Styles();
    m_voiceList.CreateTanks();
    return true;
}

void CKivDataDoc::DeleteContents()
{
    for (auto& style : m_styles)
        style.reset();
    m_pDefinitions.reset();
    m_tailBytes.clear();
    CKivDocBase::DeleteContents();
}

void CKivDataDoc::SetPathName(const fw::CString& path, bool)
{
    // Data documents live in folders of their own; the recent-file list
    // would only lead into them.
    CKivDocBase::SetPathName(path, false);
}

fw::CString CKivDataDoc::GetDataFolder() const
{
    return fw::fs::FolderOf(GetPathName());
}

bool CKivDataDoc::HasRoomToOpen(const fw::CString& path, const fw::CString& workFolder)
{
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(std::filesystem::path(path.str()), ec);
    if (ec)
        return true;
    // The channel values are cached in the work folder while the document
    // is open; an unreadable free space does not stop the open.
    const std::optional<uint64_t> free = fw::fs::DiskFree(workFolder);
    if (!free || size < *free)
        return true;
    fw::Prompt().MessageBox(fw::Format(datastr::kTextNoRoomToOpen, workFolder),
                            fw::MB_OK | fw::MB_ICONEXCLAMATION, datastr::kMsgNoRoomToOpen);
    return false;
}

bool CKivDataDoc::OnOpenDocument(const fw::CString& path)
{
    if (!HasRoomToOpen(path, CCacheDataTank<float>::GetTempFolder()))
        return false;
    m_boxes.SetFolder(fw::fs::FolderOf(path));
    return CKivDocBase::OnOpenDocument(path);
}

bool CKivDataDoc::OnSaveDocument(const fw::CString& path)
{
    m_boxes.SetFolder(fw::fs::FolderOf(path));
    bool saved = false;
    try {
        saved = CKivDocBase::OnSaveDocument(path);
    } catch (...) {
        m_boxes.DiscardChannelFiles();
        m_boxes.SetFolder(GetDataFolder());
        throw;
    }
    if (saved)
        saved = m_boxes.CommitChannelFiles();
    else
        m_boxes.DiscardChannelFiles();
    m_boxes.SetFolder(saved ? fw::fs::FolderOf(path) : GetDataFolder());
    return saved;
}

bool CKivDataDoc::CheckSaveTarget(fw::CString& path, const fw::CString& title, const fw::CString& extension)
{
    namespace fs = std::filesystem;
    const fw::CString file = title + extension;
    const fw::CString folder = fw::fs::PathJoin(fw::fs::FolderOf(path), title);
    std::error_code ec;
    const fs::path dir(folder.str());
    if (fs::is_directory(dir, ec)) {
        if (fs::exists(dir / file.str(), ec)) {
            fw::AfxMessageBox(datastr::kMsgCannotOverwrite, fw::MB_OK | fw::MB_ICONEXCLAMATION);
            return false;
        }
        if (!fw::fs::ListFolder(folder, "CH*", false).empty()) {
            fw::AfxMessageBox(datastr::kMsgCannotSaveHere, fw::MB_OK | fw::MB_ICONEXCLAMATION);
            return false;
        }
        path = fw::fs::PathJoin(folder, file);
        return true;
    }
    if (fs::exists(dir, ec))
        return true;
    if (!fs::create_directory(dir, ec)) {
        fw::AfxMessageBox(datastr::kMsgCannotSaveHere, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return false;
    }
    path = fw::fs::PathJoin(folder, file);
    return true;
}

bool CKivDataDoc::DoSave(const fw::CString& path, bool replace)
{
    if (!path.IsEmpty())
        return CKivDocBase::DoSave(path, replace);
    if (IEditorCommit* editors = fw::Installed<IEditorCommit>())
        editors->CommitEditors(*this);
    fw::CString name = GetPathName();
    if (name.IsEmpty() && replace)
        name = fw::ProposedName(GetTitle(), GetDocTemplate());
    for (;;) {
        if (!PromptSaveName(name, replace))
            return false;
        const fw::CString file = fw::fs::FileNameOf(name);
        const int dot = file.ReverseFind('.');
        const fw::CString title = dot >= 0 ? file.Left(dot) : file;
        const fw::CString ext = dot >= 0 ? file.Mid(dot) : fw::CString();
        if (!CheckSaveTarget(name, title, ext))
            continue;
        bool nameTaken = false;
        bool saved = false;
        {
            fw::CWaitCursor wait;
            saved = SaveNoReplace(name, nameTaken);
        }
        if (saved) {
            if (replace)
                SetPathName(name);
            return true;
        }
        if (!nameTaken)
            return false;
        fw::AfxMessageBox(datastr::kMsgCannotOverwrite, fw::MB_OK | fw::MB_ICONEXCLAMATION);
    }
}

void CKivDataDoc::RebuildChannels()
{
    m_useTanks.DeleteAll();
    CKivSPTankData& list = m_boxes.GetTankList();
    auto take = [&](int i, bool needName) {
        auto* tank = dynamic_cast<CCashCalcuDataTank*>(list.GetObjectAt(i));
        if (!tank || (needName && tank->GetName().IsEmpty()))
            return;
        tank->SetChannelNumber(static_cast<int16_t>(i));
        m_useTanks.AddTank(tank, true);
    };
    const int inputs = std::min(GetChannelCount(), list.GetSize());
    for (int i = 0; i < inputs; ++i)
        take(i, false);
    for (int i = kFirstCalcChannel; i < std::min(list.GetSize(), kLastChannel + 1); ++i)
        take(i, true);
    const int used = std::max(m_useTanks.GetSize(), 1);
    if (m_styles[kStyleValues])
        m_styles[kStyleValues]->SetColumnCount(used);
    if (m_styles[kStyleGraph])
        m_styles[kStyleGraph]->SetRowCount(used);
    RebuildGraphList();
}

void CKivDataDoc::OnDocumentLoaded()
{
    CKivDocBase::OnDocumentLoaded();
    BindDefinitions();
    ReapplyDefinitions();
    m_boxes.RebuildChannelMap();
    // Reading the channel files leaves the tanks without extremes.
    m_boxes.GetTankList().UpdateAllMaxMin();
    RebuildChannels();
    RecalculateAll();
    ApplyCanTimeUnit(m_adSet.m_nUnit);
    RebuildGpsChannels();
    m_voiceList.CreateTanks();
    LoadVoiceFiles(false);
}
