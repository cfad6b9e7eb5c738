// The histories that index the data folder: the measurement history is
// rebuilt from the headers of the measurement-data files found there.

#include "project/model/KIV5980Doc.h"

#include "docbase/doc/UpdateStepDate.h"
#include "framework/core/Exceptions.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "project/model/DataHeaderReader.h"
#include "project/model/ProjectHost.h"
#include "project/model/ProjectStrings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

constexpr intptr_t kHintHistoryChanged = 35;
constexpr const char* kDataExtension = ".kivd";

struct FoundStep {
    double time = 0;
    fw::CString name;
    CMMAHeader header;
};

// The subfolders of `folder`, sorted by name, so that a cut at the history's
// limit does not depend on the order the file system lists them.
std::vector<std::string> SortedSubfolders(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_directory(typeEc))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

void CKIV5980Doc::RebuildHistoryFromDataFiles()
{
    if (!m_history.HasStepWithoutDataFile(0, -1)) {
        fw::CWaitCursor wait;
        std::vector<FoundStep> found;
        IDataHeaderReader* reader = fw::Installed<IDataHeaderReader>();
        const std::filesystem::path folder(GetDataFolder().str());
        if (reader) {
            for (const std::string& name : SortedSubfolders(folder)) {
                if (found.size() >= static_cast<size_t>(kMaxHistorySteps))
                    break;
                const fw::CString file((folder / name / (name + kDataExtension)).string());
                FoundStep step;
                try {
                    if (!reader->ReadHeader(file, step.header))
                        continue;
                } catch (const std::exception&) {
                    // One damaged file must not keep the project closed.
                    fw::Prompt().MessageBox(fw::FormatString(prjstr::kMsgDataFileSkipped, file),
                                            fw::MB_OK | fw::MB_ICONEXCLAMATION, prjstr::kMsgDataFileSkipped);
                    continue;
                }
                step.time = step.header.startTime;
                step.name = fw::CString(name);
                found.push_back(std::move(step));
            }
        }
        std::stable_sort(found.begin(), found.end(), [](const FoundStep& a, const FoundStep& b) {
            if (a.time != b.time)
                return a.time < b.time;
            return a.name.str() < b.name.str();
        });
        m_history.RemoveAll();
        m_history.InitColumns();
        RefreshHistoryChannels(false);
        m_history.Grow(static_cast<int>(found.size()) - 1);
        for (size_t i = 0; i < found.size(); ++i) {
            const int step = static_cast<int>(i);
            const CMMAHeader& h = found[i].header;
            m_history.SetDataFileName(step, found[i].name);
            m_history.SetStepTime(step, h.startTime);
            m_history.SetMeasureMethod(step, h.method);
            m_history.SetCycleCount(step, h.cycleCount);
            m_history.SetTitle(step, h.title);
            m_history.SetDuration(step, h.duration);
            m_history.SetDurationUnit(step, h.durationUnit);
            m_history.SetCardFileName(step, h.cardFileName);
            int position = 0;
            for (const CMMAHeader::Channel& c : h.channels) {
                if (c.number < 0)
                    continue;
                CMMAObject::ChannelRecord record{static_cast<int16_t>(c.valueType == 'F' ? 2 : 8), c.format, c.name,
                                                 c.number};
                CMMAObject::ValuesRecord values{c.max, c.min, c.average, c.unit};
                position = m_history.MergeChannelValues(step, record, values, position);
            }
        }
    }
    NotifyHistoryChanged();
}

void CKIV5980Doc::NotifyHistoryChanged()
{
    UpdateAllViews(nullptr, kHintHistoryChanged);
    CUpdateStepDate hint(this, m_history.GetLastIndex());
    ProjectHost().UpdateAllGraphDocs(kHintHistoryChanged, &hint);
}

void CKIV5980Doc::RefreshHistoryChannels(bool intoLastStep)
{
    const int step = intoLastStep ? m_history.GetLastIndex() : -1;
    CBoxArray& system = *m_pActiveSystem;
    CDataTankList& tanks = system.GetTankList();
    const int count = tanks.GetSize() > 0 ? system.GetTankList().GetMeasuredCount() : 0;
    for (int i = 0; i < count; ++i) {
        CDataTankObject* tank = system.GetChannelValue(i, 0) == 1 ? tanks.GetObjectAt(i) : nullptr;
        m_history.SetChannelValues(step, i, tank);
    }
    CDataTankObject* onOff = m_pCalcSettings ? m_pCalcSettings->GetObjectAt(4) : nullptr;
    for (int row = 0; row < kCalcRows; ++row) {
        const int channel = kFirstCalcChannel + row;
        CDataTankObject* tank = channel < tanks.GetSize() ? tanks.GetObjectAt(channel) : nullptr;
        if (tank && !(onOff && onOff->GetValue(row) == 1))
            tank = nullptr;
        m_history.SetChannelValues(step, channel, tank);
    }
}

void CKIV5980Doc::SetLastStep(int step)
{
    m_history.SetLastIndex(step);
    NotifyHistoryChanged();
}

void CKIV5980Doc::RemoveUnsavedSteps(int first, int last)
{
    if (fw::AfxMessageBox(prjstr::kMsgRemoveUnsaved, fw::MB_YESNO | fw::MB_ICONSTOP | fw::MB_DEFBUTTON2) != fw::IDYES)
        return;
    m_history.RemoveStepsWithoutDataFile(first, last);
    NotifyHistoryChanged();
    GetUndoBuffer().Release(0);
}

// "計測履歴の更新..." and "KIV-406設定ファイル作成..." reach the project
// from its windows' menus.
FW_BEGIN_COMMANDS(CKIV5980Doc, CKivDocBase)
    FW_ON_COMMAND(CKIV5980Doc::kIdHistoryUpdate, &CKIV5980Doc::OnHistoryUpdate)
    FW_ON_UPDATE(CKIV5980Doc::kIdHistoryUpdate, &CKIV5980Doc::OnUpdateHistoryUpdate)
    FW_ON_COMMAND(CKIV5980Doc::kIdWriteSettingsFile, &CKIV5980Doc::OnWriteSettingsFile)
FW_END_COMMANDS

void CKIV5980Doc::OnUpdateHistoryUpdate(fw::CCmdUI* ui)
{
    ui->Enable(!IsEditLocked());
}

void CKIV5980Doc::OnHistoryUpdate()
{
    try {
        if (m_history.HasStepWithoutDataFile(0, -1)) {
            if (fw::AfxMessageBox(prjstr::kMsgUnsavedSteps, fw::MB_YESNO | fw::MB_ICONSTOP | fw::MB_DEFBUTTON2) !=
                    fw::IDYES ||
                fw::AfxMessageBox(prjstr::kMsgUnsavedLost, fw::MB_YESNO | fw::MB_DEFBUTTON2) != fw::IDYES)
                return;
            m_history.RemoveAll();
            m_history.InitColumns();
            RebuildHistoryFromDataFiles();
            RebuildFreqHistory();
            return;
        }
        if (fw::AfxMessageBox(prjstr::kMsgRebuildHistory, fw::MB_YESNO) != fw::IDYES)
            return;
        RebuildHistoryFromDataFiles();
        RebuildFreqHistory();
        SetModifiedFlag(true);
    } catch (const std::exception&) {
    }
}
