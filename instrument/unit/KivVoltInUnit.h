#pragma once

// KIV-427, the voltage/thermocouple input unit. Each channel measures a
// voltage or a K, J or T thermocouple; the mode decides which ranges,
// filters, units, decimal places and reference-junction settings apply.
// Changing the mode rewrites no other setting: the checks report the ones
// that no longer fit.

#include "instrument/unit/KivInputUnit.h"

class CKivVoltInUnit : public CKivInputUnit {
    FW_DECLARE_SERIAL(CKivVoltInUnit)
public:
    enum AttrVoltIn { kReferenceJunction = 29 };
    static constexpr int kModeVoltage = 33;
    static constexpr int kModeThermoK = 21;
    static constexpr int kModeThermoJ = 22;
    static constexpr int kModeThermoT = 20;

    CKivVoltInUnit();

    void InitChannels() override;
    bool CheckValue(int channel, int attribute, int value) const override;
    double GetValue(int channel, int attribute) const override;
    const char* GetText(int channel, int attribute, fw::CString& text) const override;
    bool SetValue(int channel, int attribute, double value) override;
    // Thermocouples in tenths of a degree; voltages by range.
    double GetScaleFactor(int channel) const override;
    bool IsSensorModeSupported(int mode) const override;

    void Serialize(fw::CArchive& ar) override;

protected:
    bool ParseText(int attribute, const char* text, double& value) const override;

private:
    bool IsThermocouple(int channel) const;
    bool IsVoltageRange(int range) const;

    fw::CArray<int16_t> m_referenceJunction;
};
