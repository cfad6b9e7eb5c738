#include "project/model/KIV5980Doc.h"

#include "common/calc/CalcColumnTanks.h"
#include "common/tank/DataBoxPropaty.h"
#include "common/tank/FltDataTank.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "instrument/check/CheckData.h"
#include "instrument/check/ProgramTableTanks.h"
#include "project/model/ProjectHost.h"
#include "project/model/ProjectStrings.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

FW_IMPLEMENT_DYNCREATE(CKIV5980Doc, CKivDocBase)

namespace {

constexpr int kInputMode = 7;
constexpr int kUnitCode = 25;
constexpr int kFormat = 1004;
constexpr int kCapacity = 1003;
constexpr int kRatedOutput = 1002;
constexpr double kNoFormat = -9999;
constexpr unsigned kOpDataNames[3] = {prjstr::kColOpData1, prjstr::kColOpData1 + 1, prjstr::kColOpData1 + 2};
constexpr int32_t kOpDataKinds[3] = {5, 6, 7};
constexpr const char* kStartUpName = "StartUp";
constexpr const char* kVoiceName = "VOICE";
constexpr const char* kGraphExtension = ".kivg";
constexpr intptr_t kHintProjectClosing = 2;

// Input modes whose unit 29 is shown as unit 4 and whose format 1 stays.
bool IsSpecialInputMode(double mode)
{
    return mode == 20 || mode == 21 || mode == 22;
}

} // namespace

CKIV5980Doc::CKIV5980Doc() : m_pActiveSystem(&m_boxArray)
{
    m_intervalDue.SetStatus(fw::COleDateTime::null);
    m_boxArray.SetOwner(this);
}

CKIV5980Doc::~CKIV5980Doc()
{
    DeleteCheckRecords();
}

void CKIV5980Doc::DeleteCheckRecords()
{
    for (CCheckData* record : m_checkRecords)
        delete record;
    m_checkRecords.clear();
}

bool CKIV5980Doc::OnNewDocument()
{
    if (!CKivDocBase::OnNewDocument())
        return false;
    return BuildDefaultProject();
}

void CKIV5980Doc::DeleteContents()
{
    for (auto& table : m_tables)
        table.reset();
    if (m_pCalcSettings) {
        m_boxArray.GetTankList().SetSettingsList(nullptr);
        m_pCalcSettings.reset();
    }
    for (auto& program : m_programs)
        program.reset();
    DeleteCheckRecords();
    m_history.RemoveAll();
    m_freqHistory.RemoveAll();
    m_voiceList.RemoveAll();
    m_graphListBytes.clear();
    CKivDocBase::DeleteContents();
}

bool CKIV5980Doc::SaveModified()
{
    if (!ConfirmStopMeasurement())
        return false;
    return CKivDocBase::SaveModified();
}

void CKIV5980Doc::OnCloseDocument()
{
    // Graph pages let go of the project's tanks before they go.
    CUpdateDataDoc hint(this);
    ProjectHost().UpdateAllGraphDocs(kHintProjectClosing, &hint);
    CKivDocBase::OnCloseDocument();
}

bool CKIV5980Doc::CompleteOpen(const fw::CString& path)
{
    try {
        m_boxArray.SetOwner(this);
        m_boxArray.BuildChannelMap();
        m_boxArray.BuildHistCounts();
    } catch (const std::exception&) {
        return false;
    }
    return CKivDocBase::CompleteOpen(path);
}

void CKIV5980Doc::FixChannelsAfterLoad()
{
    // The control units keep only what they archive themselves: the PC-side
    // values are set again so that they reach the units' copies.
    CBoxArray& system = m_boxArray;
    for (int i = 0; i < GetChannelCount(); ++i) {
        const double format = system.GetChannelValue(i, kFormat);
        if (IsSpecialInputMode(system.GetChannelValue(i, kInputMode))) {
            if (system.GetChannelValue(i, kUnitCode) == 29)
                system.SetChannelValue(i, kUnitCode, 4);
            if (format == kNoFormat || format == 1)
                system.SetChannelValue(i, kFormat, 1);
        } else {
            system.SetChannelValue(i, kFormat, format == kNoFormat ? 0 : format);
        }
        for (int code : {kCapacity, kRatedOutput}) {
            const double value = system.GetChannelValue(i, code);
            if (std::isfinite(value))
                system.SetChannelValue(i, code, value);
        }
    }
}

void CKIV5980Doc::ReplaceOpDataTanks()
{
    m_pOpDataList = std::make_unique<CDataTankList>();
    for (int i = 0; i < 3; ++i)
        CDataBoxPropaty::AddColumnTank(*m_pOpDataList, kOpDataNames[i], new CFltDataTank, 1, kOpDataKinds[i]);
}

