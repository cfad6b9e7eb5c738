// Recorded-file headers of the control unit: the checks, the keys, the
// date and the unit types.

#include "fuzz/FuzzTarget.h"

#include "instrument/meter/HeaderKeys.h"
#include "instrument/KivUnitTypes.h"

#include <string>

KIV_FUZZ_TARGET(header_fuzz)
{
    // The header reaches the readers as a NUL-ended text.
    const std::string header(kivfuzz::AsText(data, size));
    const char* text = header.c_str();
    kivfuzz::RefusedAsDamage([&] {
        IsValidDataHeader(text);
        IsValidFrequencyHeader(text);
        GetHeaderDateTime(text);
        CKivUnitTypes types;
        ParseUnitTypes(HeaderValue(text, "UNIT_TYPE").c_str(), types);
        const fw::CString series = HeaderValue(text, "SERIES");
        const int count = CountHeaderItems(series);
        fw::CString item;
        for (int k = 1; k <= 3; ++k)
            SplitHeaderList(series.c_str(), k, item);
        IsIntList(text, "POINT", count);
        IsFloatList(text, "COEFFICIENT", count);
        IsDoubleList(text, "RATED_OUT", count);
        FindUnitIndex(text);
    });
    return 0;
}
