// The ".kivd" file: magic, version, the record header with its channel
// lists, the document bases, the grid layouts and definitions, the box
// array (which writes the channel files), the time list graph and the
// GPS/CAN/voice section.

#include "data/model/KivDataDoc.h"

#include "common/base/ArchiveTags.h"
#include "data/model/DataStrings.h"
#include "data/model/KivDataBoxPropaty.h"
#include "framework/core/Archive.h"
#include "framework/core/Cp932.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/Format.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "project/model/DataHeaderReader.h"

#include <array>
#include <cstring>

namespace {

constexpr const char* kTagHead = "<KIVDATAHEAD2>";
constexpr size_t kHeadTagBytes = 14;
constexpr const char* kTagCardFile = "<CFNAME>";
constexpr const char* kTagKiv463 = "<KIV463>";
constexpr const char* kTagVdCptr = "<VdCptr>";
constexpr size_t kTitleBytes = 256;
constexpr const char* kAppName = "KIV-5400";

void RefuseNotDataFile(const fw::CString& fileName)
{
    const fw::CString text = fw::Format(fw::LoadStringText(datastr::kMsgNotThisDocument), fileName, fw::CString(kAppName));
    fw::AfxMessageBox(text, fw::MB_OK | fw::MB_ICONEXCLAMATION);
}

void RefuseNewerVersion()
{
    fw::AfxMessageBox(datastr::kMsgNewerVersion, fw::MB_OK | fw::MB_ICONEXCLAMATION);
}

std::array<char, kTitleBytes> TitleBuffer(const fw::CString& title)
{
    fw::CString cut = title;
    CKivDocBase::LimitTestTitle(cut);
    const std::string bytes = fw::cp932::ToCp932(cut.str());
    std::array<char, kTitleBytes> buffer{};
    std::memcpy(buffer.data(), bytes.data(), std::min(bytes.size(), kTitleBytes));
    return buffer;
}

// The header tag is skipped by its length, never compared.
void SkipHeadTag(fw::CArchive& ar)
{
    char tag[kHeadTagBytes];
    ar.ReadExact(tag, kHeadTagBytes);
}

} // namespace

void CKivDataDoc::WriteTitleBytes(fw::CArchive& ar) const
{
    const auto buffer = TitleBuffer(m_strTestTitle);
    ar.Write(buffer.data(), buffer.size());
}

void CKivDataDoc::ReadTitleBytes(fw::CArchive& ar)
{
    char buffer[kTitleBytes];
    ar.ReadExact(buffer, kTitleBytes);
    const size_t n = strnlen(buffer, kTitleBytes);
    m_strTestTitle = fw::CString(fw::cp932::FromCp932(std::string_view(buffer, n)));
}

void CKivDataDoc::WriteHeader(fw::CArchive& ar)
{
    ar.Write(kMagic, kMagicBytes);
    m_nVersion = kVersion;
    ar << m_nVersion;
    WriteArchiveTag(ar, kTagHead);
    WriteTitleBytes(ar);
    ar << m_nMethod << m_nStartStatus << m_dStartTime << m_dCycleCount;
    WriteArchiveTag(ar, kTagCardFile);
    ar << m_strCardFile;
    m_adSet.Serialize(ar);
    m_boxes.WriteChannelLists(ar);
    WriteArchiveTag(ar, kTagHead);
}

bool CKivDataDoc::ReadHeader(fw::CArchive& ar)
{
    char magic[kMagicBytes];
    if (ar.Read(magic, kMagicBytes) != kMagicBytes)
        fw::ThrowArchiveException(fw::CArchiveException::badIndex, ar.m_strFileName);
    if (std::memcmp(magic, kMagic, kMagicBytes) != 0) {
        RefuseNotDataFile(ar.m_strFileName);
        fw::ThrowUserException();
    }
    ar >> m_nVersion;
    if (m_nVersion > kVersion) {
        RefuseNewerVersion();
        fw::ThrowUserException();
    }
    SkipHeadTag(ar);
    ReadTitleBytes(ar);
    ar >> m_nMethod >> m_nStartStatus >> m_dStartTime >> m_dCycleCount;
    m_strCardFile.Empty();
    if (PeekArchiveTag(ar, kTagCardFile))
        ar >> m_strCardFile;
    m_adSet.Serialize(ar);
    if (m_pHeader)
        CopyHeaderToRecord();
    else if (m_bHeaderOnly)
        return false;
    m_boxes.ReadChannelLists(ar, m_pHeader);
    if (m_bHeaderOnly)
        return false;
    SkipHeadTag(ar);
    return true;
}

void CKivDataDoc::CopyHeaderToRecord()
{
    CMMAHeader& h = *m_pHeader;
    h.startTime = m_dStartTime;
    h.method = m_nMethod;
    h.cycleCount = m_dCycleCount;
    h.title = m_strTestTitle;
    h.duration = m_adSet.GetMeasureTime(m_adSet.m_nUnit);
    h.durationUnit = static_cast<int16_t>(m_adSet.GetUnitCaptionId());
    h.cardFileName = m_strCardFile;
    h.docIdent = GetDocIdent();
}

