#pragma once

// The settings list of a data set's calculated channels: one column tank per
// setting (name, formula text, unit, format, on/off ...), row r describing
// calculated channel 500 + r.

#include "common/tank/DataTankList.h"

class CDataSPSetTank : public CDataTankList {
    FW_DECLARE_SERIAL(CDataSPSetTank)
public:
    CDataSPSetTank();

    // Whether every column of row r is empty (an on/off column counts as
    // empty when it reads "OFF").
    bool IsRowEmpty(int row);
};
