#pragma once

// The list of the tanks a document uses (and the base of the GPS and CAN
// lists). Its rows are counted by the tanks' value counts, not by their last
// filled value.

#include "common/tank/DataTankList.h"

class CUseTankList : public CDataTankList {
    FW_DECLARE_SERIAL(CUseTankList)
public:
    CUseTankList();

    // The highest value count - 1 of the tanks first to last (last -1, or
    // beyond the list, means the last tank); -1 when none has values.
    int GetLastFilledIndex(int first, int last) override;
};
