#include "data/model/KivDataBoxArray.h"

#include "common/base/ArchiveTags.h"
#include "common/calc/CashCalcuDataTank.h"
#include "data/model/KivDataBoxPropaty.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "project/model/DataHeaderReader.h"

#include <cerrno>
#include <cmath>
#include <cstdio>

namespace {

constexpr const char* kTagAddKind = "<ADDKIND>";
constexpr const char* kTagGpsData = "<GPSDATA>";
constexpr const char* kTagMarker = "<MARKER>";
constexpr const char* kStagedSuffix = ".part";
constexpr int kFirstCalc = 500;
constexpr int16_t kFloatType = 2;

CCashCalcuDataTank* CachedTank(CDataTankObject* tank)
{
    return dynamic_cast<CCashCalcuDataTank*>(tank);
}


} // namespace

CKivDataBoxArray::CKivDataBoxArray() = default;

CKivDataBoxArray::~CKivDataBoxArray()
{
    DiscardChannelFiles();
}

fw::CString CKivDataBoxArray::ChannelFileName(int index)
{
    if (index >= 0 && index < kMaxFileChannel)
        return fw::Format("CH%d", index + 1);
    if (index >= kFirstCalc)
        return fw::Format("NO%d", index - 499);
    return {};
}

fw::CString CKivDataBoxArray::FolderFor(fw::CArchive& ar) const
{
    if (!m_folder.IsEmpty())
        return m_folder;
    return ar.GetFile() ? fw::fs::FolderOf(ar.GetFile()->GetFilePath()) : fw::CString();
}

void CKivDataBoxArray::Serialize(fw::CArchive& ar)
{
    CDataBoxArray::Serialize(ar);
    m_tanks.Serialize(ar);
    const fw::CString folder = FolderFor(ar);
    SerializeChannelFiles(ar, folder);
    if (ar.IsStoring()) {
        WriteArchiveTag(ar, kTagGpsData);
        SerializeGpsCan(ar, folder);
        WriteArchiveTag(ar, kTagMarker);
        SerializeMarkers(ar);
        return;
    }
    if (PeekArchiveTag(ar, kTagGpsData))
        SerializeGpsCan(ar, folder);
    if (PeekArchiveTag(ar, kTagMarker))
        SerializeMarkers(ar);
}

void CKivDataBoxArray::SerializeChannelFiles(fw::CArchive& ar, const fw::CString& folder)
{
    for (int i = 0; i < m_tanks.GetSize(); ++i) {
        CDataTankObject* tank = m_tanks.GetObjectAt(i);
        const fw::CString name = ChannelFileName(i);
        if (!CachedTank(tank) || name.IsEmpty())
            continue;
        SaveOrLoadChannelFile(ar, fw::fs::PathJoin(folder, name), tank);
    }
}

void CKivDataBoxArray::SerializeSourceCodes(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_sourceCodes.size());
        for (int16_t code : m_sourceCodes)
            ar << code;
        return;
    }
    const uint64_t n = ar.ReadCount(sizeof(int16_t));
    m_sourceCodes.assign(static_cast<size_t>(n), 0);
    for (int16_t& code : m_sourceCodes)
        ar >> code;
}

void CKivDataBoxArray::SerializeGpsCan(fw::CArchive& ar, const fw::CString& folder)
{
    SerializeSourceCodes(ar);
    m_gpsTanks.Serialize(ar);
    m_canTanks.Serialize(ar);
    for (int i = 0; i < m_gpsTanks.GetSize(); ++i) {
        CDataTankObject* tank = m_gpsTanks.GetObjectAt(i);
        if (CachedTank(tank))
            SaveOrLoadChannelFile(ar, fw::fs::PathJoin(folder, fw::Format("GPS%d", i + 1)), tank);
    }
    for (int i = 0; i < m_canTanks.GetSize(); ++i) {
        CDataTankObject* tank = m_canTanks.GetObjectAt(i);
        // A time column shared by several signals travels once.
        if (i % 2 == 0 && i >= 2 && tank == m_canTanks.GetObjectAt(i - 2))
            continue;
        if (CachedTank(tank))
            SaveOrLoadChannelFile(ar, fw::fs::PathJoin(folder, fw::Format("CAN%d", i + 1)), tank);
    }
}

void CKivDataBoxArray::KeepMarkers(const std::function<bool(const CMarkerObj&)>& keep)
{
    for (fw::POSITION pos = m_markers.GetHeadPosition(); pos;) {
        const fw::POSITION at = pos;
        CMarkerObj* mark = m_markers.GetNext(pos);
        if (!keep(*mark)) {
            m_markers.RemoveAt(at);
            delete mark;
        }
    }
}

void CKivDataBoxArray::SerializeMarkers(fw::CArchive& ar)
{
    m_markers.Serialize(ar);
}

void CKivDataBoxArray::SaveOrLoadChannelFile(fw::CArchive& ar, const fw::CString& path, CDataTankObject* tank)
{
    CCashCalcuDataTank* cached = CachedTank(tank);
    if (!cached)
        return;
    const bool storing = ar.IsStoring();
    const std::string target = path.str();
    const std::string opened = storing ? target + kStagedSuffix : target;
    if (storing)
        m_staged.emplace_back(opened, target);
    fw::CFileException err;
    fw::CFile file;
    const unsigned flags = storing ? (fw::CFile::modeCreate | fw::CFile::modeWrite | fw::CFile::shareExclusive)
                                   : (fw::CFile::modeRead | fw::CFile::shareExclusive);
    if (!file.Open(fw::CString(opened), flags | fw::CFile::typeBinary, &err))
        fw::ThrowFileException(err.m_cause, err.m_lOsError, path);
    fw::CArchive channel(&file, storing ? fw::CArchive::store : fw::CArchive::load, 4096);
    channel.m_pDocument = ar.m_pDocument;
    channel.m_strFileName = path;
    cached->SerializeCacheFile(channel, m_bCompress);
    channel.Close();
    file.Close();
}

