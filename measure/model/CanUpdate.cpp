#include "measure/model/CanUpdate.h"

#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/Kiv463Unit.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/StringTable.h"
#include "instrument/Kiv406ErrStr.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "measure/model/DataStream.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

namespace {

constexpr int kCanUnitType = 8;
constexpr unsigned kChunkParts = 30;

bool IsFile(const fw::CString& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path.c_str(), error);
}

CCanNodeArray* MessagesOf(CKivMeter& meter, int port)
{
    auto* unit = dynamic_cast<CKiv463Unit*>(meter.GetUnit(port));
    return unit ? &unit->Messages() : nullptr;
}

fw::CString DamagedText(const fw::CString& file, int64_t address)
{
    return fw::Format(fw::LoadStringText(CGetCanUpdate::kIdsDamagedBlock), file.c_str(),
                      static_cast<unsigned long>(address));
}

void ReadDatabase(CCanNodeArray& messages, const std::vector<uint8_t>& header, size_t length)
{
    ReadCanDatabase(messages, std::string_view(reinterpret_cast<const char*>(header.data()),
                                               std::min(length, header.size())));
}

} // namespace

// ------------------------------------------------------------ unit memory

CGetCanUpdate::CGetCanUpdate(ITransferHost& host) : CUnitPortStreamUpdate(host)
{
    m_messageId = kMsgCanProgress;
}

bool CGetCanUpdate::FindCanMemoryFile(int port)
{
    m_file.m_name = fw::Format("%s_%02d", m_baseName.c_str(), port + 1);
    try {
        m_file.m_dataSize = QueryMemoryFileSize(UnitMeter(), m_file.m_name.c_str(), "can");
    } catch (const std::exception&) {
        return false;
    }
    return m_file.m_dataSize > 0;
}

int CGetCanUpdate::FindPort(int first)
{
    for (int p = std::max(first, 0); p < CBoxPropaty::kUnitPorts; ++p) {
        if (m_file.m_unitTypes.GetAt(p) == kCanUnitType && FindCanMemoryFile(p))
            return p;
    }
    return -1;
}

bool CGetCanUpdate::TakeMessages(int port)
{
    m_messages = MessagesOf(UnitMeter(), port);
    return m_messages != nullptr;
}

bool CGetCanUpdate::Prepare()
{
    m_meterBox = m_box;
    m_baseName = m_file.m_name;
    const int port = FindPort(0);
    if (port < 0 || !CreateTempFile() || !TakeMessages(port))
        return false;
    m_box = port;
    return OpenItem();
}

bool CGetCanUpdate::NextItem()
{
    const int port = FindPort(m_box + 1);
    if (port < 0 || !TakeMessages(port))
        return false;
    m_box = port;
    return OpenItem();
}

bool CGetCanUpdate::ReadHeaderPart(std::vector<uint8_t>& header)
{
    CKivMeter& meter = UnitMeter();
    const unsigned size = static_cast<unsigned>(std::max(m_file.m_dataSize, 0));
    for (;;) {
        try {
            RewindTempFile();
            DropStaleInput(meter);
            meter.SendDataFileCommand(m_file.m_name.c_str(), "can");
            header.assign(std::min(kFirstPartBytes, size), 0);
            ReadDataStream(meter, header, "DAT");
            const int64_t offset = CanFileOffset(header);
            if (offset <= kMinFileOffset || offset >= static_cast<int64_t>(size))
                return false;
            const unsigned first = static_cast<unsigned>(header.size());
            if (offset >= first) {
                // The header part ends at the next 64 bytes past the
                // offset, but never beyond the file.
                const unsigned more = std::min<unsigned>(
                    kHeaderStep * ((static_cast<unsigned>(offset) - first) / kHeaderStep + 1), size - first);
                header.resize(first + more);
                ReadDataStream(meter, std::span<uint8_t>(header).subspan(first), "DAT");
            }
            m_writeFile.Write(header.data(), header.size());
            m_dataOffset = static_cast<unsigned>(offset);
            return true;
        } catch (const fw::CFileException& e) {
            m_host.ReportException(e);
            return false;
        } catch (const std::exception& e) {
            CKiv406ErrStr texts;
            if (!m_askOnError || !m_host.AskContinue(texts.GetExceptionText(e)))
                return false;
        }
    }
}

