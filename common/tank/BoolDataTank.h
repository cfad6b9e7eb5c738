#pragma once

#include "common/tank/DataTank.h"

// On/off values (32-bit 0 or 1). Off is the empty marker, so it shows as the
// empty text; new rows are on. It hands out no value accessor.
class CBoolDataTank : public CDataTank<int32_t> {
    FW_DECLARE_SERIAL(CBoolDataTank)
public:
    CBoolDataTank();

    bool CheckValue(double x) const override;
    CZELDataPoter* CreatePoter(int start, int count) override;
};
