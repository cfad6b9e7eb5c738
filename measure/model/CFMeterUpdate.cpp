#include "measure/model/CFMeterUpdate.h"

#include "common/cache/CacheDataTank.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "measure/model/DataStream.h"

#include <algorithm>

CCFMeterUpdate::CCFMeterUpdate(ITransferHost& host) : CCFUpdate(host) {}

CCFMeterUpdate::~CCFMeterUpdate()
{
    CloseTempFile();
}

void CCFMeterUpdate::CloseTempFile()
{
    if (m_tempPath.IsEmpty())
        return;
    m_writeFile.Abort();
    m_readFile.Abort();
    try {
        fw::CFile::Remove(m_tempPath);
    } catch (const std::exception&) {
        // A file left behind goes with the next start-up's clean-up.
    }
    m_tempPath.Empty();
}

bool CCFMeterUpdate::CreateTempFile()
{
    if (m_writeFile.IsOpen())
        return true;
    fw::CString path;
    if (!fw::fs::CreateTempFile(CCacheDataTank<float>::GetTempFolder(), kTempPrefix, path))
        return false;
    m_tempPath = path;
    fw::CFileException error;
    if (!m_writeFile.Open(path, fw::CFile::modeWrite | fw::CFile::shareDenyWrite, &error) ||
        !m_readFile.Open(path, fw::CFile::modeRead | fw::CFile::shareDenyNone, &error)) {
        m_host.ReportException(error);
        CloseTempFile();
        return false;
    }
    return true;
}

void CCFMeterUpdate::RewindTempFile()
{
    m_writeFile.SeekToBegin();
    m_readFile.SeekToBegin();
}

bool CCFMeterUpdate::Prepare()
{
    m_box = 0;
    return CreateTempFile() && OpenItem();
}

bool CCFMeterUpdate::OpenItem()
{
    try {
        if (m_fileLists)
            m_file = EntryOf(m_box);
        m_rowBytes = MeterOf(m_box).GetSampleBytes();
        m_stored = 0;
        m_transferred = 0;
        RewindTempFile();
        m_chunkRows = ChunkRowsFor(m_rowBytes);
        // A box without a channel that is on has no rows to move.
        const int count = GetBoxArray().GetTankList().GetDataCount();
        m_total = m_rowBytes > 0 ? static_cast<unsigned>(std::max(count, 0)) : 0;
        m_chunkRows = std::min(m_chunkRows, m_total);
        m_count = m_chunkRows;
        m_firstChunk = true;
        return true;
    } catch (const std::exception& e) {
        m_host.ReportException(e);
        return false;
    }
}

void CCFMeterUpdate::GetCaption(fw::CString& text) const
{
    text = UpdatingText(GetBoxArray().GetBox(m_box)->GetName());
}

bool CCFMeterUpdate::WriteChunk(size_t bytes)
{
    m_writeFile.Write(m_data.data(), bytes);
    const unsigned done = m_transferred.load() + m_chunkRows;
    m_transferred = done;
    if (done >= m_total) {
        m_data.clear();
        m_data.shrink_to_fit();
        return false;
    }
    m_chunkRows = std::min(m_chunkRows, m_total - done);
    return true;
}

bool CCFMeterUpdate::TransferChunk()
{
    // An item without rows is complete before it starts.
    if (m_total == 0 || m_chunkRows == 0)
        return false;
    try {
        const size_t bytes = static_cast<size_t>(m_rowBytes) * m_chunkRows;
        m_data.resize(bytes);
        CKivMeter& meter = MeterOf(m_box);
        meter.Command(fw::Format("ADR%u", m_transferred.load()));
        DropStaleInput(meter);
        meter.Send(fw::Format("BDT%u", m_chunkRows));
        ReadDataStream(meter, m_data, "BDT");
        return WriteChunk(bytes);
    } catch (const std::exception& e) {
        m_data.clear();
        SetErrorFrom(e);
        return false;
    }
}

void CCFMeterUpdate::StoreChunk(unsigned position)
{
    m_count = position > m_stored ? position - m_stored : 0;
    if (m_count == 0 || m_rowBytes <= 0)
        return;
    const size_t bytes = static_cast<size_t>(m_count) * static_cast<size_t>(m_rowBytes);
    // Emptied first: a buffer that grows would otherwise carry its old
    // bytes over one by one, only for the read to overwrite them.
    m_readBuffer.clear();
    m_readBuffer.resize(bytes);
    if (m_readFile.Read(m_readBuffer.data(), bytes) != bytes)
        fw::ThrowFileException(fw::CFileException::endOfFile, -1, m_tempPath);
    GetBoxArray().StoreSamples(m_box, static_cast<int>(m_stored), static_cast<int>(m_count), m_rowBytes,
                               m_readBuffer);
}

void CCFMeterUpdate::Finish()
{
    RewindTempFile();
    CCFUpdate::Finish();
}
