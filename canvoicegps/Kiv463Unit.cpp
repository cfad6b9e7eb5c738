#include "canvoicegps/Kiv463Unit.h"

#include "canvoicegps/GpsItems.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "instrument/unit/EngUnitTable.h"
#include "instrument/unit/UnitValues.h"

FW_IMPLEMENT_SERIAL(CKiv463Unit, CKivUnit, fw::VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int16_t kSlotBits = 16;
constexpr int16_t kTwoSlotBits = 32;
constexpr char kRelative = 0;

} // namespace

CKiv463Unit::CKiv463Unit() : CKivUnit(kTypeCode)
{
    m_unitIndex.fill(static_cast<int16_t>(engunit::kNone));
    m_coefficient.fill(1.0f);
    m_decimals.fill(0);
    // A unit created by name for an archive gets its arrays from there; one
    // used before InitChannels must still answer for its eight channels.
    InitChannels();
}

CKiv463Unit::~CKiv463Unit() = default;

void CKiv463Unit::CheckChannel(int channel) const
{
    if (channel < 0 || channel >= kSlots)
        fw::ThrowInvalidArgException();
}

void CKiv463Unit::InitChannels()
{
    m_onOff.SetSize(kSlots);
    SetAllOnOff(0);
    m_slotCode.fill(0);
    unitvalue::Fill<uint8_t>(m_triggerOn, kSlots, 0);
    unitvalue::Fill<int32_t>(m_triggerLevel, kSlots, kLevelNotSet);
    unitvalue::Fill<char>(m_triggerCondition, kSlots, kRelative);
    m_bitsPerSample.fill(kSlotBits);
}

void CKiv463Unit::SetDefaults()
{
    SetAllOnOff(0);
    m_slotCode.fill(0);
    m_voice.SetDefaults();
    m_gps.SetDefaults();
    m_can.SetDefaults();
}

CKiv463Unit& CKiv463Unit::Copy(const CKiv463Unit& other)
{
    if (this == &other)
        return *this;
    m_voice = other.m_voice;
    m_gps = other.m_gps;
    m_can = other.m_can;
    m_onOff.Copy(other.m_onOff);
    m_triggerOn.Copy(other.m_triggerOn);
    m_triggerLevel.Copy(other.m_triggerLevel);
    m_triggerCondition.Copy(other.m_triggerCondition);
    m_slotCode = other.m_slotCode;
    m_bitsPerSample = other.m_bitsPerSample;
    return *this;
}

bool CKiv463Unit::IsMemorySplitValid() const
{
    const uint64_t total = uint64_t{m_voice.memoryBytes} + m_gps.memoryBytes + m_can.memoryBytes;
    return total <= kUnitMemoryBytes;
}

bool CKiv463Unit::HasStorage() const
{
    return m_voice.memoryBytes != 0 || m_gps.memoryBytes != 0 || m_can.memoryBytes != 0;
}

// ------------------------------------------------------------------ slots

void CKiv463Unit::ClearSlot(int slot)
{
    m_slotCode[static_cast<size_t>(slot)] = 0;
    m_onOff.SetAt(slot, 0);
    m_bitsPerSample[static_cast<size_t>(slot)] = 0;
    m_gps.monitorItems[static_cast<size_t>(slot)] = 0;
    // Every receive signal that names the slot lets go of it, so that at
    // most one signal feeds a slot.
    while (C463CanMesSignal* signal = m_can.messages.FindSignalBySlot(slot + 1, CCanNodeArray::kReceive))
        signal->SetSource(0);
}

bool CKiv463Unit::SetSlotCode(int16_t code, int16_t slot)
{
    CheckChannel(slot);
    const auto s = static_cast<size_t>(slot);
    ClearSlot(slot);
    auto resetFreeChannel = [this](size_t i) {
        m_unitIndex[i] = static_cast<int16_t>(engunit::kNone);
        m_coefficient[i] = 1.0f;
        m_decimals[i] = 0;
    };
    if (gpsitem::IsItem(code)) {
        const bool twoSlots = gpsitem::TakesTwoSlots(code);
        // A 32-bit item needs the slot after it; the last slot has none.
        if (twoSlots && slot + 1 >= kSlots) {
            resetFreeChannel(s);
            return false;
        }
        m_slotCode[s] = code;
        m_onOff.SetAt(slot, 1);
        m_gps.monitorItems[s] = code;
        m_bitsPerSample[s] = twoSlots ? kTwoSlotBits : kSlotBits;
        if (twoSlots) {
            ClearSlot(slot + 1);
            resetFreeChannel(s + 1);
        }
        return true;
    }
    C463CanMesSignal* signal = code >= kFirstSignalCode ? m_can.messages.FindSignal(code) : nullptr;
    // Only what the unit receives can feed a slot: a send signal's source is
    // a control-unit channel.
    if (signal && !signal->IsSend()) {
        const int previous = signal->GetSource();
        if (previous >= 1 && previous <= kSlots && previous != slot + 1)
            ClearSlot(previous - 1);
        signal->SetSource(static_cast<int16_t>(slot + 1));
        m_slotCode[s] = code;
        m_onOff.SetAt(slot, 1);
        m_bitsPerSample[s] = kSlotBits;
        return true;
    }
    resetFreeChannel(s);
    return code == 0;
}

