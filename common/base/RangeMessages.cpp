#include "common/base/RangeMessages.h"

#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

namespace {

// The original printed each bound into a 32-byte buffer.
constexpr int kMaxBoundChars = 31;

void ShowRangeMessage(const fw::CString& low, const fw::CString& high, unsigned messageId)
{
    const fw::CString text = fw::FormatString(messageId, low.Left(kMaxBoundChars), high.Left(kMaxBoundChars));
    fw::Prompt().MessageBox(text, fw::MB_OK | fw::MB_ICONEXCLAMATION, messageId, messageId);
}

} // namespace

void ShowIntRangeMessage(int32_t low, int32_t high, const char* pattern, unsigned messageId)
{
    const char* p = pattern ? pattern : "%ld";
    fw::CString lowText, highText;
    lowText.Format(p, low);
    highText.Format(p, high);
    ShowRangeMessage(lowText, highText, messageId);
}

void ShowRealRangeMessage(double low, double high, int precision, unsigned messageId)
{
    fw::CString lowText, highText;
    lowText.Format("%.*g", precision, low);
    highText.Format("%.*g", precision, high);
    ShowRangeMessage(lowText, highText, messageId);
}
