// The units' archive readers.

#include "fuzz/FuzzTarget.h"

KIV_FUZZ_TARGET(unit_archive_fuzz)
{
    kivfuzz::ReadOneOf(data, size,
                       {"CKivUnit", "CKivInputUnit", "CKiv4GUnit", "CKiv123GUnit", "CKiv419Unit", "CKiv464Unit",
                        "CKiv465Unit", "CKiv473Unit", "CKivVoltInUnit", "CKivVoltOutUnit", "CKiv463Unit"});
    return 0;
}
