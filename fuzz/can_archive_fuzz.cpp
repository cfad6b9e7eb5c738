// The CAN messages and signals' archive readers.

#include "fuzz/FuzzTarget.h"

KIV_FUZZ_TARGET(can_archive_fuzz)
{
    kivfuzz::ReadOneOf(data, size, {"CCanNodeArray", "CCanSigArray", "C463CanMesNode", "C463CanMesSignal"});
    return 0;
}