bool CKivDataBoxArray::CommitChannelFiles()
{
    bool ok = true;
    for (const auto& [staged, target] : m_staged) {
        if (ok && std::rename(staged.c_str(), target.c_str()) == 0)
            continue;
        ok = false;
        std::remove(staged.c_str());
    }
    m_staged.clear();
    return ok;
}

void CKivDataBoxArray::DiscardChannelFiles()
{
    for (const auto& entry : m_staged)
        std::remove(entry.first.c_str());
    m_staged.clear();
}

void CKivDataBoxArray::WriteList(fw::CArchive& ar, int first, int last, bool typeLetter)
{
    for (int i = first; i < last; ++i) {
        CDataTankObject* tank = m_tanks.GetObjectAt(i);
        if (!tank) {
            ar << int32_t(-1);
            continue;
        }
        ar << int32_t(i) << tank->GetName() << tank->GetUnit() << static_cast<uint16_t>(tank->GetFormat());
        ar << tank->GetMax() << tank->GetMin() << tank->GetAverage();
        if (typeLetter)
            ar << static_cast<uint8_t>(tank->GetDataType() == kFloatType ? 'F' : 'D');
    }
}

void CKivDataBoxArray::WriteChannelLists(fw::CArchive& ar)
{
    const int n = GetChannelCount();
    ar << int32_t(n);
    WriteArchiveTag(ar, kTagAddKind);
    WriteList(ar, 0, n, true);
    const int calcCount = std::max(0, m_tanks.GetSize() - kFirstCalc);
    ar << int32_t(calcCount);
    WriteList(ar, kFirstCalc, kFirstCalc + calcCount, false);
}

void CKivDataBoxArray::ReadList(fw::CArchive& ar, CMMAHeader* header, bool first)
{
    int32_t count = 0;
    ar >> count;
    const bool typed = first && PeekArchiveTag(ar, kTagAddKind);
    for (int32_t k = 0; k < count; ++k) {
        int32_t index = -1;
        ar >> index;
        if (index < 0)
            continue;
        CMMAHeader::Channel c;
        uint16_t format = 0;
        ar >> c.name >> c.unit >> format >> c.max >> c.min >> c.average;
        uint8_t letter = 'F';
        if (typed)
            ar >> letter;
        if (!header)
            continue;
        c.number = static_cast<int16_t>(index);
        c.format = static_cast<int16_t>(format);
        c.valueType = static_cast<char>(letter);
        header->channels.push_back(c);
    }
}

void CKivDataBoxArray::ReadChannelLists(fw::CArchive& ar, CMMAHeader* header)
{
    ReadList(ar, header, true);
    ReadList(ar, header, false);
}

int CKivDataBoxArray::FindGpsPositionChannels(int start, bool raw, int& longitude, int& latitude) const
{
    const int16_t lonCode = raw ? 11 : 3;
    const int16_t latCode = raw ? 12 : 4;
    const int n = static_cast<int>(m_sourceCodes.size());
    longitude = -1;
    latitude = -1;
    for (int i = std::max(start, 0); i < n; ++i) {
        const int16_t code = m_sourceCodes[static_cast<size_t>(i)];
        if (code == lonCode && longitude < 0)
            longitude = i;
        else if (code == latCode && latitude < 0)
            latitude = i;
        if (longitude < 0 || latitude < 0)
            continue;
        if (longitude / 8 == latitude / 8)
            return i;
        // Longitude and latitude of different units: the older one goes.
        (longitude < latitude ? longitude : latitude) = -1;
    }
    return n;
}

bool CKivDataBoxArray::SetChannelText(int channel, int column, const fw::CString& text)
{
    CDataTankObject* tank = channel >= 0 && channel < m_tanks.GetSize() ? m_tanks.GetObjectAt(channel) : nullptr;
    if (column == CKivDataBoxPropaty::kColFormat) {
        const bool accepted = CDataBoxArray::SetChannelText(channel, column, text);
        if (accepted && tank)
            tank->SetFormat(static_cast<int16_t>(GetChannelValue(channel, column)));
        return accepted;
    }
    const bool accepted = CDataBoxArray::SetChannelText(channel, column, text);
    if (tank && column == CKivDataBoxPropaty::kColName)
        tank->SetName(text);
    if (tank && column == CKivDataBoxPropaty::kColUnit)
        tank->SetUnit(text);
    return accepted;
}

bool CKivDataBoxArray::SetChannelValue(int channel, int column, double value)
{
    const bool accepted = CDataBoxArray::SetChannelValue(channel, column, value);
    if (accepted && column == CKivDataBoxPropaty::kColFormat) {
        CDataTankObject* tank = channel >= 0 && channel < m_tanks.GetSize() ? m_tanks.GetObjectAt(channel) : nullptr;
        if (tank)
            tank->SetFormat(static_cast<int16_t>(value));
    }
    return accepted;
}
