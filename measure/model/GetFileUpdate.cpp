#include "measure/model/GetFileUpdate.h"

#include "common/base/ZelException.h"
#include "framework/core/Cp932.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "instrument/ADSetPrf.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/meter/HeaderKeys.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/MarkerList.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kCanUnitType = 8;
constexpr int kMaxHeaderBytes = 1 << 20;

} // namespace

CGetFileUpdate::CGetFileUpdate(ITransferHost& host) : CCFUpdate(host)
{
    m_messageId = kMsgFolderChunk;
}

CGetFileUpdate::~CGetFileUpdate() = default;

fw::CString CGetFileUpdate::FindRecordedFile(const fw::CString& name, const char* extension)
{
    std::string path = name.str();
    std::replace(path.begin(), path.end(), '\\', '/');
    const fw::CString full = fw::CString((path + extension).c_str());
    const fw::CString found = fw::fs::FindFileNoCase(fw::fs::FolderOf(full), fw::fs::FileNameOf(full));
    return found.IsEmpty() ? full : found;
}

// ------------------------------------------------------------- the rebuild

fw::CString CGetFileUpdate::ReadFolderHeader(const CKiv406FileInfo& entry, fw::CString& path)
{
    path = FindRecordedFile(entry.m_name, ".HED");
    fw::CFile file(path, fw::CFile::modeRead | fw::CFile::shareDenyWrite);
    const int size = entry.m_headerSize;
    if (size <= 0 || size > kMaxHeaderBytes)
        throw CZelException(-1, CannotReadText(path).c_str());
    std::string bytes(static_cast<size_t>(size), '\0');
    const size_t got = file.Read(bytes.data(), bytes.size());
    file.Close();
    if (got != bytes.size())
        throw CZelException(-1, CannotReadText(path).c_str());
    bytes.resize(std::min(bytes.size(), bytes.find('\0')));
    fw::CString text = fw::cp932::FromCp932(bytes);
    if (!IsValidDataHeader(text.c_str()))
        throw CZelException(-1, CannotReadText(path).c_str());
    return text;
}

bool CGetFileUpdate::RebuildFromHeaders()
{
    fw::CString path;
    try {
        m_box = 0;
        CBoxArray& own = m_host.GetOwnBoxArray();
        // A profile holds four control units; further lists have no place.
        const int lists = std::min(FileListCount(), static_cast<int>(CMeterInterfacePrf::kMaxMeters));
        if (lists <= 0)
            fw::ThrowInvalidArgException();
        CMeterInterfacePrf profile = own.GetProfile();
        profile.SetCount(lists);
        CADSetPrf adSet = own.GetADSet();
        std::vector<fw::CString> headers;
        int largest = 0;
        for (int i = 0; i < lists; ++i) {
            const CKiv406FileInfo& entry = EntryOf(i);
            headers.push_back(ReadFolderHeader(entry, path));
            ParseUnitTypes(HeaderValue(headers.back().c_str(), "UNIT_TYPE").c_str(),
                           profile.m_unitTypes[static_cast<size_t>(i)]);
            largest = std::max(largest, entry.m_sampleCount);
        }
        path.Empty();
        adSet.m_nNum = largest;
        if (!m_host.BeginImportBoxArray(profile, adSet))
            return false;
        SizeSelections(lists);
        CBoxArray& system = GetBoxArray();
        for (int j = 0; j < system.GetBoxCount() && j < lists; ++j) {
            // This box only: the whole system would put back the scales the
            // earlier boxes just read from their headers.
            system.GetBox(j)->ApplyWorkMeter();
            MeterOf(j).ReadHeader(headers[static_cast<size_t>(j)].c_str(), m_useFileFormat);
            BuildChannelSelection(j, headers[static_cast<size_t>(j)].c_str());
            system.GetMarkers().LoadFromHeader(headers[static_cast<size_t>(j)].c_str());
        }
        system.SetTankDisplayModes();
        m_host.RefreshChannelColumns();
        system.SetDataCount(largest, true);
        return true;
    } catch (const CZelException& e) {
        m_host.ShowMessage(path.IsEmpty() ? fw::CString(e.what()) : CannotReadText(path));
        return false;
    } catch (const std::exception& e) {
        m_host.ReportException(e);
        return false;
    }
}

bool CGetFileUpdate::Prepare()
{
    return RebuildFromHeaders() && OpenItem();
}

// ------------------------------------------------------------------ items

bool CGetFileUpdate::OpenItem()
{
    try {
        m_dataFile.Abort();
        m_file = EntryOf(m_box);
        CKivMeter& meter = MeterOf(m_box);
        m_rowBytes = meter.GetSampleBytes();
        for (int p = 0; p < CKivMeter::kPorts; ++p)
            m_file.m_unitTypes.SetAt(p, meter.GetUnitType(p));
        m_firstChunk = true;
        m_stored = 0;
        const int fileRowBytes = GetFileRowBytes(m_box);
        m_count = ChunkRowsFor(fileRowBytes);
        // A box whose recording keeps no channel of the project has no rows
        // to store.
        m_total = m_rowBytes > 0 && fileRowBytes > 0 ? static_cast<unsigned>(std::max(m_file.m_sampleCount, 0)) : 0;
        m_count = std::min(m_count, m_total);
        const fw::CString path = FindRecordedFile(m_file.m_name, ".DAT");
        fw::CFileException error;
        if (!m_dataFile.Open(path, fw::CFile::modeRead | fw::CFile::shareDenyWrite, &error)) {
            m_host.ReportException(error);
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        m_host.ReportException(e);
        return false;
    }
}

void CGetFileUpdate::GetCaption(fw::CString& text) const
{
    text = UpdatingText(fw::fs::FileNameOf(m_file.m_name));
}

bool CGetFileUpdate::TransferChunk()
{
    if (m_total == 0)
        return true;
    try {
        const int fileRowBytes = GetFileRowBytes(m_box);
        const size_t bytes = static_cast<size_t>(fileRowBytes) * m_count;
        m_data.resize(bytes);
        if (m_dataFile.Read(m_data.data(), bytes) != bytes) {
            SetErrorText(CannotReadText(m_dataFile.GetFilePath()));
            m_data.clear();
            m_dataFile.Abort();
            return false;
        }
        if (fileRowBytes != m_rowBytes) {
            SelectChannels(m_box, m_count);
            m_data.resize(static_cast<size_t>(m_rowBytes) * m_count);
        }
        return true;
    } catch (const std::exception& e) {
        SetErrorFrom(e);
        m_data.clear();
        m_dataFile.Abort();
        return false;
    }
}

void CGetFileUpdate::StoreChunk(unsigned)
{
    if (m_count == 0 || m_rowBytes <= 0)
        return;
    GetBoxArray().StoreSamples(m_box, static_cast<int>(m_stored), static_cast<int>(m_count), m_rowBytes, m_data);
}

void CGetFileUpdate::Finish()
{
    CCFUpdate::Finish();
    m_dataFile.Abort();
}

bool CGetFileUpdate::HasUnit463() const
{
    return m_file.m_unitTypes.CountOf(kCanUnitType) > 0;
}
