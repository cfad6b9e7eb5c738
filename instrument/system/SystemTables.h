#pragma once

// The two menu tables the channel settings show texts from: the
// number-format table (display format codes and their texts, through a
// short-lived CDataFormat) and the filter characteristics of the low-pass
// filters.

#include "framework/core/CString.h"

namespace systables {

// "No format": the value shows with the default formatting.
inline constexpr int kNoFormat = -9999;

// The text of a display format code in the number-format table; the
// empty text for a code without one.
fw::CString FormatCodeText(int code);
// The code whose text equals `text` exactly; kNoFormat for the empty text,
// 0 when no text matches.
int FindFormatCode(const fw::CString& text);

// The caption of filter characteristic `position` (0-3); empty otherwise.
fw::CString FilterCaption(int position);
// The position of the caption equal to `text`; -1 when none is.
int FindFilterCaption(const fw::CString& text);

} // namespace systables
