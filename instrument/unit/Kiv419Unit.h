#pragma once

// KIV-419, the carrier-wave strain unit: bridge modes only, one range, its
// own filter characteristics and a low-pass filter of at least 5 Hz.

#include "instrument/unit/Kiv4GUnit.h"

class CKiv419Unit : public CKiv4GUnit {
    FW_DECLARE_SERIAL(CKiv419Unit)
public:
    static constexpr int kDefaultFilterKind = 3;

    CKiv419Unit();

    void InitChannels() override;
    bool CheckValue(int channel, int attribute, int value) const override;
    bool SetValue(int channel, int attribute, double value) override;
    bool IsSensorModeSupported(int mode) const override;
};