bool CGetCanUpdate::OpenItem()
{
    std::vector<uint8_t> header;
    if (!m_messages || !ReadHeaderPart(header))
        return false;
    try {
        m_error.Empty();
        ReadDatabase(*m_messages, header, m_dataOffset);
        BuildCanTanks(GetBoxArray().GetCanTanks(), *m_messages);
    } catch (const std::exception& e) {
        m_host.ReportException(e);
        return false;
    }
    const unsigned size = static_cast<unsigned>(m_file.m_dataSize);
    m_total = size - m_dataOffset;
    m_stored = 0;
    m_count = 0;
    m_readFile.Seek(m_dataOffset, fw::CFile::begin);
    m_transferred = static_cast<unsigned>(header.size());
    const unsigned rest = size - m_transferred.load();
    m_chunk = rest / kChunkParts / kHeaderStep * kHeaderStep;
    m_chunk = std::min(m_chunk == 0 ? kHeaderStep : m_chunk, rest);
    m_end = size;
    m_counters.fill(0);
    m_firstChunk = true;
    return true;
}

void CGetCanUpdate::GetCaption(fw::CString& text) const
{
    text = UpdatingText(fw::Format("%s.CAN", fw::fs::FileNameOf(m_file.m_name).c_str()));
}

void CGetCanUpdate::StoreChunk(unsigned position)
{
    m_count = 0;
    if (position < m_dataOffset + m_stored)
        return;
    const unsigned count = position - m_dataOffset - m_stored;
    m_readBuffer.resize(count);
    if (m_readFile.Read(m_readBuffer.data(), count) != count)
        fw::ThrowFileException(fw::CFileException::endOfFile, -1, m_tempPath);
    m_count = count;
    if (!m_error.IsEmpty())
        return;
    int64_t damagedAt = 0;
    const int64_t complete = WalkCanBlocks(m_messages, m_readBuffer, m_counters, damagedAt);
    const fw::CString name = fw::Format("%s.can", m_file.m_name.c_str());
    if (complete < 0) {
        SetErrorText(DamagedText(name, m_dataOffset + m_stored + damagedAt));
        return;
    }
    if (complete < static_cast<int64_t>(count)) {
        // All bytes are in and a block is still open: it was cut short.
        if (position >= m_end) {
            SetErrorText(DamagedText(name, m_dataOffset + m_stored + complete));
            return;
        }
        m_readFile.Seek(complete - static_cast<int64_t>(count), fw::CFile::current);
        m_count = static_cast<unsigned>(complete);
    }
}

void CGetCanUpdate::Finish()
{
    RewindTempFile();
    if (m_messages)
        FinishCanTanks(*m_messages, m_counters);
}

// -------------------------------------------------------------- PC folder

CGetCanFileUpdate::CGetCanFileUpdate(ITransferHost& host) : CGetFileUpdate(host)
{
    m_messageId = kMsgCanFileChunk;
}

fw::CString CGetCanFileUpdate::PortFile(int port) const
{
    return FindRecordedFile(fw::Format("%s_%02d", m_file.m_name.c_str(), port + 1), ".CAN");
}

int CGetCanFileUpdate::FindPort(int first) const
{
    for (int p = std::max(first, 0); p < CBoxPropaty::kUnitPorts; ++p) {
        if (m_file.m_unitTypes.GetAt(p) == kCanUnitType && IsFile(PortFile(p)))
            return p;
    }
    return -1;
}

bool CGetCanFileUpdate::TakeMessages(int port)
{
    m_messages = MessagesOf(MeterOf(m_meterBox), port);
    return m_messages != nullptr;
}

bool CGetCanFileUpdate::Prepare()
{
    m_meterBox = m_box;
    m_counters = &m_ownCounters;
    const int port = FindPort(0);
    if (port < 0 || !TakeMessages(port))
        return false;
    m_box = port;
    return OpenItem();
}

bool CGetCanFileUpdate::NextItem()
{
    const int port = FindPort(m_box + 1);
    if (port < 0 || !TakeMessages(port))
        return false;
    m_box = port;
    return OpenItem();
}

