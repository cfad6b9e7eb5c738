#include "measure/model/GpsUpdate.h"

#include "common/calc/CashCalcuDataTank.h"
#include "common/calc/GpsCanTankLists.h"
#include "common/tank/DataTankObject.h"
#include "common/tank/ZELDataPoter.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/Numbers.h"
#include "instrument/Kiv406ErrStr.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "measure/model/DataStream.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

constexpr int kCanUnitType = 8;
constexpr int kDateFormat = 113;
// The value tanks after the date take these series, in this order.
constexpr int kValueSeries[] = {0, 1, 2, 5, 6, 7};

bool IsFile(const fw::CString& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path.c_str(), error);
}

std::string_view TextOf(std::span<const uint8_t> bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The items after the first blank behind `key`, each ended by a comma, CR
// or LF; false when fewer than `count` end within the text.
bool ListItems(std::string_view text, std::string_view key, int count, std::vector<std::string>& items)
{
    const size_t at = text.find(key);
    if (at == std::string_view::npos)
        return false;
    size_t pos = text.find(' ', at);
    if (pos == std::string_view::npos)
        return false;
    ++pos;
    items.clear();
    while (static_cast<int>(items.size()) < count) {
        const size_t end = text.find_first_of(",\r\n", pos);
        if (end == std::string_view::npos)
            return false;
        items.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return true;
}

// The number `skip` characters after the key's start.
bool NumberAfter(std::string_view text, std::string_view key, size_t skip, long& value)
{
    const size_t at = text.find(key);
    if (at == std::string_view::npos || at + skip >= text.size())
        return false;
    const std::string rest(text.substr(at + skip, std::min<size_t>(24, text.size() - at - skip)));
    value = std::atol(rest.c_str());
    return true;
}

void FinishTank(CDataTankObject* tank, int16_t format)
{
    if (!tank)
        return;
    tank->SetFormat(format);
    double max = HUGE_VAL;
    double min = HUGE_VAL;
    GetTankMaxMin(tank, max, min, 0, -1);
    tank->SetMax(max);
    tank->SetMin(min);
    tank->SetAverage(GetTankAverage(tank, 0, -1));
    if (auto* cache = dynamic_cast<CCashCalcuDataTank*>(tank))
        cache->ReleaseCacheWindow();
}

std::vector<CBoxArray::GpsRow> RowsOf(const uint8_t* bytes, unsigned count)
{
    std::vector<CBoxArray::GpsRow> rows(count);
    std::memcpy(rows.data(), bytes, static_cast<size_t>(count) * GpsHeader::kRecordBytes);
    return rows;
}

} // namespace

bool ParseGpsHeader(std::span<const uint8_t> bytes, GpsHeader& header)
{
    const std::string_view text = TextOf(bytes);
    long offset = 0;
    long samples = 0;
    if (!NumberAfter(text, "FILE_OFFSET", 12, offset) || !NumberAfter(text, "NUM_SAMPS", 10, samples))
        return false;
    if (offset < 0 || samples < 0 || samples > 0x7FFFFFFF)
        return false;
    std::vector<std::string> names, units, slopes, points;
    if (!ListItems(text, "SERIES", GpsHeader::kSeries, names) ||
        !ListItems(text, "VERT_UNITS", GpsHeader::kSeries, units) ||
        !ListItems(text, "SLOPE", GpsHeader::kSeries, slopes) ||
        !ListItems(text, "POINT", GpsHeader::kSeries, points))
        return false;
    header.dataOffset = static_cast<uint32_t>(offset);
    header.samples = static_cast<int32_t>(samples);
    for (int s = 0; s < GpsHeader::kSeries; ++s) {
        const auto i = static_cast<size_t>(s);
        header.names[i] = names[i].c_str();
        header.units[i] = units[i].c_str();
        header.slopes[i] = fw::Atof(slopes[i].c_str());
        header.formats[i] = static_cast<int16_t>(std::atoi(points[i].c_str()));
    }
    return true;
}

void AppendGpsTanks(CGpsDataTankList& list, const GpsHeader& header, int count)
{
    const int base = list.GetSize();
    list.AppendItemTanks(count);
    if (CDataTankObject* date = list.GetObjectAt(base))
        date->SetName("gps_date");
    for (int k = 0; k < 6; ++k) {
        const auto s = static_cast<size_t>(kValueSeries[k]);
        if (CDataTankObject* tank = list.GetObjectAt(base + 1 + k)) {
            tank->SetName(header.names[s]);
            tank->SetUnit(header.units[s]);
        }
    }
}

void FinishGpsTanks(CGpsDataTankList& list, const GpsHeader& header)
{
    const int base = list.GetSize() - CGpsDataTankList::kItemsPerUnit;
    if (base < 0)
        return;
    FinishTank(list.GetObjectAt(base), kDateFormat);
    // Each value tank takes the decimals of the series it shows.
    for (int k = 0; k < 6; ++k)
        FinishTank(list.GetObjectAt(base + 1 + k), header.formats[static_cast<size_t>(kValueSeries[k])]);
}

// ------------------------------------------------------------ unit memory

CGetGPSUpdate::CGetGPSUpdate(ITransferHost& host) : CUnitPortStreamUpdate(host)
{
    m_messageId = kMsgGpsProgress;
}

bool CGetGPSUpdate::FindGpsMemoryFile(int port)
{
    m_file.m_name = fw::Format("%s_%02d", m_baseName.c_str(), port + 1);
    try {
        m_file.m_dataSize = QueryMemoryFileSize(UnitMeter(), m_file.m_name.c_str(), "gps");
    } catch (const std::exception&) {
        return false;
    }
    return m_file.m_dataSize > 0;
}

int CGetGPSUpdate::FindPort(int first)
{
    for (int p = std::max(first, 0); p < CBoxPropaty::kUnitPorts; ++p) {
        if (m_file.m_unitTypes.GetAt(p) == kCanUnitType && FindGpsMemoryFile(p))
            return p;
    }
    return -1;
}

bool CGetGPSUpdate::Prepare()
{
    m_meterBox = m_box;
    m_baseName = m_file.m_name;
    const int port = FindPort(0);
    if (port < 0)
        return false;
    m_box = port;
    return CreateTempFile() && OpenItem();
}

bool CGetGPSUpdate::NextItem()
{
    const int port = FindPort(m_box + 1);
    if (port < 0)
        return false;
    m_box = port;
    return OpenItem();
}

bool CGetGPSUpdate::OpenItem()
{
    CKivMeter& meter = UnitMeter();
    const unsigned size = static_cast<unsigned>(std::max(m_file.m_dataSize, 0));
    std::vector<uint8_t> part(std::min(kHeaderPartBytes, size));
    for (;;) {
        try {
            RewindTempFile();
            DropStaleInput(meter);
            meter.SendDataFileCommand(m_file.m_name.c_str(), "gps");
            ReadDataStream(meter, part, "DAT");
            m_writeFile.Write(part.data(), part.size());
            break;
        } catch (const fw::CFileException& e) {
            m_host.ReportException(e);
            return false;
        } catch (const std::exception& e) {
            CKiv406ErrStr texts;
            if (!m_askOnError || !m_host.AskContinue(texts.GetExceptionText(e)))
                return false;
        }
    }
    if (!ParseGpsHeader(part, m_header) || m_header.dataOffset > size)
        return false;
    const unsigned records = (size - m_header.dataOffset) / GpsHeader::kRecordBytes;
    if (records == 0)
        return false;
    CGpsDataTankList& list = GetBoxArray().GetGpsTanks();
    AppendGpsTanks(list, m_header, static_cast<int>(records));
    m_readFile.Seek(m_header.dataOffset, fw::CFile::begin);
    m_total = records;
    m_stored = 0;
    m_count = 0;
    m_transferred = static_cast<unsigned>(part.size());
    m_end = size;
    m_chunk = std::min(kChunkBytes, m_end - m_transferred.load());
    m_firstChunk = true;
    return true;
}

void CGetGPSUpdate::GetCaption(fw::CString& text) const
{
    text = UpdatingText(fw::Format("%s.GPS", fw::fs::FileNameOf(m_file.m_name).c_str()));
}

void CGetGPSUpdate::StoreChunk(unsigned position)
{
    m_count = 0;
    if (position < m_header.dataOffset)
        return;
    const unsigned records = std::min((position - m_header.dataOffset) / GpsHeader::kRecordBytes, m_total);
    if (records <= m_stored)
        return;
    m_count = records - m_stored;
    m_readBuffer.resize(static_cast<size_t>(m_count) * GpsHeader::kRecordBytes);
    if (m_readFile.Read(m_readBuffer.data(), m_readBuffer.size()) != m_readBuffer.size())
        fw::ThrowFileException(fw::CFileException::endOfFile, -1, m_tempPath);
    const auto rows = RowsOf(m_readBuffer.data(), m_count);
    GetBoxArray().StoreGpsSamples(static_cast<int>(m_stored), static_cast<int>(m_count), rows, m_header.slopes);
}

void CGetGPSUpdate::Finish()
{
    RewindTempFile();
    FinishGpsTanks(GetBoxArray().GetGpsTanks(), m_header);
}

// -------------------------------------------------------------- PC folder

CGetGPSFileUpdate::CGetGPSFileUpdate(ITransferHost& host) : CGetFileUpdate(host)
{
    m_messageId = kMsgGpsFileChunk;
}

fw::CString CGetGPSFileUpdate::PortFile(int port) const
{
    return FindRecordedFile(fw::Format("%s_%02d", m_file.m_name.c_str(), port + 1), ".GPS");
}

int CGetGPSFileUpdate::FindPort(int first) const
{
    for (int p = std::max(first, 0); p < CBoxPropaty::kUnitPorts; ++p) {
        if (m_file.m_unitTypes.GetAt(p) == kCanUnitType && IsFile(PortFile(p)))
            return p;
    }
    return -1;
}

bool CGetGPSFileUpdate::Prepare()
{
    const int port = FindPort(0);
    if (port < 0)
        return false;
    m_box = port;
    return OpenItem();
}

bool CGetGPSFileUpdate::NextItem()
{
    const int port = FindPort(m_box + 1);
    if (port < 0)
        return false;
    m_box = port;
    return OpenItem();
}

bool CGetGPSFileUpdate::OpenItem()
{
    try {
        m_dataFile.Abort();
        const fw::CString path = PortFile(m_box);
        fw::CFileException error;
        if (!m_dataFile.Open(path, fw::CFile::modeRead | fw::CFile::shareDenyWrite, &error)) {
            m_host.ReportException(error);
            return false;
        }
        std::vector<uint8_t> text(kHeaderBytes);
        text.resize(m_dataFile.Read(text.data(), text.size()));
        if (text.empty() || !ParseGpsHeader(text, m_header) || m_header.samples == 0) {
            m_dataFile.Abort();
            return false;
        }
        AppendGpsTanks(GetBoxArray().GetGpsTanks(), m_header, m_header.samples);
        m_stored = 0;
        m_total = static_cast<unsigned>(m_header.samples);
        m_count = std::min(kChunkRecords, m_total);
        m_dataFile.Seek(m_header.dataOffset, fw::CFile::begin);
        m_firstChunk = true;
        return true;
    } catch (const std::exception& e) {
        m_dataFile.Abort();
        m_host.ReportException(e);
        return false;
    }
}

void CGetGPSFileUpdate::GetCaption(fw::CString& text) const
{
    text = UpdatingText(fw::Format("%s_%02d.GPS", fw::fs::FileNameOf(m_file.m_name).c_str(), m_box + 1));
}

bool CGetGPSFileUpdate::TransferChunk()
{
    if (m_total == 0)
        return true;
    try {
        const size_t bytes = static_cast<size_t>(m_count) * GpsHeader::kRecordBytes;
        m_data.resize(bytes);
        if (m_dataFile.Read(m_data.data(), bytes) != bytes) {
            SetErrorText(CannotReadText(m_dataFile.GetFilePath()));
            m_data.clear();
            m_dataFile.Abort();
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        SetErrorFrom(e);
        m_data.clear();
        m_dataFile.Abort();
        return false;
    }
}

void CGetGPSFileUpdate::StoreChunk(unsigned)
{
    if (m_count == 0 || m_data.size() < static_cast<size_t>(m_count) * GpsHeader::kRecordBytes)
        return;
    const auto rows = RowsOf(m_data.data(), m_count);
    GetBoxArray().StoreGpsSamples(static_cast<int>(m_stored), static_cast<int>(m_count), rows, m_header.slopes);
}

void CGetGPSFileUpdate::Finish()
{
    FinishGpsTanks(GetBoxArray().GetGpsTanks(), m_header);
    m_dataFile.Abort();
}

void CGetGPSFileUpdate::CopyKindFrom(const CCFUpdate& other)
{
    if (const auto* gps = dynamic_cast<const CGetGPSFileUpdate*>(&other))
        m_header = gps->m_header;
}
