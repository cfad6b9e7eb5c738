#pragma once

// The prompts of a refused value entry: string `messageId` (61714 for
// integers, 61715 for reals) with the two bounds as %1 and %2, shown with
// the exclamation icon.

#include <cstdint>

// `pattern` prints one bound ("%ld", "%lu"); each bound text keeps at most 31 characters.
void ShowIntRangeMessage(int32_t low, int32_t high, const char* pattern, unsigned messageId);
// The bounds printed as "%.*g" with `precision`.
void ShowRealRangeMessage(double low, double high, int precision, unsigned messageId);
