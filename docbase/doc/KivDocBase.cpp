#include "docbase/doc/KivDocBase.h"

#include "common/tank/DataBoxPropaty.h"
#include "common/tank/FltDataTank.h"
#include "docbase/doc/AppDocStrings.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Archive.h"
#include "framework/core/Cp932.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

#include <algorithm>
#include <filesystem>
#include <map>

FW_IMPLEMENT_DYNCREATE(CKivDocBase, CZELDataDoc)

namespace {


// Kinds of the operation-data tanks, one per tank.
constexpr int32_t kOpDataKinds[CKivDocBase::kOpDataTanks] = {5, 6, 7};
constexpr unsigned kOpDataNames[CKivDocBase::kOpDataTanks] = {kIdsOpData1, kIdsOpData2, kIdsOpData3};
// Measured channels of these kinds are plotted (the others are switched off
// or of no time series).
constexpr int32_t kPlottedKinds[] = {-1, 22};

void SetFirst(std::vector<int16_t>& values, int value)
{
    if (values.empty())
        values.resize(1);
    values.front() = static_cast<int16_t>(value);
}

bool PathExists(const fw::CString& path)
{
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(std::filesystem::path(path.str()), ec);
    return !ec && status.type() != std::filesystem::file_type::not_found;
}

} // namespace

CKivDocBase::CKivDocBase() : m_strTestTitle(fw::LoadStringText(kIdsTestTitle)), m_pGraphTimeList(CreateGraphTimeList())
{
}

CKivDocBase::~CKivDocBase() = default;

bool CKivDocBase::CreateNewContents()
{
    if (HasOpData()) {
        m_pOpDataList = std::make_unique<CDataTankList>();
        for (int i = 0; i < kOpDataTanks; ++i)
            CDataBoxPropaty::AddColumnTank(*m_pOpDataList, kOpDataNames[i], new CFltDataTank, 1, kOpDataKinds[i]);
    }
    m_strTestTitle = fw::LoadStringText(kIdsTestTitle);
    return true;
}

void CKivDocBase::DeleteContents()
{
    m_pOpDataList.reset();
    CZELDataDoc::DeleteContents();
}

bool CKivDocBase::LimitTestTitle(fw::CString& text)
{
    if (fw::cp932::Fits(text.str(), kMaxTestTitleBytes))
        return true;
    text = fw::CString(fw::cp932::Truncate(text.str(), kMaxTestTitleBytes));
    return false;
}

bool CKivDocBase::SetTestTitle(const fw::CString& text)
{
    fw::CString title = text;
    const bool whole = LimitTestTitle(title);
    m_strTestTitle = title;
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, kHintTestTitleChanged);
    return whole;
}

CDataTankObject* CKivDocBase::GetChannelTank(int channel, int list)
{
    CDataTankList* tanks = list == kOpDataList ? GetOpDataList() : GetChannelTankList();
    if (!tanks || channel < 0)
        return nullptr;
    return tanks->GetObjectAt(channel);
}

void CKivDocBase::SetOpDataValue(int tankNumber, int row, double value)
{
    if (!HasOpData() || !m_pOpDataList)
        return;
    if (CDataTankObject* tank = m_pOpDataList->GetObjectAt(tankNumber))
        tank->SetValue(row, value);
}

void CKivDocBase::OnDocumentLoaded()
{
    GraphProfileList rows;
    m_pGraphTimeList->GetRows(rows);
    if (rows.size() <= 1)
        return;
    // The graph's rows plot the time channel and each row's channel; they
    // hold a reference of their own to each.
    auto hold = [this](int channel) {
        if (CDataTankObject* tank = GetChannelTank(channel, kChannelList)) {
            tank->AddRef();
            m_pGraphTimeList->HoldTank(tank);
        }
    };
    hold(kTimeChannel);
    for (size_t i = 1; i < rows.size(); ++i) {
        if (!rows[i] || rows[i]->yChannels.empty())
            fw::ThrowInvalidArgException();
        hold(rows[i]->FirstYChannel());
    }
}

