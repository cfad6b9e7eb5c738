// The recorded-file lists of the control units in use and the current
// entries that name the files to fetch.

#include "instrument/system/BoxArray.h"

#include "common/calc/CashCalcuDataTank.h"
#include "common/calc/GpsCanTankLists.h"
#include "framework/core/Cp932.h"
#include "framework/core/File.h"
#include "instrument/system/HistCount.h"
#include "instrument/system/SequenceSupport.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

void AppendEqual(const std::vector<CKiv406FileInfo>& list, const CKiv406FileInfo& current,
                 std::vector<CKiv406FileInfo>& out)
{
    for (const CKiv406FileInfo& entry : list) {
        if (IsSameFileInfo(entry, current))
            out.push_back(entry);
    }
}

// Every existing vector cut to the length of the shortest existing one.
void CutToShortest(CBoxArray::FileVectors& vectors)
{
    size_t shortest = std::numeric_limits<size_t>::max();
    for (const auto* v : vectors) {
        if (v)
            shortest = std::min(shortest, v->size());
    }
    for (auto* v : vectors) {
        if (v && v->size() > shortest)
            v->resize(shortest);
    }
}

std::vector<CKiv406FileInfo>* VectorOf(CBoxArray::FileVectors& vectors, int box)
{
    return box >= 0 && static_cast<size_t>(box) < vectors.size() ? vectors[static_cast<size_t>(box)] : nullptr;
}

// The frequency file of each box that takes part, copied before anything is
// read, in box order.
std::vector<std::pair<int, CKiv406FileInfo>> HistEntries(const CBoxArray::FileVectors& vectors, int entryIndex)
{
    std::vector<std::pair<int, CKiv406FileInfo>> entries;
    for (size_t b = 0; b < vectors.size(); ++b) {
        const std::vector<CKiv406FileInfo>* v = vectors[b];
        if (!v)
            continue;
        if (entryIndex < 0 || static_cast<size_t>(entryIndex) >= v->size())
            throw std::out_of_range("invalid vector<T> subscript");
        entries.emplace_back(static_cast<int>(b), (*v)[static_cast<size_t>(entryIndex)]);
    }
    return entries;
}

// Card files copied to a PC keep the case the card gave them; the instrument
// names match without regard to case.
fw::CString FindCardFile(const fw::CString& base, const char* extension)
{
    const fw::CString exact = base + extension;
    std::error_code ec;
    if (std::filesystem::exists(exact.str(), ec))
        return exact;
    const std::filesystem::path wanted(exact.str());
    const std::filesystem::path folder = wanted.has_parent_path() ? wanted.parent_path() : ".";
    for (const auto& item : std::filesystem::directory_iterator(folder, ec)) {
        if (fw::CString(item.path().filename().string()).CompareNoCase(wanted.filename().string().c_str()) == 0)
            return fw::CString(item.path().string());
    }
    return exact; // opening it reports the missing file by its own name
}

// Up to `size` bytes of the file; CFileException when it cannot be opened.
std::vector<uint8_t> ReadCardFile(const fw::CString& path, int size)
{
    fw::CFile file(path, fw::CFile::modeRead);
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max(size, 0)));
    size_t got = 0;
    while (got < bytes.size()) {
        const size_t n = file.Read(bytes.data() + got, bytes.size() - got);
        if (n == 0)
            break;
        got += n;
    }
    bytes.resize(got);
    return bytes;
}

} // namespace

bool CBoxArray::ReadFileLists(bool clearFirst, bool askOnError)
{
    if (clearFirst)
        ClearFileLists();
    for (;;) {
        try {
            for (int16_t b : m_inUse)
                GetBox(b)->RefreshFileLists();
            return true;
        } catch (const std::exception& e) {
            if (!askOnError)
                throw;
            if (!AskAfter(e))
                return false;
        }
    }
}

void CBoxArray::ClearFileLists()
{
    for (int16_t b : m_inUse)
        GetBox(b)->ClearFileLists();
}

void CBoxArray::SelectLatestFiles(int flags)
{
    for (int16_t b : m_inUse)
        GetBox(b)->SelectLastFiles(flags);
}

bool CBoxArray::HaveCurrentFiles() const
{
    for (int16_t b : m_inUse) {
        CBoxPropaty* box = GetBox(b);
        const auto& list = box->FileList(CBoxPropaty::kWaveList);
        const CKiv406FileInfo& current = box->CurrentFile(CBoxPropaty::kWaveList);
        if (list.empty() || std::none_of(list.begin(), list.end(), [&](const CKiv406FileInfo& entry) {
                return IsSameFileInfo(entry, current);
            }))
            return false;
    }
    return true;
}

void CBoxArray::DropCurrentFiles(int flags)
{
    for (int16_t b : m_inUse)
        GetBox(b)->DropCurrentFiles(flags);
}

void CBoxArray::GatherFileLists(FileVectors& vectors) const
{
    for (int16_t b : m_inUse) {
        std::vector<CKiv406FileInfo>* out = VectorOf(vectors, b);
        // Every box in use must have its vector.
        if (!out)
            fw::ThrowInvalidArgException();
        CBoxPropaty* box = GetBox(b);
        AppendEqual(box->FileList(CBoxPropaty::kWaveList), box->CurrentFile(CBoxPropaty::kWaveList), *out);
    }
    CutToShortest(vectors);
}

void CBoxArray::CollectCurrentHistFiles(FileVectors& vectors) const
{
    for (int16_t b : m_inUse) {
        std::vector<CKiv406FileInfo>* out = VectorOf(vectors, b);
        if (!out)
            continue;
        CBoxPropaty* box = GetBox(b);
        AppendEqual(box->FileList(CBoxPropaty::kHistList), box->CurrentFile(CBoxPropaty::kHistList), *out);
    }
    CutToShortest(vectors);
}

