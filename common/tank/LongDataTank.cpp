#include "common/tank/LongDataTank.h"

#include <limits>

FW_IMPLEMENT_SERIAL(CLongDataTank, CDataTankObject, 1)

namespace {
constexpr int32_t kLow = std::numeric_limits<int32_t>::min();
constexpr int32_t kHigh = std::numeric_limits<int32_t>::max();
} // namespace

CLongDataTank::CLongDataTank()
{
    Init(kTankTypeLong, 0, true);
    m_fillMarker = kLow;
    m_emptyMarker = kLow;
}

bool CLongDataTank::CheckValue(double x) const
{
    if (x >= double(kLow) && x <= double(kHigh))
        return true;
    if (m_reportRangeErrors)
        ReportIntRange(kLow, kHigh, "%ld", kIdpIntRange);
    return false;
}
