#include "common/calc/CalcClasses.h"

#include "common/calc/CalcColumnTanks.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/calc/CashTimeTank.h"
#include "common/calc/DataSPSetTank.h"
#include "common/calc/GpsCanTankLists.h"
#include "common/calc/KivSPTankData.h"

void RegisterCalcClasses()
{
    static const fw::CRuntimeClass* const kClasses[] = {
        FW_RUNTIME_CLASS(CCalcuDataTank),
        FW_RUNTIME_CLASS(CCashCalcuDataTank),
        FW_RUNTIME_CLASS(CCashTimeTank),
        FW_RUNTIME_CLASS(CDataSPSetTank),
        FW_RUNTIME_CLASS(CDataSPTankData),
        FW_RUNTIME_CLASS(CKivSPTankData),
        FW_RUNTIME_CLASS(CGpsDataTankList),
        FW_RUNTIME_CLASS(CCanDataTankList),
        FW_RUNTIME_CLASS(CFuncTank),
        FW_RUNTIME_CLASS(CNameTank),
        FW_RUNTIME_CLASS(CUnitTank),
        FW_RUNTIME_CLASS(CFormatTank),
        FW_RUNTIME_CLASS(COnOffTank),
    };
    for (const auto* cls : kClasses)
        fw::RegisterClass(cls);
}
