#pragma once

// The update hints the analysis and history pages answer.

#include <cstdint>

namespace prjpage {
inline constexpr intptr_t kHintColumns = 12;        // with CUpdateKivData
inline constexpr intptr_t kHintRepaint = 16;
inline constexpr intptr_t kHintSelfCheck = 17;
inline constexpr intptr_t kHintHistory = 35;
inline constexpr intptr_t kHintTransferBegin = 37;
inline constexpr intptr_t kHintTransferEnd = 38;
inline constexpr intptr_t kHintFreqHistory = 41;
// The date and time of history rows.
inline constexpr const char* kStepTimeFormat = "%Y/%m/%d %H:%M:%S";
} // namespace prjpage

#include "framework/core/StringTable.h"

namespace prjpage {
// The program's string `id`, or `text` while the table lacks it.
inline fw::CString PageText(unsigned id, const char* text)
{
    fw::CString s = fw::LoadStringText(id);
    return s.IsEmpty() ? fw::CString(text) : s;
}
} // namespace prjpage
