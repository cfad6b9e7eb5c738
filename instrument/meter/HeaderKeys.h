#pragma once

// Keyword headers (".HED") that a control unit writes beside each recorded
// data or frequency file: one "KEY value" per line, CR LF line ends, lists
// of per-channel items separated by commas.

#include "common/base/HeaderKeyValue.h"
#include "framework/core/CString.h"
#include "framework/core/DateTime.h"

class CKivUnitTypes;

// GetHeaderKeyValue as a value.
fw::CString HeaderValue(const char* header, const char* key);

// Item k (1-based) of a comma-separated list; empty when there are fewer.
void SplitHeaderList(const char* list, int k, fw::CString& item);

// Each of the first `count` items of the key's list that is not empty is an
// integer, a float or a double.
bool IsIntList(const char* header, const char* key, int count);
bool IsFloatList(const char* header, const char* key, int count);
bool IsDoubleList(const char* header, const char* key, int count);

bool IsValidDataHeader(const char* header);
bool IsValidFrequencyHeader(const char* header);

// DATE "MM/DD/YYYY" and TIME "hh:mm:ss" of the header; invalid when they
// do not form a date.
fw::COleDateTime GetHeaderDateTime(const char* header);

// UNIT_TYPE: ten 7-character model names at a pitch of 8; a field that is
// missing or not a model name gives an empty port.
void ParseUnitTypes(const char* text, CKivUnitTypes& types);

// The index among the 41 engineering-unit texts (searched from the last,
// case-sensitive); -1 when absent.
int FindUnitIndex(const char* text);

// Number of comma-separated items of a list (commas + 1).
int CountHeaderItems(const fw::CString& list);