int16_t CKiv463Unit::GetSlotCode(int slot) const
{
    CheckChannel(slot);
    return m_slotCode[static_cast<size_t>(slot)];
}

void CKiv463Unit::GetSlotCodes(int16_t codes[kSlots]) const
{
    for (int i = 0; i < kSlots; ++i) {
        codes[i] = m_gps.monitorItems[static_cast<size_t>(i)];
        if (const C463CanMesSignal* signal = m_can.messages.FindSignalBySlot(i + 1, CCanNodeArray::kReceive))
            codes[i] = static_cast<int16_t>(signal->GetCode());
    }
}

bool CKiv463Unit::AreSlotCodesValid() const
{
    bool result = true;
    for (int16_t code : m_slotCode) {
        if (m_gps.receiver == 0 && gpsitem::IsItem(code))
            result = false;
        const bool namesSignal = code != 0 && m_can.messages.FindSignal(code) != nullptr;
        if (m_gps.speedCorrection) {
            if (code > gpsitem::kLast && namesSignal)
                return false;
        } else {
            if (gpsitem::IsCorrected(code))
                return false;
            if (code != 0 && !(code > gpsitem::kLastCorrected && code <= gpsitem::kLast) && !namesSignal)
                return false;
        }
    }
    return result;
}

void CKiv463Unit::ClearInvalidSlotCodes()
{
    for (int16_t slot = 0; slot < kSlots; ++slot) {
        const int16_t code = m_slotCode[static_cast<size_t>(slot)];
        const bool namesSignal = code != 0 && m_can.messages.FindSignal(code) != nullptr;
        bool invalid = m_gps.receiver == 0 && gpsitem::IsItem(code);
        if (m_gps.speedCorrection)
            invalid = invalid || (code > gpsitem::kLast && namesSignal);
        else
            invalid = invalid || gpsitem::IsCorrected(code) ||
                      (code != 0 && !(code > gpsitem::kLastCorrected && code <= gpsitem::kLast) && !namesSignal);
        if (invalid)
            SetSlotCode(0, slot);
    }
}

void CKiv463Unit::RestoreSlotCodes()
{
    for (int16_t slot = 0; slot < kSlots; ++slot) {
        const int16_t item = m_gps.monitorItems[static_cast<size_t>(slot)];
        if (gpsitem::IsItem(item)) {
            SetSlotCode(item, slot);
        } else if (const C463CanMesSignal* signal =
                       m_can.messages.FindSignalBySlot(slot + 1, CCanNodeArray::kReceive)) {
            SetSlotCode(static_cast<int16_t>(signal->GetCode()), slot);
        } else {
            SetSlotCode(0, slot);
        }
    }
}

const C463CanMesSignal* CKiv463Unit::SlotSignal(int slot) const
{
    const int16_t code = m_slotCode[static_cast<size_t>(slot)];
    return code >= kFirstSignalCode ? m_can.messages.FindSignal(code) : nullptr;
}

// ------------------------------------------------------------ archive form

void CKiv463Unit::Serialize(fw::CArchive& ar)
{
    CKivUnit::Serialize(ar);
    m_voice.Serialize(ar);
    m_gps.Serialize(ar);
    m_can.Serialize(ar);
    m_triggerOn.Serialize(ar);
    m_triggerLevel.Serialize(ar);
    m_triggerCondition.Serialize(ar);
    if (ar.IsStoring())
        return;
    // Every per-channel array answers for the eight channels; any other
    // size is a damaged file, not a unit with fewer channels.
    if (m_onOff.GetSize() != kSlots || m_triggerOn.GetSize() != kSlots || m_triggerLevel.GetSize() != kSlots ||
        m_triggerCondition.GetSize() != kSlots)
        fw::ThrowArchiveException(fw::CArchiveException::genericException, ar.m_strFileName);
    RestoreSlotCodes();
}
