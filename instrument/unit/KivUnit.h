#pragma once

// One unit in a port of a control unit: the settings of its eight channels,
// addressed by attribute code. Every unit family derives from CKivUnit; the
// control unit maps its channel c to the unit in port c / 8 and that unit's
// channel c % 8.
//
// Common contract of every unit class:
// - a channel index outside a settings array raises fw::CInvalidArgException;
// - CheckValue with kStoredValue judges the value stored now, any other value
//   as a candidate;
// - SetValue refuses with false and then changes nothing; SetText refuses a
//   text that is not in the attribute's table or not a number, and otherwise
//   answers what SetValue answers;
// - a value the unit's storage cannot hold (beyond its 16 or 32 bits, or not
//   finite) is refused rather than wrapped;
// - HUGE_VAL marks a number that has no value, and shows as an empty text.

#include "framework/core/Collections.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cstdint>

class CKivUnit : public fw::CObject {
    FW_DECLARE_SERIAL(CKivUnit)
public:
    // CheckValue's stand-in for "the value stored now".
    static constexpr int kStoredValue = 0x8000;
    static constexpr int kChannelCount = 8;

    // Attribute codes the base answers itself.
    static constexpr int kAttrOnOff = 0;
    static constexpr int kAttrTypeCode = -2;
    static constexpr int kAttrBitsPerSample = 200;
    static constexpr int kAttrReserved201 = 201;

    // The form an archive creates: the type code stays 0 (unset).
    CKivUnit();

    // Sizes every per-channel array to the channel count and fills it with
    // the class's defaults. Base: every channel off.
    virtual void InitChannels();
    virtual void SetAllOnOff(int on);
    // Base: true for attribute 0 only.
    virtual bool CheckValue(int channel, int attribute, int value) const;
    // Whether the attribute applies to the channel at all. Base: true.
    virtual bool IsAttrEditable(int channel, int attribute) const;
    virtual double GetValue(int channel, int attribute) const;
    // Writes the display text into `text` and returns its buffer.
    virtual const char* GetText(int channel, int attribute, fw::CString& text) const;
    virtual bool SetText(int channel, int attribute, const char* text);
    virtual bool SetValue(int channel, int attribute, double value);
    virtual bool HasInputs() const { return false; }
    virtual bool IsOutput() const { return false; }
    virtual bool IsRecordable() const { return HasInputs(); }
    // Engineering value of one raw count of the channel.
    virtual double GetScaleFactor(int channel) const;
    virtual int GetRawMin() const { return -32767; }
    virtual int GetRawMax() const { return 32767; }

    // First channel number, then the on/off flags as a byte array.
    void Serialize(fw::CArchive& ar) override;

    int GetTypeCode() const { return m_typeCode; }
    // 1-based control-unit channel number of this unit's channel 0.
    int16_t GetFirstChannel() const { return m_firstChannel; }
    void SetFirstChannel(int16_t first) { m_firstChannel = first; }
    int16_t GetChannelCount() const { return m_channelCount; }
    bool IsChannelOn(int channel) const { return m_onOff.GetAt(channel) != 0; }

    // The unit's own firmware word (four characters packed, first character
    // most significant), as the control unit last read it; 0 when unknown.
    // Not part of the archive form.
    uint32_t GetFirmwareVersion() const { return m_firmwareVersion; }
    void SetFirmwareVersion(uint32_t version) { m_firmwareVersion = version; }

protected:
    explicit CKivUnit(int32_t typeCode);

    // Attribute 0 as text: "SET" (on) or "OFF"; false for any other text.
    static bool ParseOnOffText(const char* text, int& on);

    int32_t m_typeCode = 0;
    int16_t m_firstChannel = 1;
    int16_t m_channelCount = kChannelCount;
    fw::CArray<uint8_t> m_onOff;
    uint32_t m_firmwareVersion = 0;
};
