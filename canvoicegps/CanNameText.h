#pragma once

#include "framework/core/CString.h"

// Message, node and signal names: the text in single-byte characters with
// every blank removed, cut to 16 characters. False (and `name` unchanged)
// when a character has no single-byte form or is not printable, or when
// nothing is left and `allowEmpty` is false.
bool MakeCanName(const char* text, bool allowEmpty, fw::CString& name);

// The first 16 characters of a name read from a file (no other check).
fw::CString CutCanName(const fw::CString& text);
