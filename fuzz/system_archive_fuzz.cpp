// The measuring system's archive reader: its profile records, boxes,
// control units and channel settings.

#include "fuzz/FuzzTarget.h"

KIV_FUZZ_TARGET(system_archive_fuzz)
{
    kivfuzz::ReadOneOf(data, size, {"CBoxArray", "CBoxPropaty"});
    return 0;
}
