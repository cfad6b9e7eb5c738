#include "measure/model/monitor/MoniCalcuDataTank.h"

FW_IMPLEMENT_SERIAL(CMoniCalcuDataTank, CCashCalcuDataTank, 1)

CMoniCalcuDataTank::~CMoniCalcuDataTank()
{
    SetSourceTank(nullptr);
}

CCalcuDataTank* CMoniCalcuDataTank::SourceCalc() const
{
    return dynamic_cast<CCalcuDataTank*>(m_source);
}

void CMoniCalcuDataTank::SetSourceTank(CDataTankObject* source)
{
    if (source == m_source)
        return;
    const int watchers = GetUseCount();
    if (auto* calc = dynamic_cast<CCalcuDataTank*>(source)) {
        for (int i = 0; i < watchers; ++i)
            calc->AddUse();
    }
    if (source)
        source->AddRef();
    CDataTankObject* old = m_source;
    m_source = source;
    ReleaseTank(old);
}

int16_t CMoniCalcuDataTank::GetFormat() const
{
    return m_source ? m_source->GetFormat() : CCashCalcuDataTank::GetFormat();
}

fw::CString CMoniCalcuDataTank::GetName() const
{
    return m_source ? m_source->GetName() : CCashCalcuDataTank::GetName();
}

fw::CString CMoniCalcuDataTank::GetUnit() const
{
    return m_source ? m_source->GetUnit() : CCashCalcuDataTank::GetUnit();
}

int CMoniCalcuDataTank::AddUse()
{
    CCalcuDataTank* calc = SourceCalc();
    return calc ? calc->AddUse() : CCashCalcuDataTank::AddUse();
}

int CMoniCalcuDataTank::RemoveUse()
{
    CCalcuDataTank* calc = SourceCalc();
    return calc ? calc->RemoveUse() : CCashCalcuDataTank::RemoveUse();
}

int CMoniCalcuDataTank::GetUseCount() const
{
    CCalcuDataTank* calc = SourceCalc();
    return calc ? calc->GetUseCount() : CCashCalcuDataTank::GetUseCount();
}
