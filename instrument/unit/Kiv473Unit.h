#pragma once

// KIV-473, the charge amplifier unit. It occupies a port of eight channels
// but only channels 0-3 exist: the others stay off, refuse every setting and
// show nothing. Its inputs are always voltage inputs; the range sets the
// charge sensitivity and with it the scale.

#include "instrument/unit/Kiv4GUnit.h"

class CKiv473Unit : public CKiv4GUnit {
    FW_DECLARE_SERIAL(CKiv473Unit)
public:
    static constexpr int kUsableChannels = 4;
    static constexpr int kDefaultChargeRange = 10000;

    CKiv473Unit();

    void InitChannels() override;
    void SetAllOnOff(int on) override;
    bool IsAttrEditable(int channel, int attribute) const override;
    bool CheckValue(int channel, int attribute, int value) const override;
    double GetValue(int channel, int attribute) const override;
    const char* GetText(int channel, int attribute, fw::CString& text) const override;
    bool SetValue(int channel, int attribute, double value) override;
    double GetScaleFactor(int channel) const override;
    bool IsSensorModeSupported(int mode) const override;

private:
    // Channels 4-7: present in the arrays, absent on the unit.
    bool IsMissing(int channel) const { return channel >= kUsableChannels && channel < m_channelCount; }
};
