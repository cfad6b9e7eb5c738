// The frequency counts' archive readers.

#include "fuzz/FuzzTarget.h"

KIV_FUZZ_TARGET(freq_count_archive_fuzz)
{
    kivfuzz::ReadOneOf(data, size, {"CHistCountArray", "CHistCountObj"});
    return 0;
}
