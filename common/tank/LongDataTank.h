#pragma once

#include "common/tank/DataTank.h"

// Signed 32-bit values; -2147483648 marks an empty value and fills new rows.
class CLongDataTank : public CDataTank<int32_t> {
    FW_DECLARE_SERIAL(CLongDataTank)
public:
    CLongDataTank();

    bool CheckValue(double x) const override;
};
