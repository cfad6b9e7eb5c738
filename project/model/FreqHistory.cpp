// The frequency history: one row per frequency-data file of the data
// folder, rebuilt from the files' headers or extended when frequency
// records are fetched from the control units. The files themselves are
// read and written by the frequency-data document, reached through
// IHistFileAccess.

#include "project/model/KIV5980Doc.h"

#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "frequency/model/HistCountArray.h"
#include "project/model/ProjectHost.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

constexpr intptr_t kHintFreqHistoryChanged = 41;
constexpr const char* kFreqExtension = ".kivh";

struct FoundFreqFile {
    fw::CString name;
    fw::CString path;
    HistFileHeader header;
};

// The frequency-data files of `folder`, sorted by name, so that a cut at
// the history's limit does not depend on the order the file system lists
// them.
std::vector<std::string> SortedFreqFiles(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (it->path().extension() == kFreqExtension && it->is_regular_file(typeEc))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

void CKIV5980Doc::RebuildFreqHistory()
{
    fw::CWaitCursor wait;
    std::vector<FoundFreqFile> found;
    const std::filesystem::path folder(GetDataFolder().str());
    if (IHistFileAccess* files = fw::Installed<IHistFileAccess>()) {
        for (const std::string& name : SortedFreqFiles(folder)) {
            if (found.size() >= static_cast<size_t>(kMaxHistorySteps))
                break;
            FoundFreqFile file;
            file.name = fw::CString(name);
            file.path = fw::CString((folder / name).string());
            // A file that cannot be read as frequency data is no entry.
            if (files->ReadHeader(file.path, file.header))
                found.push_back(std::move(file));
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const FoundFreqFile& a, const FoundFreqFile& b) {
        if (!(a.header.start == b.header.start))
            return a.header.start < b.header.start;
        return a.name.str() < b.name.str();
    });
    m_freqHistory.RemoveAll();
    m_freqHistory.InitTanks();
    if (!found.empty())
        m_freqHistory.Grow(static_cast<int>(found.size()) - 1);
    for (size_t i = 0; i < found.size(); ++i)
        SetFreqHistoryEntry(static_cast<int>(i), found[i].path, found[i].header);
    UpdateAllViews(nullptr, kHintFreqHistoryChanged);
}

void CKIV5980Doc::SetFreqHistoryEntry(int row, const fw::CString& path, const HistFileHeader& header)
{
    // Only the file's own extension goes; a folder named like it stays.
    std::string stored = path.str();
    const std::string extension = kFreqExtension;
    if (stored.size() >= extension.size() && stored.compare(stored.size() - extension.size(), extension.size(),
                                                            extension) == 0)
        stored.resize(stored.size() - extension.size());
    m_freqHistory.SetPath(row, fw::CString(stored));
    m_freqHistory.SetStartTime(row, header.start);
    m_freqHistory.SetStopTime(row, header.stop);
    m_freqHistory.SetTitle(row, header.title);
    m_freqHistory.SetCFFileName(row, header.cardFileName);
}

void CKIV5980Doc::ImportHistogramData(const FileLists& lists, bool card, int32_t)
{
    fw::CWaitCursor wait;
    const std::vector<CKiv406FileInfo>* records = nullptr;
    for (const std::vector<CKiv406FileInfo>* list : lists) {
        if (list) {
            records = list;
            break;
        }
    }
    IHistFileAccess* files = fw::Installed<IHistFileAccess>();
    try {
        for (size_t j = 0; records && j < records->size(); ++j) {
            auto analyses = std::make_unique<CHistCountArray>();
            if (!ProjectHost().ReadHistRecord(*m_pActiveSystem, lists, *analyses, static_cast<int>(j), card))
                break;
            if (!files)
                continue;
            fw::CString path;
            HistFileHeader header;
            // The file takes the analyses whether it is written or not.
            if (!files->CreateFile(GetDataFolder(), fw::CString(), GetTestTitle(), analyses.release(),
                                   (*records)[j].m_name, path, header))
                break;
            SetFreqHistoryEntry(m_freqHistory.GetMaxIndex() + 1, path, header);
        }
    } catch (const std::exception&) {
        // The rows added so far stay; the views hear of them below.
    }
    UpdateAllViews(nullptr, kHintFreqHistoryChanged);
}
