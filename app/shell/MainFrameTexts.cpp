#include "app/shell/MainFrameTexts.h"

#include "app/shell/ShellIds.h"
#include "framework/core/DateTime.h"
#include "framework/core/Format.h"
#include "framework/core/StringTable.h"

#include <cmath>

namespace {

constexpr double kHalfSecondDays = 5.787037037037037e-6;

} // namespace

fw::CString FormatDuration(double spanDays)
{
    const double span = spanDays + (spanDays < 0 ? -kHalfSecondDays : kHalfSecondDays);
    const double hours = std::trunc(span * 24.0);
    const auto minutes = static_cast<long long>(std::trunc(span * 1440.0)) % 60;
    const auto seconds = static_cast<long long>(std::trunc(span * 86400.0)) % 60;
    return fw::Format("%.0f:%0.2d:%0.2d", hours, static_cast<int>(minutes), static_cast<int>(seconds));
}

fw::CString FormatTriggerTime(double date)
{
    return fw::COleDateTime(date).Format(fw::LoadStringText(IDS_TRIGGER_TIME_FORMAT).c_str());
}
