#include "instrument/check/CheckClasses.h"

#include "instrument/check/CheckData.h"
#include "instrument/check/CompNoTank.h"
#include "instrument/check/ProgramTableTanks.h"

void RegisterCheckClasses()
{
    static const fw::CRuntimeClass* const kClasses[] = {
        FW_RUNTIME_CLASS(CCheckData),     FW_RUNTIME_CLASS(CCheckDataBoxPropaty), FW_RUNTIME_CLASS(CCompNoTank),
        FW_RUNTIME_CLASS(CCompValueTank), FW_RUNTIME_CLASS(CCycleTank),           FW_RUNTIME_CLASS(CControlTank),
        FW_RUNTIME_CLASS(CRepetTank),     FW_RUNTIME_CLASS(CIntevalTank),         FW_RUNTIME_CLASS(CIntevalTimeTank),
    };
    for (const auto* cls : kClasses)
        fw::RegisterClass(cls);
}
