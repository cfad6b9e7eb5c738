#pragma once

// KIV-437, the voltage output unit. Each output channel drives a voltage the
// control unit computes from one of its input channels (plus or minus up to
// three more), scaled so that a chosen physical input gives a chosen output
// voltage, filtered and limited to an output voltage mode.

#include "instrument/unit/KivUnit.h"

class CKivVoltOutUnit : public CKivUnit {
    FW_DECLARE_SERIAL(CKivVoltOutUnit)
public:
    enum Attr {
        kNoValue = 1,
        kLowPass = 3,
        kCalibrationOff = 4,
        kCalibrationPlus = 5,
        kCalibrationMinus = 6,
        kSensitivity = 21,  // volts; stored in thousandths
        kOutputMode = 22,
        kSourceChannel = 23,
        kCalibrationValue = 35,
        kCalibrationZero = 36,
        kAddedChannel1 = 44,
        kAddedChannel2 = 45,
        kAddedChannel3 = 46,
        kPhysicalInput = 47,
        kOutputVoltage = 48, // SetValue takes thousandths of a volt, GetValue volts
    };
    static constexpr int kMaxChannelNumber = 80;
    static constexpr int kOutputLimit = 999999;

    CKivVoltOutUnit();

    void InitChannels() override;
    bool CheckValue(int channel, int attribute, int value) const override;
    double GetValue(int channel, int attribute) const override;
    const char* GetText(int channel, int attribute, fw::CString& text) const override;
    bool SetText(int channel, int attribute, const char* text) override;
    bool SetValue(int channel, int attribute, double value) override;
    bool IsOutput() const override { return true; }

    // The largest output value the control unit may be given for a channel of
    // this unit.
    virtual int GetOutputLimit() const { return kOutputLimit; }

    // The output voltage as stored, in thousandths of a volt: what the
    // control unit sends.
    int32_t GetOutputVoltageMilli(int channel) const { return m_outputVoltage.GetAt(channel); }

    void Serialize(fw::CArchive& ar) override;

private:
    bool ParseText(int attribute, const char* text, double& value) const;
    fw::CArray<int16_t>& AddedChannels(int attribute);
    const fw::CArray<int16_t>& AddedChannels(int attribute) const;
    void LoadCalibration(fw::CArchive& ar);
    void LoadAddedInputs(fw::CArchive& ar);

    fw::CArray<int16_t> m_outputMode;
    fw::CArray<int16_t> m_sourceChannel;
    fw::CArray<int16_t> m_lowPass;
    fw::CArray<float> m_calibration;
    fw::CArray<int16_t> m_sensitivity;
    fw::CArray<int16_t> m_added1;
    fw::CArray<int16_t> m_added2;
    fw::CArray<int16_t> m_added3;
    fw::CArray<float> m_physicalInput;
    fw::CArray<int32_t> m_outputVoltage;
};
