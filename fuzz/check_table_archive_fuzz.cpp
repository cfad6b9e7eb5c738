// The unit check table and the data-set box arrays.

#include "fuzz/FuzzTarget.h"

KIV_FUZZ_TARGET(check_table_archive_fuzz)
{
    kivfuzz::ReadOneOf(data, size,
                       {"CCheckData", "CCheckDataBoxPropaty", "CDataBoxArray", "CDataBoxPropaty"});
    return 0;
}
