// The cache tanks' archive readers (their values live in files of the
// cache folder).

#include "fuzz/FuzzTarget.h"

KIV_FUZZ_TARGET(cache_tank_archive_fuzz)
{
    kivfuzz::ReadOneOf(data, size,
                       {"CCacheFltDataTank", "CCacheDblDataTank", "CCacheDateDataTank", "CCacheLongDataTank",
                        "CCacheUnLongDataTank", "CCashTimeTank"});
    return 0;
}
