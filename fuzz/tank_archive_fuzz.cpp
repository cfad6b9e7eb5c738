// The tanks' archive readers: every typed tank and the tank lists.

#include "fuzz/FuzzTarget.h"

KIV_FUZZ_TARGET(tank_archive_fuzz)
{
    kivfuzz::ReadOneOf(data, size,
                       {"CBoolDataTank", "CDateDataTank", "CDblDataTank", "CFltDataTank", "CLongDataTank",
                        "CShortDataTank", "CStringDataTank", "CTimeDataTank", "CUnLongDataTank", "CDataTankList",
                        "CUseTankList", "CDataTankParamAr"});
    return 0;
}
