#pragma once

// Real numbers in the profile, which stores only texts: "%g", or "%.*g"
// with a given precision, in the C locale; read back with the program's
// strict text-to-number conversion.

#include "framework/core/CString.h"

namespace fw {
class CProfile;
}

// The stored text as a number; `def` when the key is missing or its text is
// not a number.
double GetProfileDouble(fw::CProfile& profile, const char* section, const char* key, double def);
// precision -1: "%g". The profile's write result.
bool WriteProfileDouble(fw::CProfile& profile, const char* section, const char* key, double value,
                        int precision = -1);
