#include "measure/model/HistDownload.h"

#include "framework/core/Cp932.h"
#include "framework/core/File.h"
#include "framework/core/Format.h"
#include "frequency/model/HistCountArray.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "measure/model/DataStream.h"
#include "measure/model/GetFileUpdate.h"

#include <exception>
#include <string>
#include <vector>

namespace {

// A count file is a few hundred KiB at most; larger is a broken header.
constexpr size_t kMaxCountBytes = 64u << 20;

const CKiv406FileInfo* EntryOf(const CBoxArray::FileVectors& lists, size_t box, int record)
{
    const std::vector<CKiv406FileInfo>* list = lists[box];
    if (!list || record < 0 || static_cast<size_t>(record) >= list->size())
        return nullptr;
    return &(*list)[static_cast<size_t>(record)];
}

template <class ReadHeader, class ReadCounts>
bool ReadRecord(const CBoxArray::FileVectors& lists, size_t boxes, CHistCountArray& analyses, int record,
                ReadHeader&& readHeader, ReadCounts&& readCounts)
{
    try {
        bool any = false;
        for (size_t box = 0; box < boxes; ++box) {
            if (!lists[box])
                continue;
            const CKiv406FileInfo* entry = EntryOf(lists, box, record);
            if (!entry)
                return false;
            const fw::CString header = readHeader(box, *entry);
            const int first = analyses.GetSize();
            if (!analyses.ReadHedHeader(header.c_str(), static_cast<int>(box)))
                return false;
            const size_t size = analyses.GetCountFileSize(first);
            if (size > kMaxCountBytes)
                return false;
            std::vector<uint8_t> counts(size);
            readCounts(box, *entry, counts);
            if (!analyses.ReadDatCounts(counts, first))
                return false;
            any = true;
        }
        return any;
    } catch (const std::exception&) {
        // The unit's or the file's error ends the record; the caller moves on.
        return false;
    }
}

fw::CString ReadFileText(const fw::CString& path, size_t limit)
{
    fw::CFile file(path, fw::CFile::modeRead | fw::CFile::shareDenyWrite);
    std::string bytes(static_cast<size_t>(std::min<uint64_t>(file.GetLength(), limit)), '\0');
    bytes.resize(file.Read(bytes.data(), bytes.size()));
    bytes.resize(std::min(bytes.size(), bytes.find('\0')));
    return fw::cp932::FromCp932(bytes);
}

} // namespace

bool DownloadCardFiles(CBoxArray& system, const CBoxArray::FileVectors& lists, CHistCountArray& analyses,
                       int record)
{
    const size_t boxes = std::min(lists.size(), static_cast<size_t>(system.GetBoxCount()));
    return ReadRecord(
        lists, boxes, analyses, record,
        [&](size_t box, const CKiv406FileInfo& entry) {
            fw::CString text;
            ReadRecordedHeader(*system.GetBox(static_cast<int>(box))->GetMeter(), entry.m_name.c_str(),
                               entry.m_headerSize, text);
            return text;
        },
        [&](size_t box, const CKiv406FileInfo& entry, std::vector<uint8_t>& counts) {
            CKivMeter& meter = *system.GetBox(static_cast<int>(box))->GetMeter();
            DropStaleInput(meter);
            meter.Send(fw::Format("DAT%s.DAT", entry.m_name.c_str()));
            ReadDataStream(meter, counts, "DAT");
        });
}

bool DownloadMemoryFiles(const CBoxArray::FileVectors& lists, CHistCountArray& analyses, int record)
{
    constexpr size_t kMaxHeaderBytes = 1 << 20;
    return ReadRecord(
        lists, lists.size(), analyses, record,
        [&](size_t, const CKiv406FileInfo& entry) {
            return ReadFileText(CGetFileUpdate::FindRecordedFile(entry.m_name, ".HED"), kMaxHeaderBytes);
        },
        [&](size_t, const CKiv406FileInfo& entry, std::vector<uint8_t>& counts) {
            const fw::CString path = CGetFileUpdate::FindRecordedFile(entry.m_name, ".DAT");
            fw::CFile file(path, fw::CFile::modeRead | fw::CFile::shareDenyWrite);
            // A short file is refused by the count reader.
            counts.resize(file.Read(counts.data(), counts.size()));
        });
}
