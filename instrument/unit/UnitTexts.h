#pragma once

// The fixed texts that the unit classes show for their settings, and the small
// lookups over them. The texts are UTF-8 here; they become CP932 only where a
// file or the instrument link takes them, so every one of them must survive
// that conversion unchanged (hence U+3000 in the thermocouple names, U+00B1
// in the output modes).

#include "framework/core/CString.h"

#include <cstdint>

namespace unittext {

// Attribute 0.
inline constexpr const char* kOnOff[] = {"SET", "OFF"};

// Attribute 7: sensor modes and the codes the control unit knows them by.
inline constexpr int kSensorModeCount = 6;
extern const char* const kSensorModeTexts[kSensorModeCount];
extern const int kSensorModeCodes[kSensorModeCount];

// Attribute 13, by slope 0 (relative), 1 (upper), 2 (lower).
inline constexpr int kSlopeCount = 3;
extern const char* const kSlopeTexts[kSlopeCount];

// Attribute 22 of the voltage output unit.
inline constexpr int kOutputModeCount = 3;
extern const char* const kOutputModeTexts[kOutputModeCount];
extern const int kOutputModeCodes[kOutputModeCount];

// Low-pass frequencies in Hz; the tenth entry, "PASS", is no frequency.
inline constexpr int kFilterCount = 10;
inline constexpr int kFilterFrequencyCount = 9;
extern const char* const kFilterTexts[kFilterCount];

// Attribute 29, by value.
inline constexpr int kRjcCount = 2;
extern const char* const kRjcTexts[kRjcCount];

// Attribute 49, by entry: none, 0.2 Hz, 1.0 Hz.
inline constexpr int kHighPassCount = 3;
extern const char* const kHighPassTexts[kHighPassCount];

// Measuring ranges, followed by the trigger switch texts "OFF" and "ON";
// range lookups stop after the ranges.
inline constexpr int kRangeCount = 8;
inline constexpr int kTriggerOffIndex = 8;
inline constexpr int kTriggerOnIndex = 9;
extern const char* const kRangeTexts[kRangeCount + 2];

// Attribute 50 of the digital input/output unit and of the strain units.
inline constexpr const char* kDmcEnabled = "有効";
inline constexpr const char* kDmcDisabled = "無効";

} // namespace unittext

// The index of the entry equal to `text` (byte comparison) among the first
// `n` entries, searching from the last one, so the highest index wins; -1
// when absent or when `text` is null.
int FindTextInTable(const char* const* table, int n, const char* text);

// Unit models: the code of a model text ("KIV-417" gives 1), -1 for any other
// text; the model text of a code, nullptr for a code without a model.
int GetUnitTypeCode(const char* name);
const char* GetUnitTypeName(int code);
// The ten {model text, code} rows, port selection lists show them in order.
inline constexpr int kUnitModelCount = 10;
const char* GetUnitModelText(int row);
int GetUnitModelCode(int row);

// Empty for a code that is no sensor mode.
const char* GetSensorModeText(int code);
// 0 gives the relative, 'U' the upper and 'L' the lower slope text; any
// other kind an empty text.
const char* GetLimitKindText(int kind);
// The frequency text equal to "%d" of the value among the nine frequencies;
// empty when the value is none of them.
const char* GetFilterText(int value);
// Entries of the reference-junction and high-pass tables; empty outside them.
const char* GetRjcText(int index);
const char* GetHighPassText(int index);

// x is a finite number and low <= x <= high.
bool IsFiniteInRange(double x, double low, double high);

// The part after the last backslash, or the whole text when there is none.
fw::CString GetFileNameFromPath(const char* path);
