// The voice list of the project: rebuilt from the recordings in the
// subfolders of the data folder, extended when recordings are fetched.

#include "project/model/KIV5980Doc.h"

#include "canvoicegps/voice/VoiceFileInfo.h"
#include "framework/core/Services.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

constexpr intptr_t kHintVoiceListChanged = 44;
constexpr const char* kVoiceFolderName = "VOICE";

std::vector<std::string> SortedSubFolders(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_directory(typeEc))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

void CKIV5980Doc::RescanVoiceFiles()
{
    fw::CWaitCursor wait;
    const fw::CString folder = GetDataFolder();
    std::vector<CVoiceFileTriger> records;
    for (const std::string& sub : SortedSubFolders(folder.str()))
        FindVoiceFiles(folder, fw::CString(sub), records);
    std::stable_sort(records.begin(), records.end(), [](const CVoiceFileTriger& a, const CVoiceFileTriger& b) {
        if (a.m_recordTime.m_dt != b.m_recordTime.m_dt)
            return a.m_recordTime.m_dt < b.m_recordTime.m_dt;
        return a.m_name.str() < b.m_name.str();
    });
    m_voiceList.RemoveAll();
    m_voiceList.CreateTanks();
    m_voiceList.SetMaxIndex(static_cast<int>(records.size()) - 1);
    for (size_t i = 0; i < records.size(); ++i) {
        const int n = static_cast<int>(i);
        const std::string name = records[i].m_name.str();
        const size_t cut = name.find('\\');
        if (cut == std::string::npos) {
            m_voiceList.SetFileName(n, fw::CString(name));
        } else {
            m_voiceList.SetFolderName(n, fw::CString(name.substr(0, cut)));
            m_voiceList.SetFileName(n, fw::CString(name.substr(cut + 1)));
        }
        m_voiceList.SetRecordDate(n, records[i].m_recordTime.m_dt);
        m_voiceList.SetStartTime(n, records[i].m_startTime);
    }
    UpdateAllViews(nullptr, kHintVoiceListChanged);
}

void CKIV5980Doc::AddVoiceRecording(const fw::CString& folder, const fw::CString& title, const fw::COleDateTime& time)
{
    if (m_voiceList.FindRecording(title, folder))
        return;
    const int n = m_voiceList.GetMaxIndex() + 1;
    m_voiceList.SetFileName(n, title);
    m_voiceList.SetFolderName(n, folder);
    m_voiceList.SetRecordDate(n, time.m_dt);
}

void CKIV5980Doc::CopyVoiceFiles(const FileLists& lists)
{
    namespace fs = std::filesystem;
    const fs::path dataFolder(GetDataFolder().str());
    bool copied = false;
    for (size_t unit = 0; unit < lists.size(); ++unit) {
        if (!lists[unit])
            continue;
        for (const CKiv406FileInfo& record : *lists[unit]) {
            const fw::CString title = VoiceCopyTitle(static_cast<int>(unit) + 1, record.m_name);
            const fs::path source(record.m_name.str() + ".wav");
            // Into every step whose span holds the recording, or once into
            // "VOICE" when none does.
            int step = m_history.FindStepByTime(record.m_firstSampleTime, 0);
            for (bool first = true; first || step >= 0; first = false) {
                if (!CanAddVoice())
                    break;
                const fw::CString folder = step >= 0 ? m_history.GetDataFileName(step) : fw::CString(kVoiceFolderName);
                const fs::path target = dataFolder / folder.str() / (title.str() + ".wav");
                std::error_code ec;
                fs::create_directories(target.parent_path(), ec);
                // An existing file is never overwritten; the recording is not
                // listed twice.
                if (fs::copy_file(source, target, fs::copy_options::none, ec) && !ec) {
                    AddVoiceRecording(folder, title, record.m_firstSampleTime);
                    copied = true;
                }
                if (step < 0)
                    break;
                step = m_history.FindStepByTime(record.m_firstSampleTime, step + 1);
            }
        }
    }
    if (copied)
        UpdateAllViews(nullptr, kHintVoiceListChanged);
}
