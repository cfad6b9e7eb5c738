#include "measure/model/GetCFUpdate.h"

#include "framework/core/Exceptions.h"
#include "instrument/ADSetPrf.h"
#include "instrument/Kiv406ErrStr.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/meter/HeaderKeys.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "measure/model/DataStream.h"

#include <algorithm>

namespace {

constexpr int kCanUnitType = 8;

} // namespace

CGetCFUpdate::CGetCFUpdate(ITransferHost& host) : CCFMeterUpdate(host) {}

bool CGetCFUpdate::WithRetry(const std::function<void()>& step)
{
    for (;;) {
        try {
            step();
            return true;
        } catch (const std::exception& e) {
            CKiv406ErrStr texts;
            if (!m_askOnError || !m_host.AskContinue(texts.GetExceptionText(e)))
                return false;
        }
    }
}

bool CGetCFUpdate::ReadHeaderThrough(CKivMeter& meter, const CKiv406FileInfo& entry, fw::CString& text)
{
    return WithRetry([&] { ReadRecordedHeader(meter, entry.m_name.c_str(), entry.m_headerSize, text); });
}

void CGetCFUpdate::SizeTanks(CBoxArray& system, int largest)
{
    system.SetTankDisplayModes();
    system.SetDataCount(largest, true);
}

bool CGetCFUpdate::Prepare()
{
    try {
        CBoxArray& system = GetBoxArray();
        SizeSelections(FileListCount());
        int largest = 0;
        for (int i = 0; i < system.GetBoxCount(); ++i) {
            const CKiv406FileInfo& entry = EntryOf(i);
            fw::CString header;
            if (!ReadHeaderThrough(MeterOf(i), entry, header))
                return false;
            // This box only: the whole system would put back the scales the
            // earlier boxes just read from their headers.
            system.GetBox(i)->ApplyWorkMeter();
            MeterOf(i).ReadHeader(header.c_str(), m_useFileFormat);
            BuildChannelSelection(i, header.c_str());
            largest = std::max(largest, entry.m_sampleCount);
        }
        SizeTanks(system, largest);
        m_box = 0;
        return CreateTempFile() && OpenItem();
    } catch (const std::exception& e) {
        m_host.ReportException(e);
        return false;
    }
}

bool CGetCFFileUpdate::Prepare()
{
    try {
        m_box = 0;
        CBoxArray& own = m_host.GetOwnBoxArray();
        const int lists = std::min({FileListCount(), own.GetBoxCount(), static_cast<int>(CMeterInterfacePrf::kMaxMeters)});
        if (lists <= 0)
            fw::ThrowInvalidArgException();
        CMeterInterfacePrf profile = own.GetProfile();
        profile.SetCount(lists);
        CADSetPrf adSet = own.GetADSet();
        std::vector<fw::CString> headers(static_cast<size_t>(lists));
        int largest = 0;
        for (int i = 0; i < lists; ++i) {
            const CKiv406FileInfo& entry = EntryOf(i);
            CKivMeter* meter = own.GetBox(i)->GetMeter();
            if (!meter || !ReadHeaderThrough(*meter, entry, headers[static_cast<size_t>(i)]))
                return false;
            ParseUnitTypes(HeaderValue(headers[static_cast<size_t>(i)].c_str(), "UNIT_TYPE").c_str(),
                           profile.m_unitTypes[static_cast<size_t>(i)]);
            largest = std::max(largest, entry.m_sampleCount);
        }
        adSet.m_nNum = largest;
        if (!m_host.BeginImportBoxArray(profile, adSet))
            return false;
        SizeSelections(lists);
        CBoxArray& system = GetBoxArray();
        for (int j = 0; j < system.GetBoxCount() && j < lists; ++j) {
            const CKivMeter* ownMeter = own.GetBox(j)->GetMeter();
            CKivMeter& meter = MeterOf(j);
            // The link pointer only: the unit keeps its place on the link.
            meter.CZELMeter::SetInterface(ownMeter->GetInterface());
            meter.SetAddress(ownMeter->GetAddress());
            // This box only: the whole system would put back the scales the
            // earlier boxes just read from their headers.
            system.GetBox(j)->ApplyWorkMeter();
            meter.ReadHeader(headers[static_cast<size_t>(j)].c_str(), m_useFileFormat);
            BuildChannelSelection(j, headers[static_cast<size_t>(j)].c_str());
        }
        system.SetTankDisplayModes();
        m_host.RefreshChannelColumns();
        system.SetDataCount(largest, true);
        m_box = 0;
        return CreateTempFile() && OpenItem();
    } catch (const std::exception& e) {
        m_host.ReportException(e);
        return false;
    }
}

bool CGetCFUpdate::OpenItem()
{
    try {
        m_file = EntryOf(m_box);
        CKivMeter& meter = MeterOf(m_box);
        m_rowBytes = meter.GetSampleBytes();
        m_stored = 0;
        m_transferred = 0;
        RewindTempFile();
        const int fileRowBytes = GetFileRowBytes(m_box);
        m_chunkRows = ChunkRowsFor(fileRowBytes);
        m_total = m_rowBytes > 0 && fileRowBytes > 0 ? static_cast<unsigned>(std::max(m_file.m_sampleCount, 0)) : 0;
        m_chunkRows = std::min(m_chunkRows, m_total);
        m_count = m_chunkRows;
        m_firstChunk = true;
        if (m_total == 0)
            return true;
    } catch (const std::exception& e) {
        m_host.ReportException(e);
        return false;
    }
    CKivMeter& meter = MeterOf(m_box);
    return WithRetry([&] {
        // Bytes of a stream given up on must not be taken as this file's.
        DropStaleInput(meter);
        meter.SendDataFileCommand(m_file.m_name.c_str(), "DAT");
    });
}

bool CGetCFUpdate::TransferChunk()
{
    if (m_total == 0 || m_chunkRows == 0)
        return false;
    try {
        const int fileRowBytes = GetFileRowBytes(m_box);
        m_data.resize(static_cast<size_t>(fileRowBytes) * m_chunkRows);
        ReadDataStream(MeterOf(m_box), m_data, "DAT");
        size_t bytes = m_data.size();
        if (fileRowBytes != m_rowBytes) {
            SelectChannels(m_box, m_chunkRows);
            bytes = static_cast<size_t>(m_rowBytes) * m_chunkRows;
        }
        return WriteChunk(bytes);
    } catch (const std::exception& e) {
        m_data.clear();
        SetErrorFrom(e);
        return false;
    }
}

bool CGetCFUpdate::HasUnit463() const
{
    return m_file.m_unitTypes.CountOf(kCanUnitType) > 0;
}
