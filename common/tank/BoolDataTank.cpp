#include "common/tank/BoolDataTank.h"

FW_IMPLEMENT_SERIAL(CBoolDataTank, CDataTankObject, 1)

CBoolDataTank::CBoolDataTank()
{
    Init(kTankTypeBool, 0, true);
    m_fillMarker = 1;
    m_emptyMarker = 0;
}

bool CBoolDataTank::CheckValue(double x) const
{
    if (x == 0.0 || x == 1.0)
        return true;
    if (m_reportRangeErrors)
        ReportIntRange(0, 1, "%ld", kIdpIntRange);
    return false;
}

CZELDataPoter* CBoolDataTank::CreatePoter(int, int) { return nullptr; }
