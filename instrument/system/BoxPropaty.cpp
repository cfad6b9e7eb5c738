#include "instrument/system/BoxPropaty.h"

#include "common/base/ArchiveTags.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "instrument/KivUnitTypes.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/DataPropaty.h"
#include "instrument/unit/KivUnit.h"

#include <algorithm>

FW_IMPLEMENT_SERIAL(CBoxPropaty, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kCardMissing = 50;

int SafeUnitChannel(const fw::CArray<tagBOXCH>& map, int boxChannel)
{
    return map.GetAt(boxChannel).ch;
}

} // namespace

CBoxPropaty::CBoxPropaty() = default;

CBoxPropaty::~CBoxPropaty() = default;

CKivMeter& CBoxPropaty::Meter() const
{
    if (!m_meter)
        fw::ThrowInvalidArgException();
    return *m_meter;
}

int CBoxPropaty::GetInputCount() const { return m_meter ? m_meter->GetInputChannels() : 0; }

int CBoxPropaty::GetOutputCount() const { return m_meter ? m_meter->GetOutputChannels() : 0; }

// ------------------------------------------------------------ control unit

void CBoxPropaty::AttachMeter(std::unique_ptr<CKivMeter> meter)
{
    if (!meter)
        fw::ThrowInvalidArgException();
    // The working copy is made first, so that nothing of the box changes
    // when the control unit's class cannot be created.
    std::unique_ptr<CKivMeter> work(dynamic_cast<CKivMeter*>(meter->GetRuntimeClass()->CreateObject()));
    if (!work)
        fw::ThrowInvalidArgException();
    m_meter = std::move(meter);
    m_props.clear();
    const int inputs = GetInputCount();
    for (int i = 0; i < inputs; ++i)
        m_props.push_back(std::make_unique<CDataPropaty>());
    BuildChannelMap();
    m_fullScale.SetSize(kAnalyses);
    m_hysteresis.SetSize(kAnalyses);
    m_crossLevel.SetSize(kAnalyses);
    TakeAnalysisValuesFromMeter();
    m_work = std::move(work);
}

void CBoxPropaty::BuildChannelMap()
{
    const int inputs = GetInputCount();
    m_map.SetSize(inputs + GetOutputCount());
    int nextInput = 0;
    int nextOutput = inputs;
    for (int port = 0; port < kUnitPorts; ++port) {
        const CKivUnit* unit = Meter().GetUnit(port);
        if (!unit || !(unit->HasInputs() || unit->IsOutput()))
            continue;
        int& next = unit->HasInputs() ? nextInput : nextOutput;
        // Measuring entries must not run into the outputs' part of the map.
        const int limit = unit->HasInputs() ? inputs : m_map.GetSize();
        for (int m = 0; m < unit->GetChannelCount(); ++m) {
            if (next >= limit)
                fw::ThrowInvalidArgException();
            m_map.SetAt(next++, tagBOXCH{static_cast<int16_t>(port), static_cast<int16_t>(unit->GetFirstChannel() + m - 1)});
        }
    }
}

int CBoxPropaty::FindBoxChannel(int number) const
{
    const int inputs = std::min(GetInputCount(), m_map.GetSize());
    for (int i = 0; i < inputs; ++i) {
        if (m_map.GetAt(i).ch + 1 == number)
            return i;
    }
    return -1;
}

tagBOXCH CBoxPropaty::GetChannelRef(int boxChannel) const { return m_map.GetAt(boxChannel); }

CDataPropaty* CBoxPropaty::GetDataPropaty(int boxChannel) const
{
    if (boxChannel < 0 || static_cast<size_t>(boxChannel) >= m_props.size())
        fw::ThrowInvalidArgException();
    return m_props[static_cast<size_t>(boxChannel)].get();
}

CDataTankObject* CBoxPropaty::GetChannelTank(int boxChannel) const { return GetDataPropaty(boxChannel)->GetTank(); }

void CBoxPropaty::SetChannelTank(int boxChannel, CDataTankObject* tank) { GetDataPropaty(boxChannel)->SetTank(tank); }

int CBoxPropaty::GetUnitChannelValue(int boxChannel) const
{
    return Meter().GetLastSampleIndex(SafeUnitChannel(m_map, boxChannel));
}

void CBoxPropaty::LatchUnitChannelValues()
{
    CKivMeter& meter = Meter();
    for (int i = 0; i < static_cast<int>(m_props.size()); ++i) {
        const int ch = SafeUnitChannel(m_map, i);
        if (meter.GetValue(ch, kAttrOnOff) == 1.0)
            meter.SetIntB(ch, meter.GetLastSampleIndex(ch));
    }
}

void CBoxPropaty::CopyToWorkMeter()
{
    CKivMeter& meter = Meter();
    if (!m_work)
        fw::ThrowInvalidArgException();
    m_work->SetAddress(meter.GetAddress());
    // Only the pointer: the working copy must not take the LAN slot over.
    m_work->CZELMeter::SetInterface(meter.GetInterface());
    CKivUnitTypes types;
    for (int port = 0; port < kUnitPorts; ++port)
        types.SetAt(port, meter.GetUnitType(port));
    m_work->InstallUnits(types);
    m_work->SetFirmwareVersion(meter.GetFirmwareVersion());
    std::swap(m_meter, m_work);
}

