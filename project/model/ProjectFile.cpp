// The project file: magic, version, the document bases, monitor settings,
// measuring system, history and self-check records, then every table and
// program as framework objects, then the tagged sections that older files
// lack, and the time list graph last.

#include "project/model/KIV5980Doc.h"

#include "common/base/ArchiveTags.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "grid/model/GridArray.h"
#include "instrument/check/CheckData.h"
#include "project/model/DataHeaderReader.h"
#include "project/model/ProjectStrings.h"

#include <cstring>

namespace {

constexpr const char* kTagHist = "<HIST>";
constexpr const char* kTagHistRireki = "<HIST_RIREKI>";
constexpr const char* kTagKiv463 = "<KIV463>";
constexpr const char* kTagKiv465 = "<KIV465>";
constexpr const char* kTagVdCptr = "<VdCptr>";

constexpr CKIV5980Doc::Table kStoredTables[] = {
    CKIV5980Doc::kTabChannel,     CKIV5980Doc::kTabOutput, CKIV5980Doc::kTabCalc,
    CKIV5980Doc::kTabInterval,    CKIV5980Doc::kTabComparator, CKIV5980Doc::kTabDataTrigger,
    CKIV5980Doc::kTabCycle,       CKIV5980Doc::kTabChannelData, CKIV5980Doc::kTabGraph,
    CKIV5980Doc::kTabHistory,     CKIV5980Doc::kTabStatistics, CKIV5980Doc::kTabSelfCheck,
};
constexpr int kProgramColumns = 11;
constexpr int kChannelColumns = 18;
constexpr int kHistoryColumns = 7;
constexpr int kStatisticsColumns = 3240;
constexpr int kOutputColumns = 8;

void ThrowBadFile()
{
    fw::ThrowArchiveException(fw::CArchiveException::badIndex);
}

// A table every page needs: a file that stores none is damaged.
std::unique_ptr<CZELGridStyle> ReadTable(fw::CArchive& ar)
{
    CZELGridStyle* style = nullptr;
    ReadGridStyle(ar, style);
    if (!style)
        ThrowBadFile();
    return std::unique_ptr<CZELGridStyle>(style);
}

template <class T> std::unique_ptr<T> ReadList(fw::CArchive& ar)
{
    auto* object = ar.ReadOwnedObject(&T::s_runtimeClass);
    if (!object)
        ThrowBadFile();
    return std::unique_ptr<T>(static_cast<T*>(object));
}

int ColumnWidth(const CZELGridStyle& style, int col)
{
    return style.GetPane(kPaneSheet).GetColumnWidth(col);
}

int WidthCount(const CZELGridStyle& style)
{
    const CZELGridArray* widths = style.GetColumnWidths();
    return widths ? widths->GetSize() : 0;
}

} // namespace

void CKIV5980Doc::CheckVersion(int32_t version)
{
    const uint32_t v = static_cast<uint32_t>(version);
    if (v & 0x1000u) {
        fw::AfxMessageBox(prjstr::kMsgSiblingProgram, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        fw::ThrowUserException();
    }
    // Bits 28 and 29 may accompany a readable version; any other bit above
    // the low word, the sign bit too, marks a file this program cannot read.
    if ((v & 0xFFFFu) > static_cast<uint32_t>(kVersion) || (v & 0xCFFF0000u) != 0) {
        fw::AfxMessageBox(prjstr::kMsgNewerVersion, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        fw::ThrowUserException();
    }
}

void CKIV5980Doc::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.Write(kMagic, kMagicBytes);
        m_nVersion = kVersion;
        ar << m_nVersion;
        CKivDocBase::Serialize(ar);
        m_panelMonitor.Serialize(ar);
        m_boxArray.Serialize(ar);
        m_history.Serialize(ar);
        ar.WriteCount(m_checkRecords.size());
        for (CCheckData* record : m_checkRecords)
            ar.WriteObject(record);
        ar << m_strTestTitle;
        for (Table t : kStoredTables)
            ar.WriteObject(m_tables[t].get());
        ar.WriteObject(m_pCalcSettings.get());
        ar.WriteObject(nullptr);
        for (const auto& program : m_programs)
            ar.WriteObject(program.get());
        WriteArchiveTag(ar, kTagHist);
        ar.WriteObject(m_tables[kTabFreqSettings].get());
        ar.WriteObject(m_tables[kTabProgram].get());
        WriteArchiveTag(ar, kTagHistRireki);
        ar.WriteObject(m_tables[kTabFreqHistory].get());
        WriteArchiveTag(ar, kTagKiv463);
        ar.WriteObject(m_tables[kTabCanNode].get());
        ar.WriteObject(m_tables[kTabCanSignal].get());
        ar.WriteObject(m_tables[kTabVoice].get());
        WriteArchiveTag(ar, kTagKiv465);
        ar.WriteObject(m_tables[kTabDigitalIO].get());
        WriteGraphList(ar);
        return;
    }

    char magic[kMagicBytes] = {};
    if (ar.Read(magic, kMagicBytes) != kMagicBytes || std::memcmp(magic, kMagic, kMagicBytes) != 0)
        ThrowBadFile();
    ar >> m_nVersion;
    CheckVersion(m_nVersion);
    CKivDocBase::Serialize(ar);
    m_panelMonitor.Serialize(ar);
    m_boxArray.SetOwner(this);
    m_boxArray.Serialize(ar);
    m_history.Serialize(ar);
    const uint64_t checks = ar.ReadCount(1);
    for (uint64_t i = 0; i < checks; ++i) {
        auto* record = static_cast<CCheckData*>(ar.ReadOwnedObject(&CCheckData::s_runtimeClass));
        if (!record)
            ThrowBadFile();
        m_checkRecords.push_back(record);
    }
    ar >> m_strTestTitle;
    for (Table t : kStoredTables)
        m_tables[t] = ReadTable(ar);
    m_pCalcSettings = ReadList<CDataSPSetTank>(ar);
    // The spare list: always stored empty.
    delete ar.ReadOwnedObject(&CDataTankList::s_runtimeClass);
    for (auto& program : m_programs)
        program = ReadList<CDataTankList>(ar);
    ReadOptionalSections(ar);
}

