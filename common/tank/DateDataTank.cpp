#include "common/tank/DateDataTank.h"

#include "common/tank/ZELDataPtr.h"

FW_IMPLEMENT_SERIAL(CDateDataTank, CDataTankObject, 1)

namespace {
constexpr int16_t kFormatDateTime = 107; // "yyyy/mm/dd hh:mm:ss"
} // namespace

CDateDataTank::CDateDataTank()
{
    Init(kTankTypeDouble, kFormatDateTime, true);
    m_fillMarker = 0.0;
    m_emptyMarker = 0.0;
}

CZELDataPoter* CDateDataTank::CreatePoter(int start, int count)
{
    return MakeArrayPoter<CZELDateDataPoter>(start, count, FW_RUNTIME_CLASS(CZELDatePtr));
}

bool CDateDataTank::ParseValueText(const fw::CString& text, double& out) const
{
    return TextToDateValue(text.c_str(), GetFormat(), &out);
}

void CDateDataTank::FormatValueText(double value, fw::CString& out, bool /*useFormat*/) const
{
    FormatDataValue(value, GetFormat(), out);
}