void CBoxPropaty::SwapWorkMeter() { std::swap(m_meter, m_work); }

void CBoxPropaty::ApplyWorkMeter()
{
    static constexpr int kCodes[] = {kAttrCoefficient, kAttrUnitText, kAttrCapacity, kAttrRatedOutput, kAttrDecimals};
    CKivMeter& meter = Meter();
    if (!m_work)
        fw::ThrowInvalidArgException();
    for (int i = 0; i < static_cast<int>(m_props.size()); ++i) {
        const int ch = SafeUnitChannel(m_map, i);
        for (int code : kCodes)
            meter.SetValue(ch, code, m_work->GetValue(ch, code), true);
    }
}

// ---------------------------------------------------------- recorded files

std::vector<CKiv406FileInfo>& CBoxPropaty::FileList(int which)
{
    switch (which) {
    case kWaveList:
        return m_waveFiles;
    case kHistList:
        return m_histFiles;
    case kVoiceList:
        return m_voiceFiles;
    default:
        fw::ThrowInvalidArgException();
    }
}

CKiv406FileInfo& CBoxPropaty::CurrentFile(int which)
{
    switch (which) {
    case kWaveList:
        return m_currentWave;
    case kHistList:
        return m_currentHist;
    case kVoiceList:
        return m_currentVoice;
    default:
        fw::ThrowInvalidArgException();
    }
}

void CBoxPropaty::RefreshFileLists() { Meter().ReadMemoryFileList(m_waveFiles, m_histFiles, m_voiceFiles); }

void CBoxPropaty::ClearFileLists()
{
    m_waveFiles.clear();
    m_histFiles.clear();
    m_voiceFiles.clear();
}

void CBoxPropaty::SelectLastFiles(int flags)
{
    for (int which : {kWaveList, kHistList, kVoiceList}) {
        if (!(flags & which))
            continue;
        const auto& list = FileList(which);
        if (list.empty())
            CurrentFile(which).Reset();
        else
            CurrentFile(which) = list.back();
    }
}

void CBoxPropaty::AdvanceCurrentFiles(int flags)
{
    for (int which : {kWaveList, kHistList, kVoiceList}) {
        if (!(flags & which))
            continue;
        CKiv406FileInfo& current = CurrentFile(which);
        for (const CKiv406FileInfo& entry : FileList(which)) {
            if (current < entry) {
                current = entry;
                break;
            }
        }
    }
}

void CBoxPropaty::DropCurrentFiles(int flags)
{
    for (int which : {kWaveList, kHistList, kVoiceList}) {
        if (!(flags & which))
            continue;
        auto& list = FileList(which);
        CKiv406FileInfo& current = CurrentFile(which);
        for (size_t i = 0; i < list.size();) {
            if (current < list[i]) {
                current = list[i];
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                ++i;
            }
        }
    }
}

// ------------------------------------------------------------------ status

void CBoxPropaty::PollStatus()
{
    CKivMeter& meter = Meter();
    const int before = meter.GetCardStatus();
    meter.QueryStatus();
    const int after = meter.GetCardStatus();
    if (after == before)
        m_statusChange = 0;
    else if (after == kCardMissing)
        m_statusChange = 1;
    else if (before == kCardMissing)
        m_statusChange = 2;
    else
        m_statusChange = 0;
}

// ----------------------------------------------------------------- archive

void CBoxPropaty::SerializeAnalysisArrays(fw::CArchive& ar)
{
    m_fullScale.Serialize(ar);
    m_hysteresis.Serialize(ar);
    m_crossLevel.Serialize(ar);
}

void CBoxPropaty::LoadOldCalibration(fw::CArchive& ar)
{
    fw::CArray<FLG_VALUE> calibration;
    calibration.Serialize(ar);
    const int inputs = GetInputCount();
    for (int i = 0; i < calibration.GetSize(); ++i) {
        // GetAt raises for a value without its output channel.
        const int ch = m_map.GetAt(inputs + i).ch;
        Meter().SetValue(ch, kAttrCalibration, calibration.GetAt(i).value, true);
    }
}

void CBoxPropaty::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_name;
        ar.WriteObject(m_meter.get());
        WriteArchiveTag(ar, kHistTag);
        SerializeAnalysisArrays(ar);
        WriteArchiveTag(ar, kCalTag);
        for (const auto& prop : m_props)
            prop->Serialize(ar);
        return;
    }
    ar >> m_name;
    fw::CObject* object = ar.ReadOwnedObject(FW_RUNTIME_CLASS(CKivMeter));
    if (!object)
        fw::ThrowArchiveException(fw::CArchiveException::badClass);
    AttachMeter(std::unique_ptr<CKivMeter>(static_cast<CKivMeter*>(object)));
    if (PeekArchiveTag(ar, kHistTag))
        SerializeAnalysisArrays(ar);
    if (!PeekArchiveTag(ar, kCalTag))
        LoadOldCalibration(ar);
    for (size_t i = 0; i < m_props.size(); ++i) {
        m_props[i]->Serialize(ar);
        RecalcChannelTank(static_cast<int>(i));
    }
}
