#include "common/tank/TimeDataTank.h"

#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/Archive.h"

#include <algorithm>

FW_IMPLEMENT_SERIAL(CTimeDataTank, CDataTankObject, 1)

CTimeDataTank::CTimeDataTank()
{
    Init(kTankTypeTime, kFormatGeneral18, true);
    SetName("TIME");
    SetUnit("SEC");
}

void CTimeDataTank::InitTimeMembers()
{
    m_accessorStart = 0;
    m_step = 1.0;
    m_startTime = 0.0;
    m_unitIndex = kUnitSec;
}

void CTimeDataTank::InitMembers()
{
    CDataTankObject::InitMembers();
    InitTimeMembers();
}

void CTimeDataTank::Serialize(fw::CArchive& ar)
{
    CDataTankObject::Serialize(ar);
    if (ar.IsStoring())
        ar << m_accessorStart << m_step << m_startTime << m_unitIndex;
    else
        ar >> m_accessorStart >> m_step >> m_startTime >> m_unitIndex;
}

void CTimeDataTank::Clear() { CDataTankObject::Clear(); }

bool CTimeDataTank::Grow(int n, bool)
{
    SetDataCount(std::max(n, 0));
    return true;
}

bool CTimeDataTank::SetSize(int n, bool)
{
    SetDataCount(std::max(n, 0));
    return true;
}

void CTimeDataTank::UpdateScaleFromAxis()
{
    if (!HasScale())
        return;
    const int n = GetDataCount();
    SetMin(GetValue(0));
    // An empty axis has no last value (GetValue(-1) would answer start - step).
    SetMax(n > 0 ? GetValue(n - 1) : HUGE_VAL);
}

void CTimeDataTank::SetDataCount(int count)
{
    CDataTankObject::SetDataCount(count);
    UpdateScaleFromAxis();
}

double CTimeDataTank::GetValue(int index)
{
    if (index >= GetDataCount())
        return HUGE_VAL;
    return m_startTime + double(index) * m_step;
}

void CTimeDataTank::GetValueText(int index, fw::CString& out, bool useFormat)
{
    out.Empty();
    if (index >= GetDataCount())
        return;
    FormatDataValue(GetValue(index), useFormat ? GetFormat() : kFormatGeneral18, out);
}

bool CTimeDataTank::CopyRange(int srcStart, int count, CDataTankObject* src, int dstStart)
{
    return src && src->GetDataType() == kTankTypeTime && count > 0 && srcStart < src->GetDataCount() &&
           HasHeader() && Grow(count + dstStart, true);
}

CZELDataPoter* CTimeDataTank::CreatePoter(int start, int count)
{
    const int size = GetDataCount();
    if (start < 0 || start >= size)
        return nullptr;
    int n = size - start;
    if (count >= 0 && count <= n)
        n = count;
    if (n <= 0)
        return nullptr;
    m_accessorStart = start;
    auto* poter = new CZELTimeDataPoter;
    poter->Init(FW_RUNTIME_CLASS(CZELTimePtr), this, start, n, this);
    return poter;
}

void CTimeDataTank::SetInterval(double step)
{
    m_step = step;
    UpdateScaleFromAxis();
}

double CTimeDataTank::GetInterval() const { return m_step; }
void CTimeDataTank::SetStartTime(double start) { m_startTime = start; }
double CTimeDataTank::GetStartTime() const { return m_startTime; }
void CTimeDataTank::SetUnitIndex(int unit) { m_unitIndex = unit; }
int CTimeDataTank::GetUnitIndex() const { return m_unitIndex; }

void CTimeDataTank::GetUnitText(fw::CString& out) const
{
    static const char* const kUnits[] = {"msec", "sec", "min", "hour", "samples"};
    out = (m_unitIndex >= 0 && m_unitIndex < 5) ? kUnits[m_unitIndex] : "";
}

int16_t CTimeDataTank::GetUnformattedCode() const { return kFormatGeneral18; }
