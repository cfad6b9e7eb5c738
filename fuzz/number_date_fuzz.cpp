// The number and date parsers that take text from files, the unit and the
// user.

#include "fuzz/FuzzTarget.h"

#include "common/base/ValueParse.h"
#include "framework/core/Numbers.h"

#include <string>

KIV_FUZZ_TARGET(number_date_fuzz)
{
    if (size == 0)
        return 0;
    const std::string text(kivfuzz::AsText(data + 1, size - 1));
    const char* p = text.c_str();
    const char* end = nullptr;
    fw::StrToD(p, &end);
    fw::Atof(p);
    fw::StrToL32(p, &end, data[0] % 37);
    fw::StrToUL32(p, &end, data[0] % 37);
    double d = 0;
    float f = 0;
    int32_t i = 0;
    int16_t s = 0;
    uint32_t u = 0;
    TextToDouble(p, &d);
    TextToFloat(p, &f);
    TextToInt(p, &i);
    TextToShort(p, &s, data[0] % 17);
    TextToULong(p, &u, data[0] % 17);
    ParseDateYearFirst(p, &d);
    ParseDateMonthFirst(p, &d);
    TextToDateValue(p, static_cast<int16_t>(100 + data[0] % 16), &d);
    return 0;
}
