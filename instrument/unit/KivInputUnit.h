#pragma once

// The analogue input units: every setting a measured channel has (sensor
// mode, range, filters, trigger, engineering unit and scaling). The strain
// family and the voltage/thermocouple unit build on it and narrow what each
// attribute accepts.

#include "instrument/unit/ChannelScaling.h"
#include "instrument/unit/KivUnit.h"

class CKivInputUnit : public CKivUnit {
    FW_DECLARE_SERIAL(CKivInputUnit)
public:
    // Attribute codes of an input channel.
    enum Attr {
        kLowPass = 2,
        kSensorMode = 7,
        kTriggerOn = 11,
        kTriggerLevel = 12,
        kTriggerSlope = 13,
        kRange = 20,
        kCoefficient = 24,
        kEngUnit = 25,
        kCapacity = 31,
        kRatedOutput = 32,
        kDecimals = 33,
        kFilterKind = 34,
        kEngUnitAscii = 99,
        kReserved222 = 222,
    };
    static constexpr int kDefaultRange = 20000;

    CKivInputUnit();

    void InitChannels() override;
    bool CheckValue(int channel, int attribute, int value) const override;
    double GetValue(int channel, int attribute) const override;
    const char* GetText(int channel, int attribute, fw::CString& text) const override;
    bool SetText(int channel, int attribute, const char* text) override;
    bool SetValue(int channel, int attribute, double value) override;
    bool HasInputs() const override { return true; }
    bool IsRecordable() const override { return true; }

    // The sensor modes this class accepts for attribute 7. Here: none.
    virtual bool IsSensorModeSupported(int mode) const;

    void Serialize(fw::CArchive& ar) override;

protected:
    explicit CKivInputUnit(int32_t typeCode);

    int SensorMode(int channel) const { return m_sensorMode.GetAt(channel); }
    int Range(int channel) const { return m_range.GetAt(channel); }
    int LowPass(int channel) const { return m_lowPass.GetAt(channel); }
    // The filter-characteristic rule every input unit shares: without a
    // low-pass filter only characteristic 0.
    bool IsFilterKindAllowed(int channel, int kind) const;
    // The value a text stands for under this class's tables; false when the
    // text is not acceptable. Subclasses add their own attributes.
    virtual bool ParseText(int attribute, const char* text, double& value) const;

    fw::CArray<int16_t> m_sensorMode;
    fw::CArray<int16_t> m_range;
    fw::CArray<int16_t> m_lowPass;
    ChannelScaling m_scaling;
    fw::CArray<int16_t> m_filterKind;
};
