#include "measure/model/card/CardFolderScan.h"

#include "canvoicegps/voice/VoiceFileInfo.h"
#include "common/base/ValueParse.h"
#include "common/base/ZelException.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "framework/core/StringTable.h"
#include "instrument/meter/HeaderKeys.h"

#include <algorithm>
#include <filesystem>
#include <string>

namespace cardfiles {

namespace {

constexpr double kMsPerDay = 86400000.0;
constexpr int16_t kExternalClock = 1;

[[noreturn]] void CannotRead()
{
    throw CZelException(-1, kIdsCannotRead);
}

fw::CString Value(const char* header, const char* key)
{
    fw::CString value;
    GetHeaderKeyValue(header, key, value);
    return value;
}

uint64_t SizeOf(const fw::CString& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path.c_str(), error);
    return error ? 0 : size;
}

// The path without its last four characters (the extension and its dot).
fw::CString WithoutExtension(const fw::CString& path)
{
    return path.GetLength() >= 4 ? path.Left(path.GetLength() - 4) : path;
}

// Exactly the header's recorded size, or the program's exception; a file
// that cannot be opened throws the file exception.
std::string ReadHeaderText(const fw::CString& path, int size)
{
    fw::CFile file(path, fw::CFile::modeRead);
    std::string text(static_cast<size_t>(std::max(size, 0)), '\0');
    if (file.Read(text.data(), text.size()) != text.size())
        CannotRead();
    return text;
}

} // namespace

int TriggerKindOf(const fw::CString& value)
{
    static const fw::CString kinds = "COMMAND DATA    FREERUN PROGRAME";
    const int at = kinds.Find(value);
    return at < 0 ? 0 : at / 8;
}

bool ReadWaveformHeader(const char* header, CKiv406FileInfo& entry, const FolderScanQuestions& questions,
                        const fw::CString& headerPath)
{
    if (!IsValidDataHeader(header))
        CannotRead();
    int32_t samples = 0;
    int16_t series = 0;
    if (!TextToInt(Value(header, "NUM_SAMPS").c_str(), &samples) ||
        !TextToShort(Value(header, "NUM_SERIES").c_str(), &series, 10))
        CannotRead();
    // A header without series cannot say how many rows its data hold.
    if (series <= 0)
        CannotRead();
    entry.m_sampleCount = samples;
    const int fromSize = entry.m_dataSize / series / 2;
    if (samples != fromSize) {
        if (!questions.adjustCount || !questions.adjustCount(headerPath))
            return false;
        entry.m_sampleCount = fromSize;
    }
    if (Value(header, "HORZ_UNITS") == "SAMPLES") {
        entry.m_clockKind = kExternalClock;
        entry.m_interval = 1.0;
    } else {
        entry.m_clockKind = CKiv406FileInfo::clockInterval;
        double seconds = 0;
        if (!TextToDouble(Value(header, "INTERVAL").c_str(), &seconds))
            CannotRead();
        entry.m_interval = seconds * 1000.0;
    }
    ParseUnitTypes(Value(header, "UNIT_TYPE").c_str(), entry.m_unitTypes);
    entry.m_triggerType = TriggerKindOf(Value(header, "TRIGGER_TYPE"));
    entry.m_headerTime = GetHeaderDateTime(header);
    int32_t offset = 0;
    if (!TextToInt(Value(header, "X_OFFSET").c_str(), &offset))
        CannotRead();
    entry.m_firstSampleTime = entry.m_headerTime;
    entry.m_firstSampleTime.m_dt += offset * entry.m_interval / kMsPerDay;
    entry.m_firstSampleTime.m_status = fw::COleDateTime::valid;
    return true;
}

void ScanRecordedFiles(const fw::CString& folder, FileList& waveforms, FileList& frequencies,
                       const FolderScanQuestions& questions)
{
    waveforms.clear();
    frequencies.clear();
    for (const fw::CString& name : fw::fs::ListFolder(folder, "*.HED")) {
        const fw::CString headerPath = fw::fs::PathJoin(folder, name);
        CKiv406FileInfo entry;
        entry.m_name = WithoutExtension(headerPath);
        entry.m_headerSize = static_cast<int>(SizeOf(headerPath));
        const fw::CString dataPath = fw::fs::FindFileNoCase(folder, fw::fs::FileNameOf(entry.m_name) + ".DAT");
        if (dataPath.IsEmpty())
            continue;
        entry.m_dataSize = static_cast<int>(SizeOf(dataPath));
        waveforms.push_back(entry);
    }
    for (auto it = waveforms.begin(); it != waveforms.end();) {
        const fw::CString headerPath = it->m_name + fw::CString(".HED");
        bool keep = false;
        try {
            const std::string text = ReadHeaderText(fw::fs::FindFileNoCase(folder, fw::fs::FileNameOf(headerPath)),
                                                    it->m_headerSize);
            if (text.find("OPERATION") != std::string::npos) {
                it->m_headerTime = GetHeaderDateTime(text.c_str());
                it->m_firstSampleTime = it->m_headerTime;
                frequencies.push_back(*it);
            } else {
                keep = ReadWaveformHeader(text.c_str(), *it, questions, headerPath);
            }
        } catch (const CZelException&) {
            if (questions.cannotRead)
                questions.cannotRead(headerPath);
        } catch (...) {
            waveforms.clear();
            throw;
        }
        it = keep ? it + 1 : waveforms.erase(it);
    }
    std::stable_sort(waveforms.begin(), waveforms.end());
    std::stable_sort(frequencies.begin(), frequencies.end());
}

void ScanVoiceFiles(const fw::CString& folder, FileList& voices)
{
    voices.clear();
    for (const fw::CString& name : fw::fs::ListFolder(folder, "*.wav")) {
        const fw::CString path = fw::fs::PathJoin(folder, name);
        fw::COleDateTime recorded;
        uint32_t samples = 0;
        double interval = 0;
        if (!ReadVoiceFileInfo(path, &recorded, &samples, &interval))
            continue;
        CKiv406FileInfo entry;
        entry.m_name = WithoutExtension(path);
        entry.m_dataSize = static_cast<int>(SizeOf(path));
        entry.m_firstSampleTime = recorded;
        entry.m_firstSampleTime.m_status = fw::COleDateTime::valid;
        entry.m_headerTime = entry.m_firstSampleTime;
        voices.push_back(entry);
    }
    std::stable_sort(voices.begin(), voices.end());
}

} // namespace cardfiles
