#include "common/tank/DblDataTank.h"

FW_IMPLEMENT_SERIAL(CDblDataTank, CDataTankObject, 1)

namespace {
constexpr double kDoubleLow = 2.2250738585072014e-308;
constexpr double kDoubleHigh = 1.7976931348623157e308;
} // namespace

CDblDataTank::CDblDataTank()
{
    Init(kTankTypeDouble, kFormatGeneral18, true);
    m_fillMarker = HUGE_VAL;
    m_emptyMarker = HUGE_VAL;
}

bool CDblDataTank::CheckValue(double x) const
{
    const double a = std::fabs(x);
    if (x == m_emptyMarker || x == 0.0 || (a >= kDoubleLow && a <= kDoubleHigh))
        return true;
    if (m_reportRangeErrors)
        ReportRealRange(kDoubleLow, kDoubleHigh, 6, kIdpRealRange);
    return false;
}
