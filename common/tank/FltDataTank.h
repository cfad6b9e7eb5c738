#pragma once

#include "common/tank/DataTank.h"

// Float values; HUGE_VAL marks an empty value and fills new rows.
class CFltDataTank : public CDataTank<float> {
    FW_DECLARE_SERIAL(CFltDataTank)
public:
    CFltDataTank();

    // 0, +-HUGE_VAL, or a magnitude within the normal float range.
    bool CheckValue(double x) const override;
};
