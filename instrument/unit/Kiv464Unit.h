#pragma once

// KIV-464, the telemeter interface unit: a strain unit without a high-pass
// filter and with only filter characteristics 0 and 1.

#include "instrument/unit/Kiv4GUnit.h"

class CKiv464Unit : public CKiv4GUnit {
    FW_DECLARE_SERIAL(CKiv464Unit)
public:
    CKiv464Unit();

    bool IsAttrEditable(int channel, int attribute) const override;
    bool CheckValue(int channel, int attribute, int value) const override;
};
