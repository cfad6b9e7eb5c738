// The control unit's archive reader, with its units.

#include "fuzz/FuzzTarget.h"

KIV_FUZZ_TARGET(meter_archive_fuzz)
{
    kivfuzz::ReadOneOf(data, size, {"CKivMeter"});
    return 0;
}
