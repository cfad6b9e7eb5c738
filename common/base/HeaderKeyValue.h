#pragma once

// Keyword headers of the control unit (".HED" beside recorded data,
// frequency, GPS and CAN files, and the unit's settings text): "KEY value"
// lines ended by CR LF.

#include "framework/core/CString.h"

// The text after the first occurrence of `key` anywhere in the header (also
// inside a longer key: SERIES is found inside NUM_SERIES when that comes
// first) up to the next CR, trimmed of blanks; without a CR the rest of the
// header; empty when the key does not occur.
void GetHeaderKeyValue(const char* header, const char* key, fw::CString& value);
