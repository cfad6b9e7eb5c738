#pragma once

// The strain input units: KIV-417 (4-gauge) and KIV-418 (1/2/4-gauge), which
// behave alike, and the base of the telemeter, charge and carrier-wave units.
// Beyond an input unit they have a high-pass filter and a DMC switch.

#include "instrument/unit/KivInputUnit.h"

class CKiv4GUnit : public CKivInputUnit {
    FW_DECLARE_SERIAL(CKiv4GUnit)
public:
    enum Attr4G {
        kHighPass = 49, // in 1/100 Hz: 0 (none), 20 or 100
        kDmc = 50,      // stored 0 = enabled, 1 = disabled
    };
    static constexpr int kModeBridgeHalfVolt = 146; // "4G 0.5V"
    static constexpr int kModeBridgeTwoVolt = 16;   // "4G 2.0V"
    static constexpr int kModeVoltage = 33;

    CKiv4GUnit();

    void InitChannels() override;
    bool CheckValue(int channel, int attribute, int value) const override;
    double GetValue(int channel, int attribute) const override;
    const char* GetText(int channel, int attribute, fw::CString& text) const override;
    bool SetValue(int channel, int attribute, double value) override;
    // A bridge excited at 0.5 V counts four times as much per raw step.
    double GetScaleFactor(int channel) const override;
    bool IsSensorModeSupported(int mode) const override;

    void Serialize(fw::CArchive& ar) override;

protected:
    explicit CKiv4GUnit(int32_t typeCode);
    bool ParseText(int attribute, const char* text, double& value) const override;

    fw::CArray<int16_t> m_highPass;
    fw::CArray<uint8_t> m_dmc;
};

class CKiv123GUnit : public CKiv4GUnit {
    FW_DECLARE_SERIAL(CKiv123GUnit)
public:
    CKiv123GUnit();
};
