#pragma once

// KIV-465, the digital input/output unit. Its eight channels are not alike:
// channels 0-3 are pulse inputs that measure a frequency or a count and have
// a switching threshold; channels 4-6 are count inputs; channel 7 stands for
// the four digital bit inputs, each given one function (marker, trigger,
// external clock, balance, run, halt, pause, calibration).
//
// Attribute 37 addresses the eleven function entries: 0-6 the channels, 7-10
// the bit inputs; attribute 7 reads the same entries for channels 0-7.

#include "instrument/unit/ChannelScaling.h"
#include "instrument/unit/KivUnit.h"

class CKiv465Unit : public CKivUnit {
    FW_DECLARE_SERIAL(CKiv465Unit)
public:
    enum Attr {
        kFunction = 7,
        kTriggerOn = 11,
        kTriggerLevel = 12,
        kTriggerSlope = 13,
        kBalance = 15,
        kRange = 20,
        kCoefficient = 24,
        kEngUnit = 25,
        kCapacity = 31,
        kRatedOutput = 32,
        kDecimals = 33,
        kFunctionEntry = 37,
        kRangeEntry = 38,
        kThresholdMode = 39,
        kUpperThreshold = 40,
        kLowerThreshold = 41,
        kBitFunctions = 42,
        kDmc = 50, // stored 1 = enabled
        kReserved222 = 222,
    };
    // Channel functions; bit-input functions are 0 (none) to 10.
    static constexpr int kFrequency = 100;
    static constexpr int kCountUnsigned = 101;
    static constexpr int kCountSigned = 102;
    static constexpr int kMarker = 1;
    static constexpr int kLastBitFunction = 10;

    static constexpr int kPulseChannels = 4;   // channels 0-3
    static constexpr int kCountChannels = 7;   // channels 0-6 have a range
    static constexpr int kBitChannel = 7;
    static constexpr int kFunctionEntries = 11;
    static constexpr int kThresholdFree = 0;   // thresholds set by hand

    CKiv465Unit();

    void InitChannels() override;
    bool CheckValue(int channel, int attribute, int value) const override;
    bool IsAttrEditable(int channel, int attribute) const override;
    double GetValue(int channel, int attribute) const override;
    const char* GetText(int channel, int attribute, fw::CString& text) const override;
    bool SetText(int channel, int attribute, const char* text) override;
    bool SetValue(int channel, int attribute, double value) override;
    bool HasInputs() const override { return true; }
    bool IsRecordable() const override { return false; }
    double GetScaleFactor(int channel) const override;

    void Serialize(fw::CArchive& ar) override;

private:
    int Function(int index) const { return m_function.GetAt(index); }
    // The range of a channel whose function uses one, else HUGE_VAL.
    double RangeValue(int channel) const;
    bool IsFunctionAllowed(int index, int code) const;
    bool SetFunction(int index, int code);
    bool SetRange(int channel, double value);
    void ApplyThresholdMode(int channel, int mode);
    bool SetThreshold(int channel, int attribute, double value);
    bool SetBitFunctionsText(int channel, const char* text);
    bool ParseText(int channel, int attribute, const char* text, double& value) const;

    fw::CArray<int16_t> m_function;
    fw::CArray<int32_t> m_range;
    fw::CArray<int16_t> m_thresholdMode;
    fw::CArray<int16_t> m_upperThreshold;
    fw::CArray<int16_t> m_lowerThreshold;
    ChannelScaling m_scaling;
    fw::CArray<uint8_t> m_dmc;
};
