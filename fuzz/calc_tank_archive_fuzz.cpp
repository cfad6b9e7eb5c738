// The calculated tanks and the calculated-channel lists.

#include "fuzz/FuzzTarget.h"

KIV_FUZZ_TARGET(calc_tank_archive_fuzz)
{
    kivfuzz::ReadOneOf(data, size,
                       {"CCalcuDataTank", "CCashCalcuDataTank", "CDataSPSetTank", "CDataSPTankData", "CKivSPTankData",
                        "CGpsDataTankList", "CCanDataTankList", "CFuncTank", "CNameTank", "CUnitTank", "CFormatTank",
                        "COnOffTank"});
    return 0;
}