GraphProfilePtr CKivDocBase::MakeGraphListEntry(int channel, const GraphListProfile& profile)
{
    CDataTankList* list = GetChannelTankList();
    CDataTankObject* tank = (list && channel >= 0) ? list->GetObjectAt(channel) : nullptr;
    if (!tank)
        return nullptr;
    if (channel < kFirstCalcChannel) {
        const int32_t kind = tank->GetKind();
        if (std::find(std::begin(kPlottedKinds), std::end(kPlottedKinds), kind) == std::end(kPlottedKinds))
            return nullptr;
    } else if (tank->GetName().IsEmpty()) {
        return nullptr;
    }
    auto entry = std::make_unique<GraphListProfile>(profile);
    SetFirst(entry->xChannels, kTimeChannel);
    SetFirst(entry->yChannels, channel);
    SetFirst(entry->xLists, kChannelList);
    SetFirst(entry->yLists, kChannelList);
    return entry;
}

GraphProfilePtr CKivDocBase::MakeOpDataGraphEntry(int number, const GraphListProfile& profile)
{
    auto entry = std::make_unique<GraphListProfile>(profile);
    SetFirst(entry->xChannels, number - 1);
    SetFirst(entry->yChannels, number);
    SetFirst(entry->xLists, kOpDataList);
    SetFirst(entry->yLists, kOpDataList);
    return entry;
}

bool CKivDocBase::RefuseExistingFile(const fw::CString& path, const fw::CString&, const fw::CString&)
{
    if (!PathExists(path))
        return true;
    fw::AfxMessageBox(kIdpCannotOverwrite, fw::MB_OK | fw::MB_ICONEXCLAMATION);
    return false;
}

GraphProfilePtr CKivDocBase::MakeHeadProfile()
{
    auto head = std::make_unique<GraphListProfile>();
    head->docIdent = GetDocIdent();
    head->docTitle = GetTitle();
    int rows = 1;
    if (CDataTankList* list = GetChannelTankList())
        rows = std::max(rows, list->GetMaxDataCount(0, -1));
    head->rowCount = rows;
    return head;
}

void CKivDocBase::MergeGraphRows(GraphProfileList& rows, const GraphListProfile& head)
{
    // Rows of the channel list by their channel; rows of other lists stay
    // behind them in their order.
    std::map<int, GraphProfilePtr> byChannel;
    GraphProfileList others;
    for (size_t i = 1; i < rows.size(); ++i) {
        GraphProfilePtr& row = rows[i];
        if (!row)
            continue;
        const bool channelRow = !row->yLists.empty() && row->yLists.front() == kChannelList;
        const int channel = row->FirstYChannel();
        if (channelRow && channel >= 0 && channel <= kLastChannel && !byChannel.count(channel))
            byChannel[channel] = std::move(row);
        else
            others.push_back(std::move(row));
    }
    GraphProfileList merged;
    merged.push_back(std::move(rows.front()));
    for (int channel = 0; channel <= kLastChannel; ++channel) {
        GraphProfilePtr made = MakeGraphListEntry(channel, head);
        if (!made)
            continue;  // an old row of this channel is dropped
        auto it = byChannel.find(channel);
        merged.push_back(it != byChannel.end() ? std::move(it->second) : std::move(made));
    }
    for (GraphProfilePtr& row : others)
        merged.push_back(std::move(row));
    rows = std::move(merged);
}

