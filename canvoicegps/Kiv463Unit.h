#pragma once

// KIV-463, the CAN/voice/GPS unit (type code 8). It has no analogue
// inputs: it records CAN frames, voice and GPS positions into its own
// memory and feeds up to eight values into the control unit's recording as
// ordinary channels. Each of these input-CH data slots takes its value from
// a GPS item (slot codes 1..15) or a signal of a receive message (the
// signal's code, 100 and above); 0 means no source.
//
// Sources: Kiv463Unit.cpp (life cycle, slots, archive form),
// Kiv463Attributes.cpp (channel attributes), Kiv463SettingsText.cpp (the
// settings text exchanged with the control unit).

#include "canvoicegps/Kiv463Parts.h"
#include "framework/core/Collections.h"
#include "instrument/unit/KivUnit.h"

#include <array>
#include <cstdint>
#include <string_view>

class CKiv463Unit : public CKivUnit {
    FW_DECLARE_SERIAL(CKiv463Unit)
public:
    static constexpr int kTypeCode = 8;
    static constexpr int kSlots = 8;
    // A control unit takes at most this many of them.
    static constexpr int kMaxPerControlUnit = 2;
    // Trigger level meaning "not set": the raw maximum + 1.
    static constexpr int32_t kLevelNotSet = 32768;
    // Slot codes from here on name CAN signals.
    static constexpr int kFirstSignalCode = 100;

    enum Attr {
        kAttrTriggerOn = 11,
        kAttrTriggerLevel = 12,
        kAttrTriggerCondition = 13,
        kAttrBalance = 15,
        kAttrCoefficient = 24,
        kAttrEngUnit = 25,
        kAttrDecimals = 33,
        kAttrSlotCode = 201,
        kAttrMemoryCheck = 202,
        kAttrOffsetCounts = 222,
    };

    CKiv463Unit();
    ~CKiv463Unit() override;
    CKiv463Unit(const CKiv463Unit&) = delete;
    CKiv463Unit& operator=(const CKiv463Unit&) = delete;

    void Serialize(fw::CArchive& ar) override;

    // ---- the unit interface
    void InitChannels() override;
    bool CheckValue(int channel, int attribute, int value) const override;
    bool IsAttrEditable(int channel, int attribute) const override;
    double GetValue(int channel, int attribute) const override;
    const char* GetText(int channel, int attribute, fw::CString& text) const override;
    bool SetText(int channel, int attribute, const char* text) override;
    bool SetValue(int channel, int attribute, double value) override;
    bool HasInputs() const override { return true; }
    bool IsOutput() const override { return false; }
    bool IsRecordable() const override { return false; }

    // ---- its own
    // All channels off, all slot codes 0 (the bits stay), the three parts at
    // their defaults and no messages.
    virtual void SetDefaults();
    // The settings text, one line per element.
    virtual void WriteSettingsText(fw::CStringArray& lines) const;
    // Replaces the settings by those of a settings text. A damaged text
    // raises CZelException and leaves every setting as it was.
    virtual void ReadSettingsText(std::string_view text);

    // Copies all settings of another unit (not the type code, channel
    // numbers, nor the units, coefficients and decimals of empty slots).
    CKiv463Unit& Copy(const CKiv463Unit& other);

    // ---- data slots (index 0..7; others raise the invalid-argument exception)
    // Assigns a source to a slot. False when the source cannot be taken: a
    // two-slot GPS item in the last slot (the slot is then left empty).
    bool SetSlotCode(int16_t code, int16_t slot);
    int16_t GetSlotCode(int slot) const;
    // The GPS item of each slot, replaced by the code of the receive signal
    // that names the slot.
    void GetSlotCodes(int16_t codes[kSlots]) const;
    bool AreSlotCodesValid() const;
    void ClearInvalidSlotCodes();
    // Rebuilds the slots from the GPS monitor items and the receive
    // signals' slot numbers.
    void RestoreSlotCodes();

    // Attribute 202: the three memory sizes fit the unit's memory.
    bool IsMemorySplitValid() const;
    bool HasStorage() const;

    C463Voice& Voice() { return m_voice; }
    const C463Voice& Voice() const { return m_voice; }
    C463Gps& Gps() { return m_gps; }
    const C463Gps& Gps() const { return m_gps; }
    C463Can& Can() { return m_can; }
    const C463Can& Can() const { return m_can; }
    CCanNodeArray& Messages() { return m_can.messages; }
    const CCanNodeArray& Messages() const { return m_can.messages; }

private:
    void CheckChannel(int channel) const;
    void ClearSlot(int slot);
    // The signal feeding a slot; nullptr when the slot has no CAN source or
    // the signal is gone.
    const C463CanMesSignal* SlotSignal(int slot) const;
    bool SetTriggerValue(int channel, int attribute, double value);
    bool SetFreeChannelValue(int channel, int attribute, double value);
    const char* EngUnitText(int channel, fw::CString& text) const;

    C463Voice m_voice;
    C463Gps m_gps;
    C463Can m_can;
    fw::CArray<uint8_t> m_triggerOn;
    fw::CArray<int32_t> m_triggerLevel;
    fw::CArray<char> m_triggerCondition;
    // Only for a channel without source; kept in memory only.
    std::array<int16_t, kSlots> m_unitIndex{};
    std::array<float, kSlots> m_coefficient{};
    std::array<int16_t, kSlots> m_decimals{};
    std::array<int16_t, kSlots> m_slotCode{};
    std::array<int16_t, kSlots> m_bitsPerSample{};
};

// Makes the unit's classes known by name and lets control units create the
// unit for type code 8; called at start-up and by test mains.
void RegisterCanVoiceGpsClasses();
