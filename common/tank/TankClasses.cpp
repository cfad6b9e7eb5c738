#include "common/tank/TankClasses.h"

#include "common/tank/BoolDataTank.h"
#include "common/tank/DataBoxArray.h"
#include "common/tank/DataBoxPropaty.h"
#include "common/tank/DataTankList.h"
#include "common/tank/DataTankParamAr.h"
#include "common/tank/DateDataTank.h"
#include "common/tank/DblDataTank.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/LongDataTank.h"
#include "common/tank/ShortDataTank.h"
#include "common/tank/StringDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "common/tank/UnLongDataTank.h"
#include "common/tank/UseTankList.h"

void RegisterTankClasses()
{
    // In the order the program registers them at start-up.
    static const fw::CRuntimeClass* const kClasses[] = {
        FW_RUNTIME_CLASS(CDataTankObject),
        FW_RUNTIME_CLASS(CFltDataTank),
        FW_RUNTIME_CLASS(CShortDataTank),
        FW_RUNTIME_CLASS(CLongDataTank),
        FW_RUNTIME_CLASS(CUnLongDataTank),
        FW_RUNTIME_CLASS(CDateDataTank),
        FW_RUNTIME_CLASS(CBoolDataTank),
        FW_RUNTIME_CLASS(CTimeDataTank),
        FW_RUNTIME_CLASS(CDataTankParamAr),
        FW_RUNTIME_CLASS(CDataTankList),
        FW_RUNTIME_CLASS(CDblDataTank),
        FW_RUNTIME_CLASS(CStringDataTank),
        FW_RUNTIME_CLASS(CDataBoxArray),
        FW_RUNTIME_CLASS(CDataBoxPropaty),
        FW_RUNTIME_CLASS(CUseTankList),
    };
    for (const auto* cls : kClasses)
        fw::RegisterClass(cls);
}
