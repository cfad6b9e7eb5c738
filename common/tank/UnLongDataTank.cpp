#include "common/tank/UnLongDataTank.h"

FW_IMPLEMENT_SERIAL(CUnLongDataTank, CDataTankObject, 1)

CUnLongDataTank::CUnLongDataTank()
{
    Init(kTankTypeUnLong, 0, true);
    m_fillMarker = 0xFFFFFFFFu;
    m_emptyMarker = 0xFFFFFFFFu;
}

bool CUnLongDataTank::CheckValue(double x) const
{
    if (x >= 0.0 && x <= 4294967295.0)
        return true;
    // The bounds travel as the files' 32-bit longs: "%lu" shows -1 as 4294967295.
    if (m_reportRangeErrors)
        ReportIntRange(0, -1, "%lu", kIdpIntRange);
    return false;
}