void CKivDocBase::RebuildGraphList()
{
    GraphProfilePtr head = MakeHeadProfile();
    GraphProfileList rows;
    if (m_pGraphTimeList->GetRowCount() > 0) {
        m_pGraphTimeList->GetRows(rows);
        if (rows.empty() || !rows.front())
            rows.insert(rows.begin(), std::make_unique<GraphListProfile>(*head));
        MergeGraphRows(rows, *head);
    } else {
        rows.push_back(std::make_unique<GraphListProfile>(*head));
        const int count = GetChannelCount();
        for (int channel = 0; channel < count; ++channel) {
            if (GraphProfilePtr entry = MakeGraphListEntry(channel, *head))
                rows.push_back(std::move(entry));
        }
        for (int channel = kFirstCalcChannel; channel <= kLastChannel; ++channel) {
            if (GraphProfilePtr entry = MakeGraphListEntry(channel, *head))
                rows.push_back(std::move(entry));
        }
    }
    m_pGraphTimeList->EditRows(rows);
}

bool CKivDocBase::PromptSaveName(fw::CString& name, bool replace)
{
    fw::FileDialogRequest request;
    request.title = fw::LoadStringText(replace ? fw::kIdsSaveFileTitle : fw::kIdsSaveFileCopyTitle);
    // The overwrite question stays off: an existing name is refused anyway.
    request.flags = fw::OFN_HIDEREADONLY | fw::OFN_PATHMUSTEXIST;
    request.initial = name;
    if (fw::CDocTemplate* tmpl = GetDocTemplate()) {
        fw::CString filterName;
        const auto exts = tmpl->GetFilterExtensions();
        if (!exts.empty() && tmpl->GetDocString(filterName, fw::CDocTemplate::filterName)) {
            fw::FileFilter filter{filterName, {}};
            for (const fw::CString& ext : exts)
                filter.patterns.push_back(fw::CString("*") + ext);
            request.filters.push_back(filter);
            request.defaultExt = exts.front().Mid(1);
        }
    }
    request.filters.push_back(fw::FileFilter{fw::LoadStringText(fw::kIdsAllFilter), {fw::CString("*.*")}});
    const fw::FileDialogResult result = fw::FileDialogs().Save(request);
    if (!result.ok || result.paths.empty())
        return false;
    name = result.paths.front();
    return true;
}

bool CKivDocBase::DoSave(const fw::CString& path, bool replace)
{
    if (IEditorCommit* editors = fw::Installed<IEditorCommit>())
        editors->CommitEditors(*this);

    fw::CString name = path;
    const bool fromDialog = name.IsEmpty();
    if (fromDialog) {
        name = GetPathName();
        if (name.IsEmpty() && replace)
            name = fw::ProposedName(GetTitle(), GetDocTemplate());
    }
    for (;;) {
        if (fromDialog) {
            for (;;) {
                if (!PromptSaveName(name, replace))
                    return false;
                const fw::CString file = fw::fs::FileNameOf(name);
                const int dot = file.ReverseFind('.');
                const fw::CString title = dot >= 0 ? file.Left(dot) : file;
                const fw::CString ext = dot >= 0 ? file.Mid(dot) : fw::CString();
                if (RefuseExistingFile(name, title, ext))
                    break;
            }
        }
        bool saved = false;
        bool nameTaken = false;
        {
            fw::CWaitCursor wait;
            saved = fromDialog ? SaveNoReplace(name, nameTaken) : OnSaveDocument(name);
        }
        if (saved) {
            if (replace)
                SetPathName(name);
            return true;
        }
        // The file appeared between the check and the write: it is left
        // alone and another name is asked for.
        if (fromDialog && nameTaken) {
            fw::AfxMessageBox(kIdpCannotOverwrite, fw::MB_OK | fw::MB_ICONEXCLAMATION);
            continue;
        }
        // Nothing partial lies under the name (the data went to a temporary
        // file, removed on failure), so nothing is deleted here.
        return false;
    }
}

void CKivDocBase::Serialize(fw::CArchive& ar)
{
    CZELDataDoc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_bOpData ? 1 : 0);
    } else {
        int32_t flag = 0;
        ar >> flag;
        m_bOpData = flag != 0;
    }
}
