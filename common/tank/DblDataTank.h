#pragma once

#include "common/tank/DataTank.h"

// Double values; HUGE_VAL marks an empty value and fills new rows.
class CDblDataTank : public CDataTank<double> {
    FW_DECLARE_SERIAL(CDblDataTank)
public:
    CDblDataTank();

    // 0, HUGE_VAL, or a magnitude within the normal double range.
    bool CheckValue(double x) const override;
};