void CKIV5980Doc::OnDocumentLoaded()
{
    CKivDocBase::OnDocumentLoaded();
    FixChannelsAfterLoad();
    LinkCalcSettings();
    for (int column = 0; column < 4; ++column) {
        CDataTankObject* tank = m_pCalcSettings->GetObjectAt(column);
        if (!tank)
            continue;
        for (int row = 0; row < tank->GetDataCount() && row < kCalcRows; ++row) {
            fw::CString text;
            tank->GetValueText(row, text, false);
            if (!text.IsEmpty())
                SetCalcChannelText(column, row, text, nullptr);
        }
    }
    ReplaceOpDataTanks();
    LoadOpDataTanks();
    m_boxArray.GetTankList().UpdateAllChannels();
    if (auto* channel = dynamic_cast<CCompNoTank*>(m_programs[kProgComparator]->GetObjectAt(0)))
        channel->SetOwner(this);
    if (auto* start = dynamic_cast<CCycleTank*>(m_programs[kProgCycle]->GetObjectAt(0)))
        start->SetMinimum(0);
    if (auto* step = dynamic_cast<CCycleTank*>(m_programs[kProgCycle]->GetObjectAt(1)))
        step->SetMinimum(1);
    m_history.InitColumns();
    RebuildHistoryFromDataFiles();
    m_freqHistory.InitTanks();
    RebuildFreqHistory();
    m_boxArray.MarkDuplicateCanIds();
    m_voiceList.CreateTanks();
    RescanVoiceFiles();
    RebuildChannels();
    RefreshFuncColumn();
    OpenStartupFiles();
    SetModifiedFlag(false);
}

void CKIV5980Doc::OpenStartupFiles()
{
    if (!ProjectHost().OpenStartupFiles())
        return;
    namespace fs = std::filesystem;
    std::vector<std::string> pages;
    std::error_code ec;
    const fs::path folder = fs::path(GetDataFolder().str()) / kStartUpName;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == kGraphExtension)
            pages.push_back(it->path().string());
    // The file system's order is no order: the pages open by name.
    std::sort(pages.begin(), pages.end());
    for (const std::string& page : pages)
        ProjectHost().OpenDocumentFile(fw::CString(page));
}

bool CKIV5980Doc::DoSave(const fw::CString& path, bool replace)
{
    fw::CString before = GetPathName();
    before.MakeUpper();
    const bool saved = CKivDocBase::DoSave(path, replace);
    if (!saved)
        return false;
    const fw::CString folder = GetDataFolder();
    if (CreateDataFolder(folder))
        ProjectHost().CheckFreeDiskSpace(folder, EstimateDataSize());
    fw::CString after = GetPathName();
    after.MakeUpper();
    if (after != before) {
        RebuildHistoryFromDataFiles();
        RebuildFreqHistory();
        RescanVoiceFiles();
    }
    return true;
}

void CKIV5980Doc::ApplyEditLock()
{
    for (Table t : {kTabChannel, kTabOutput, kTabCalc, kTabInterval, kTabComparator, kTabDataTrigger, kTabCycle,
                    kTabChannelData, kTabFreqSettings, kTabProgram, kTabCanNode, kTabCanSignal, kTabVoice,
                    kTabDigitalIO})
        if (m_tables[t])
            m_tables[t]->ToggleReadOnly();
    UpdateAllViews(nullptr, 42);
}

fw::CString CKIV5980Doc::DataFolderOf(const fw::CString& projectPath)
{
    // Only the file name's extension is replaced: a folder whose name holds
    // ".kivp" is not a project file and keeps its name.
    const std::string path = projectPath.str();
    const size_t slash = path.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string name = path.substr(nameStart);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        // Lower or upper case, as the save dialog writes it; a mixed-case
        // extension is no project extension.
        const std::string ext = name.substr(dot);
        if (ext == kExtension || ext == kExtensionUpper)
            return fw::CString(path.substr(0, nameStart + dot) + kDataSuffix);
    }
    return fw::CString(path + kDataSuffix);
}

fw::CString CKIV5980Doc::GetDataFolder() const
{
    return DataFolderOf(GetPathName());
}

bool CKIV5980Doc::CreateDataFolder(const fw::CString& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path folder(path.str());
    const auto status = fs::symlink_status(folder, ec);
    if (status.type() == fs::file_type::not_found) {
        if (!fs::create_directory(folder, ec))
            return false;
    } else if (!fs::is_directory(folder, ec)) {
        return false;
    }
    for (const char* sub : {kStartUpName, kVoiceName})
        fs::create_directory(folder / sub, ec);
    return true;
}

uint64_t CKIV5980Doc::EstimateDataSize()
{
    const uint64_t n = static_cast<uint64_t>(std::max(m_boxArray.GetADSet().m_nNum, 0));
    const int64_t u = GetUseTanks().GetSize();
    const int64_t k = GetChannelCount();
    const int64_t bytes = 4 * (static_cast<int64_t>(n) * u + 5120) + 1024 * (u - k) + 1036 * k;
    return bytes > 0 ? static_cast<uint64_t>(bytes) : 0;
}

void CKIV5980Doc::LoadOpDataTanks()
{
    CDataTankList* ops = GetOpDataTanks();
    if (!ops)
        return;
    for (int k = 0; k < 3; ++k) {
        CDataTankObject* target = ops->GetObjectAt(k);
        if (!target)
            continue;
        for (int i = 0; i < GetChannelCount(); ++i)
            target->SetValue(i, m_boxArray.GetChannelValue(i, 1011 + k));
        CDataTankObject* column = m_pCalcSettings ? m_pCalcSettings->GetObjectAt(7 + k) : nullptr;
        if (!column)
            continue;
        const int last = m_pCalcSettings->GetLastFilledIndex(0, -1);
        for (int j = 0; j <= last && j < kCalcRows; ++j)
            target->SetValue(kFirstCalcChannel + j, column->GetValue(j));
    }
}