void CKivDataDoc::SerializeStyles(fw::CArchive& ar, Style first, Style last)
{
    for (int s = first; s <= last; ++s) {
        if (ar.IsStoring()) {
            ar.WriteObject(m_styles[size_t(s)].get());
            continue;
        }
        CZELGridStyle* style = nullptr;
        ReadGridStyle(ar, style);
        if (!style)
            fw::ThrowArchiveException(fw::CArchiveException::badIndex, ar.m_strFileName);
        m_styles[size_t(s)].reset(style);
    }
}

void CKivDataDoc::SerializeGraphLists(fw::CArchive& ar)
{
    IGraphListArchive* graphs = fw::Installed<IGraphListArchive>();
    if (ar.IsStoring()) {
        if (graphs)
            graphs->Serialize(ar, GetGraphTimeList());
        if (!m_tailBytes.empty()) {
            ar.Write(m_tailBytes.data(), m_tailBytes.size());
            return;
        }
        WriteArchiveTag(ar, kTagKiv463);
        SerializeStyles(ar, kStyleGpsValues, kStyleGpsRaw);
        if (graphs)
            graphs->Serialize(ar, *m_pGpsGraph);
        SerializeStyles(ar, kStyleCanValues, kStyleVoice);
        if (graphs)
            graphs->Serialize(ar, *m_pCanGraph);
        return;
    }
    if (graphs)
        graphs->Serialize(ar, GetGraphTimeList());
    ReadTail(ar);
}

void CKivDataDoc::ReadTail(fw::CArchive& ar)
{
    IGraphListArchive* graphs = fw::Installed<IGraphListArchive>();
    m_tailBytes.clear();
    if (!PeekArchiveTag(ar, kTagKiv463)) {
        CreateUnit463Styles();
        if (graphs || ar.BytesLeft() == 0)
            return;
        // A graph no charting engine reads here: kept as it came.
        m_tailBytes.resize(static_cast<size_t>(ar.BytesLeft()));
        ar.ReadExact(m_tailBytes.data(), m_tailBytes.size());
        return;
    }
    if (PeekArchiveTag(ar, kTagVdCptr)) {
        double dropped = 0;
        ar >> dropped;
    }
    SerializeStyles(ar, kStyleGpsValues, kStyleGpsRaw);
    if (graphs)
        graphs->Serialize(ar, *m_pGpsGraph);
    SerializeStyles(ar, kStyleCanValues, kStyleVoice);
    if (graphs)
        graphs->Serialize(ar, *m_pCanGraph);
}

void CKivDataDoc::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteHeader(ar);
        CKivDocBase::Serialize(ar);
        SerializeStyles(ar, kStyleChannel, kStyleGraph);
        ar.WriteObject(m_pDefinitions.get());
        m_boxes.Serialize(ar);
        SerializeGraphLists(ar);
        return;
    }
    if (!ReadHeader(ar))
        return;
    CKivDocBase::Serialize(ar);
    SerializeStyles(ar, kStyleChannel, kStyleGraph);
    auto* set = ar.ReadOwnedObject(&CDataSPSetTank::s_runtimeClass);
    if (!set)
        fw::ThrowArchiveException(fw::CArchiveException::badIndex, ar.m_strFileName);
    m_pDefinitions.reset(static_cast<CDataSPSetTank*>(set));
    m_styles[kStyleChannel]->SetColumnCount(CKivDataBoxPropaty::kColumnCount);
    m_boxes.Serialize(ar);
    SerializeGraphLists(ar);
}

bool CKivDataDoc::RewriteDataFileTitle(fw::CFile& file, const fw::CString& title)
{
    std::array<char, kHeadBytes> head{};
    file.SeekToBegin();
    size_t got = 0;
    while (got < head.size()) {
        const size_t n = file.Read(head.data() + got, head.size() - got);
        if (n == 0)
            break;
        got += n;
    }
    if (got < kMagicBytes || std::memcmp(head.data(), kMagic, kMagicBytes) != 0) {
        RefuseNotDataFile(file.GetFilePath());
        return false;
    }
    int32_t version = 0;
    std::memcpy(&version, head.data() + kMagicBytes, sizeof version);
    if (got < head.size()) {
        // Too short to hold a header: left as it is.
        RefuseNotDataFile(file.GetFilePath());
        return false;
    }
    if (version > kVersion) {
        RefuseNewerVersion();
        return false;
    }
    const auto buffer = TitleBuffer(title);
    std::memcpy(head.data() + kTitleOffset, buffer.data(), buffer.size());
    file.SeekToBegin();
    file.Write(head.data(), head.size());
    return true;
}
