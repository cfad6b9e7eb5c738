#pragma once

#include "framework/core/CString.h"

// Replaces every double-byte character of the text by its single-byte form
// in the Japanese code page: full-width ASCII (U+FF01-FF5E) by ASCII, the
// ideographic space by a space, full-width katakana and the Japanese
// punctuation that has a half-width form by half-width katakana (voiced
// marks as separate characters). False, with the text unchanged, when a
// character has no single-byte form.
bool ToSingleByteText(fw::CString& text);
