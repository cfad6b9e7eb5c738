#include "common/tank/ShortDataTank.h"

FW_IMPLEMENT_SERIAL(CShortDataTank, CDataTankObject, 1)

CShortDataTank::CShortDataTank()
{
    Init(kTankTypeShort, 0, true);
    m_fillMarker = -32768;
    m_emptyMarker = -32768;
}

bool CShortDataTank::CheckValue(double x) const
{
    if (x >= -32768.0 && x <= 32767.0)
        return true;
    if (m_reportRangeErrors)
        ReportIntRange(-32768, 32767, "%ld", kIdpIntRange);
    return false;
}