void CBoxArray::CollectNewHistFiles(FileVectors& vectors) const
{
    for (int16_t b : m_inUse) {
        std::vector<CKiv406FileInfo>* out = VectorOf(vectors, b);
        if (!out)
            continue;
        CBoxPropaty* box = GetBox(b);
        const CKiv406FileInfo& current = box->CurrentFile(CBoxPropaty::kHistList);
        for (const CKiv406FileInfo& entry : box->FileList(CBoxPropaty::kHistList))
            if (current < entry)
                out->push_back(entry);
    }
    CutToShortest(vectors);
}

// ------------------------------------------------------------ frequency files

namespace {

// The header of a frequency file into new analyses of `box`, then its counts.
void ReadHistFile(CHistCountArray& counts, int box, const fw::CString& header, const std::vector<uint8_t>& data)
{
    const int first = counts.GetSize();
    if (!counts.ReadHedHeader(header.c_str(), box))
        throw CZelException(-1, CBoxArray::kMsgInvalidReply);
    // A count file shorter than its header asks for is as wrong as a bad
    // header.
    if (!counts.ReadDatCounts(data, first))
        throw CZelException(-1, CBoxArray::kMsgInvalidReply);
}

} // namespace

void CBoxArray::NameHistChannels(CHistCountArray& counts, int box, int first) const
{
    for (int i = first; i < counts.GetSize(); ++i) {
        CHistCountObj* h = counts.GetAt(i);
        if (h)
            GetBox(box)->GetChannelName(h->m_inputChannel, h->m_comment);
    }
}

bool CBoxArray::ReadHistFilesFromUnit(const FileVectors& vectors, CHistCountArray& counts, int entryIndex)
{
    for (const auto& [box, entry] : HistEntries(vectors, entryIndex)) {
        for (;;) {
            const int first = counts.GetSize();
            try {
                CKivMeter& meter = sequence::MeterOf(*this, box);
                fw::CString header;
                meter.ReadHeaderFile(entry.m_name.c_str(), entry.m_headerSize, header);
                // The counts are read only once the header was accepted.
                if (!counts.ReadHedHeader(header.c_str(), box))
                    throw CZelException(-1, kMsgInvalidReply);
                std::vector<uint8_t> data;
                meter.ReadDataFile(entry.m_name.c_str(), entry.m_dataSize, data);
                if (!counts.ReadDatCounts(data, first))
                    throw CZelException(-1, kMsgInvalidReply);
                NameHistChannels(counts, box, first);
                break;
            } catch (const std::exception& e) {
                const bool again = AskAfter(e);
                // Half-read analyses are of no use to anyone.
                counts.RemoveFrom(first);
                if (!again)
                    return false;
            }
        }
    }
    return true;
}

bool CBoxArray::ReadHistFilesFromFolder(const FileVectors& vectors, CHistCountArray& counts, int entryIndex)
{
    const auto entries = HistEntries(vectors, entryIndex);
    try {
        for (const auto& [box, entry] : entries) {
            const int first = counts.GetSize();
            const std::vector<uint8_t> text = ReadCardFile(FindCardFile(entry.m_name, ".HED"), entry.m_headerSize);
            // As from the unit: the text ends at a NUL.
            const auto end = std::find(text.begin(), text.end(), uint8_t{0});
            const fw::CString header(fw::cp932::FromCp932(
                std::string_view(reinterpret_cast<const char*>(text.data()), static_cast<size_t>(end - text.begin()))));
            const std::vector<uint8_t> data = ReadCardFile(FindCardFile(entry.m_name, ".DAT"), entry.m_dataSize);
            ReadHistFile(counts, box, header, data);
            NameHistChannels(counts, box, first);
        }
    } catch (const std::exception& e) {
        counts.RemoveAll();
        fw::ReportException(e);
        return false;
    }
    return true;
}

// ------------------------------------------------------------ GPS samples

void CBoxArray::StoreGpsSamples(CGpsDataTankList& list, int start, int count, std::span<const GpsRow> rows,
                                const std::array<double, 8>& coefficients)
{
    // Tank t of the last seven takes field kFields[t] of each row.
    static constexpr int kFields[CGpsDataTankList::kItemsPerUnit] = {3, 0, 1, 2, 5, 6, 7};
    constexpr double kSecondsPerDay = 86400.0;
    constexpr double kDaysPerWeek = 7.0;
    const int size = list.GetSize();
    if (start < 0 || count < 0 || size < CGpsDataTankList::kItemsPerUnit || rows.size() < static_cast<size_t>(count))
        fw::ThrowInvalidArgException();
    // The GPS week origin.
    const double origin = fw::COleDateTime(1980, 1, 6, 0, 0, 0).m_dt;
    for (int t = 0; t < CGpsDataTankList::kItemsPerUnit; ++t) {
        CDataTankObject* tank = list.GetAt(size - CGpsDataTankList::kItemsPerUnit + t);
        if (!tank)
            continue;
        auto* cached = dynamic_cast<CCashCalcuDataTank*>(tank);
        if (cached)
            cached->LoadCacheWindow(start, count, 0, false);
        const int f = kFields[t];
        for (int k = 0; k < count; ++k) {
            const GpsRow& row = rows[static_cast<size_t>(k)];
            const double value = t == 0 ? origin + coefficients[3] * row[3] / kSecondsPerDay +
                                              coefficients[4] * row[4] * kDaysPerWeek
                                        : coefficients[static_cast<size_t>(f)] * row[static_cast<size_t>(f)];
            tank->SetValue(start + k, value);
        }
        if (cached)
            cached->SetCacheDirty(true);
    }
}
