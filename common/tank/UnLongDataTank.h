#pragma once

#include "common/tank/DataTank.h"

// Unsigned 32-bit values; 4294967295 marks an empty value and fills new rows.
class CUnLongDataTank : public CDataTank<uint32_t> {
    FW_DECLARE_SERIAL(CUnLongDataTank)
public:
    CUnLongDataTank();

    bool CheckValue(double x) const override;
};