bool CGetCanFileUpdate::OpenItem()
{
    try {
        m_dataFile.Abort();
        m_error.Empty();
        const fw::CString path = PortFile(m_box);
        fw::CFileException error;
        if (!m_messages || !m_dataFile.Open(path, fw::CFile::modeRead | fw::CFile::shareDenyWrite, &error)) {
            if (m_messages)
                m_host.ReportException(error);
            return false;
        }
        const int64_t length = static_cast<int64_t>(m_dataFile.GetLength());
        std::vector<uint8_t> first(CGetCanUpdate::kFirstPartBytes);
        first.resize(m_dataFile.Read(first.data(), first.size()));
        const int64_t offset = CanFileOffset(first);
        if (offset <= CGetCanUpdate::kMinFileOffset || offset >= length) {
            m_dataFile.Abort();
            return false;
        }
        std::vector<uint8_t> header(static_cast<size_t>(offset));
        m_dataFile.SeekToBegin();
        header.resize(m_dataFile.Read(header.data(), header.size()));
        ReadDatabase(*m_messages, header, header.size());
        BuildCanTanks(GetBoxArray().GetCanTanks(), *m_messages);
        m_blockAddress = offset;
        m_stored = 0;
        m_total = static_cast<unsigned>(length - offset);
        m_count = std::min(kChunkBytes, m_total);
        m_dataFile.Seek(offset, fw::CFile::begin);
        m_counters->fill(0);
        m_firstChunk = true;
        return true;
    } catch (const std::exception& e) {
        m_dataFile.Abort();
        m_host.ReportException(e);
        return false;
    }
}

bool CGetCanFileUpdate::NextChunk()
{
    m_stored += m_count;
    if (m_stored >= m_total)
        return false;
    m_count = std::min(kChunkBytes, m_total - m_stored);
    m_firstChunk = false;
    return true;
}

void CGetCanFileUpdate::GetCaption(fw::CString& text) const
{
    text = UpdatingText(fw::Format("%s_%02d.CAN", fw::fs::FileNameOf(m_file.m_name).c_str(), m_box + 1));
}

bool CGetCanFileUpdate::TransferChunk()
{
    if (m_total == 0)
        return true;
    const fw::CString path = m_dataFile.GetFilePath();
    try {
        m_data.resize(m_count);
        if (m_dataFile.Read(m_data.data(), m_count) != m_count) {
            SetErrorText(CannotReadText(path));
            m_data.clear();
            m_dataFile.Abort();
            return false;
        }
        int64_t damagedAt = 0;
        CanFrameCounters unused{};
        const int64_t complete = WalkCanBlocks(nullptr, m_data, unused, damagedAt);
        // A damaged length, or a block longer than what is left of the
        // file, can never be completed.
        const bool atEnd = m_stored + m_count >= m_total;
        if (complete < 0 || (complete == 0 && atEnd) || (complete < static_cast<int64_t>(m_count) && atEnd)) {
            SetErrorText(DamagedText(path, m_blockAddress + (complete < 0 ? damagedAt : complete)));
            m_data.clear();
            m_dataFile.Abort();
            return false;
        }
        if (complete < static_cast<int64_t>(m_count)) {
            m_dataFile.Seek(complete - static_cast<int64_t>(m_count), fw::CFile::current);
            m_count = static_cast<unsigned>(complete);
            m_data.resize(m_count);
        }
        m_blockAddress += complete;
        return true;
    } catch (const std::exception& e) {
        SetErrorFrom(e);
        m_data.clear();
        m_dataFile.Abort();
        return false;
    }
}

void CGetCanFileUpdate::StoreChunk(unsigned)
{
    if (!m_messages || m_data.empty())
        return;
    int64_t damagedAt = 0;
    WalkCanBlocks(m_messages, m_data, *m_counters, damagedAt);
}

void CGetCanFileUpdate::Finish()
{
    if (m_messages)
        FinishCanTanks(*m_messages, *m_counters);
    m_dataFile.Abort();
}

void CGetCanFileUpdate::CopyKindFrom(const CCFUpdate& other)
{
    const auto* can = dynamic_cast<const CGetCanFileUpdate*>(&other);
    if (!can || can == this)
        return;
    m_messages = can->m_messages;
    m_meterBox = can->m_meterBox;
    m_counters = can->m_counters;
}