void CKIV5980Doc::ReadOptionalSections(fw::CArchive& ar)
{
    if (PeekArchiveTag(ar, kTagHist)) {
        m_tables[kTabFreqSettings] = ReadTable(ar);
        m_tables[kTabProgram] = ReadTable(ar);
        CZELGridStyle& program = *m_tables[kTabProgram];
        CZELGridStyle::SheetSize size;
        program.GetSheetSize(size);
        if (size.cols != kProgramColumns) {
            program.SetColumnCount(kProgramColumns);
            program.SetColumnWidths(0, 30, 10);
            program.SetColumnWidths(10, 80, 1);
        }
    } else {
        CreateHistTables();
    }
    if (PeekArchiveTag(ar, kTagHistRireki)) {
        m_tables[kTabFreqHistory] = ReadTable(ar);
    } else {
        m_tables[kTabFreqHistory].reset(MakeTableStyle(1, 1, 1, 5, kMaxHistorySteps, 50, -18));
        m_tables[kTabFreqHistory]->GetPane(kPaneCorner).m_bColResize = 1;
        m_tables[kTabFreqHistory]->SetColumnWidths(0, 120, 5);
    }
    WidenOldTables();
    if (PeekArchiveTag(ar, kTagKiv463)) {
        m_tables[kTabCanNode] = ReadTable(ar);
        m_tables[kTabCanSignal] = ReadTable(ar);
        m_tables[kTabVoice] = ReadTable(ar);
    } else {
        CreateUnit463Tables();
    }
    if (PeekArchiveTag(ar, kTagKiv465))
        m_tables[kTabDigitalIO] = ReadTable(ar);
    else
        CreateUnit465Table();

    CZELGridStyle& output = *m_tables[kTabOutput];
    CZELGridStyle::SheetSize size;
    output.GetSheetSize(size);
    if (size.cols == 5) {
        output.SetColumnCount(kOutputColumns);
        for (int c = 7; c >= 5; --c)
            output.SetColumnWidths(c, ColumnWidth(output, c - 3), 1);
        output.SetColumnWidths(1, ColumnWidth(output, 3), 3);
    }
    ReadGraphList(ar);
}

void CKIV5980Doc::WidenOldTables()
{
    CZELGridStyle& channel = *m_tables[kTabChannel];
    if (WidthCount(channel) != kChannelColumns)
        channel.SetColumnCount(kChannelColumns);
    CZELGridStyle& history = *m_tables[kTabHistory];
    CZELGridStyle::SheetSize size;
    history.GetSheetSize(size);
    if (size.cols == kHistoryColumns - 1) {
        history.SetColumnCount(kHistoryColumns);
        for (int c = 6; c >= 2; --c)
            history.SetColumnWidths(c, ColumnWidth(history, c - 1), 1);
        history.SetColumnWidths(1, 120, 1);
    }
    m_tables[kTabStatistics]->SetColumnCount(kStatisticsColumns);
}

void CKIV5980Doc::ReadGraphList(fw::CArchive& ar)
{
    m_graphListBytes.clear();
    if (IGraphListArchive* graphs = fw::Installed<IGraphListArchive>()) {
        graphs->Serialize(ar, GetGraphTimeList());
        if (PeekArchiveTag(ar, kTagVdCptr)) {
            CZELGridStyle* discarded = nullptr;
            ReadGridStyle(ar, discarded);
            delete discarded;
        }
        return;
    }
    // Without the charting engine the graph's bytes go back as they came.
    const uint64_t left = ar.BytesLeft();
    m_graphListBytes.resize(static_cast<size_t>(left));
    if (left)
        ar.ReadExact(m_graphListBytes.data(), m_graphListBytes.size());
}

void CKIV5980Doc::WriteGraphList(fw::CArchive& ar)
{
    if (IGraphListArchive* graphs = fw::Installed<IGraphListArchive>()) {
        graphs->Serialize(ar, GetGraphTimeList());
        return;
    }
    if (!m_graphListBytes.empty())
        ar.Write(m_graphListBytes.data(), m_graphListBytes.size());
}
