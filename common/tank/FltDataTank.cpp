#include "common/tank/FltDataTank.h"

FW_IMPLEMENT_SERIAL(CFltDataTank, CDataTankObject, 1)

namespace {
constexpr double kFloatLow = 1.1754943508222875e-38;
constexpr double kFloatHigh = 3.4028234663852886e38;
} // namespace

CFltDataTank::CFltDataTank()
{
    Init(kTankTypeFloat, kFormatNone, true);
    m_fillMarker = HUGE_VALF;
    m_emptyMarker = HUGE_VALF;
}

bool CFltDataTank::CheckValue(double x) const
{
    const double a = std::fabs(x);
    if (a == std::fabs(double(m_emptyMarker)) || x == 0.0 || (a >= kFloatLow && a <= kFloatHigh))
        return true;
    if (m_reportRangeErrors)
        ReportRealRange(kFloatLow, kFloatHigh, 6, kIdpRealRange);
    return false;
}
