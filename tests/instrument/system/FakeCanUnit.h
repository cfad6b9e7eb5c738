#pragma once

// A stand-in for the CAN/voice/GPS unit, which lives in a layer this test
// program does not link: the measuring system knows that unit only by its
// registered class name, so a class of that name is all it needs. Its
// channels record 32-bit samples and keep one copyable setting.

#include "framework/core/Object.h"
#include "instrument/unit/KivUnit.h"
#include "instrument/unit/UnitFactory.h"

#include <array>
#include <cmath>

namespace systest {

class CKiv463Unit : public CKivUnit {
    FW_DECLARE_SERIAL(CKiv463Unit)
public:
    static constexpr int kAttrSetting = 210;
    static constexpr int kAttrOffset = 222;

    CKiv463Unit() : CKivUnit(8) {}

    bool HasInputs() const override { return true; }
    double GetValue(int channel, int attribute) const override
    {
        switch (attribute) {
        case kAttrBitsPerSample:
            return 32.0;
        case kAttrSetting:
            return m_setting;
        case kAttrOffset:
            return 0.0;
        case 24:
            return 1.0;
        case 33:
            return 3.0;
        default:
            return CKivUnit::GetValue(channel, attribute);
        }
    }
    // Takes every setting it is given; only the on/off flags and the one
    // setting are kept.
    bool SetValue(int channel, int attribute, double value) override
    {
        if (attribute == kAttrSetting)
            m_setting = value;
        if (attribute == kAttrOnOff)
            return CKivUnit::SetValue(channel, attribute, value);
        return true;
    }
    bool SetText(int channel, int attribute, const char* text) override
    {
        return attribute == kAttrOnOff ? CKivUnit::SetText(channel, attribute, text) : true;
    }

    double m_setting = 0.0;
};

inline CKivUnit* CreateFakeCanUnit() { return new CKiv463Unit; }

// Registers the stand-in for type code 8 while it lives.
class FakeCanUnitScope {
public:
    FakeCanUnitScope()
    {
        fw::RegisterClass(FW_RUNTIME_CLASS(CKiv463Unit));
        RegisterUnitCreator(8, &CreateFakeCanUnit);
    }
    ~FakeCanUnitScope() { RegisterUnitCreator(8, nullptr); }
    FakeCanUnitScope(const FakeCanUnitScope&) = delete;
    FakeCanUnitScope& operator=(const FakeCanUnitScope&) = delete;
};

} // namespace systest
