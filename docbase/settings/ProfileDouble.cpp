#include "docbase/settings/ProfileDouble.h"

#include "common/base/ValueParse.h"
#include "framework/core/Format.h"
#include "framework/core/Profile.h"

double GetProfileDouble(fw::CProfile& profile, const char* section, const char* key, double def)
{
    const fw::CString text = profile.GetProfileString(section, key, "");
    double value = def;
    if (!TextToDouble(text.c_str(), &value))
        return def;
    return value;
}

bool WriteProfileDouble(fw::CProfile& profile, const char* section, const char* key, double value, int precision)
{
    const fw::CString text = precision == -1 ? fw::Format("%g", value) : fw::Format("%.*g", precision, value);
    return profile.WriteProfileString(section, key, text.c_str());
}
