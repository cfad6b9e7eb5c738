#pragma once

#include "common/tank/DataTank.h"

// Signed 16-bit values; -32768 marks an empty value and fills new rows.
class CShortDataTank : public CDataTank<int16_t> {
    FW_DECLARE_SERIAL(CShortDataTank)
public:
    CShortDataTank();

    bool CheckValue(double x) const override;
};
