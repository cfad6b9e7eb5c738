// The control unit as a project file stores it (inside its box). Newer
// blocks stand behind raw tags, so that files of every earlier program
// version still load.

#include "instrument/meter/KivMeter.h"

#include "common/base/ArchiveTags.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"


namespace {

constexpr const char* kHistTag = "<HISTSET>";
constexpr const char* kProgTag = "<PROGSET>";
constexpr const char* kClockTag = "<EXT_CLK>";

int16_t ReadShort(fw::CArchive& ar)
{
    int16_t v = 0;
    ar >> v;
    return v;
}

} // namespace

void CKivMeter::Serialize(fw::CArchive& ar)
{
    CZELMeter::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_reservedWord << m_ipAddress << static_cast<int32_t>(m_port) << static_cast<int32_t>(m_dataCount)
           << static_cast<int32_t>(m_preTrigger) << m_interval;
        WriteArchiveTag(ar, kHistTag);
        ar << m_memoryMode;
        for (auto& array : m_analysis)
            array.Serialize(ar);
        WriteArchiveTag(ar, kProgTag);
        ar << m_program[7];
        for (int i : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10})
            ar << m_program[static_cast<size_t>(i)];
        WriteArchiveTag(ar, kClockTag);
        ar << m_clockSource;
        SerializeUnits(ar);
        return;
    }
    int32_t port = 0;
    int32_t dataCount = 0;
    int32_t preTrigger = 0;
    ar >> m_reservedWord >> m_ipAddress >> port >> dataCount >> preTrigger >> m_interval;
    m_port = port;
    m_dataCount = dataCount;
    m_preTrigger = preTrigger;
    if (PeekArchiveTag(ar, kHistTag)) {
        ar >> m_memoryMode;
        static constexpr int16_t kDefaults[] = {0, 1000, 100, 1, 1, 0, 50, 50};
        for (size_t a = 0; a < m_analysis.size(); ++a) {
            m_analysis[a].Serialize(ar);
            // Every analysis index must stay addressable, whatever was stored.
            const int stored = m_analysis[a].GetSize();
            m_analysis[a].SetSize(kAnalyses);
            for (int i = stored; i < kAnalyses; ++i)
                m_analysis[a].SetAt(i, kDefaults[a]);
        }
        if (PeekArchiveTag(ar, kProgTag)) {
            ar >> m_program[7];
            for (int i : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10})
                ar >> m_program[static_cast<size_t>(i)];
        } else {
            LoadOldProgramBlock(ar);
        }
        for (int16_t& timeBase : AnalysisArray(kAttrTimeBase)) {
            if (timeBase == 0)
                timeBase = 1;
        }
    }
    if (PeekArchiveTag(ar, kClockTag))
        ar >> m_clockSource;
    SerializeUnits(ar);
    RecountUnitTotals();
    DefaultOutputSettings();
}

void CKivMeter::LoadOldProgramBlock(fw::CArchive& ar)
{
    ReadShort(ar);
    ar >> m_program[7];
    ReadShort(ar);
    for (size_t i = 0; i < 4; ++i)
        ar >> m_program[i];
    for (size_t i : {4u, 5u, 6u, 8u, 9u, 10u})
        ar >> m_program[i];
    for (int i = 0; i < 5; ++i)
        ReadShort(ar);
}

void CKivMeter::SerializeUnits(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(kPorts);
        for (const auto& unit : m_units)
            ar.WriteObject(unit.get());
        return;
    }
    const uint64_t count = ar.ReadCount(2);
    if (count > static_cast<uint64_t>(kPorts))
        fw::ThrowArchiveException(fw::CArchiveException::genericException, ar.m_strFileName);
    UnitPorts units;
    for (uint64_t p = 0; p < count; ++p) {
        // A port that names a unit read before would own it a second time.
        fw::CObject* object = ar.ReadOwnedObject(FW_RUNTIME_CLASS(CKivUnit));
        units[static_cast<size_t>(p)].reset(static_cast<CKivUnit*>(object));
    }
    m_units = std::move(units);
}
