#include "instrument/unit/UnitClasses.h"

#include "instrument/unit/Kiv419Unit.h"
#include "instrument/unit/Kiv464Unit.h"
#include "instrument/unit/Kiv465Unit.h"
#include "instrument/unit/Kiv473Unit.h"
#include "instrument/unit/Kiv4GUnit.h"
#include "instrument/unit/KivVoltInUnit.h"
#include "instrument/unit/KivVoltOutUnit.h"

void RegisterUnitClasses()
{
    // In the order the program registers them at start-up.
    static const fw::CRuntimeClass* const kClasses[] = {
        FW_RUNTIME_CLASS(CKivUnit),
        FW_RUNTIME_CLASS(CKivVoltOutUnit),
        FW_RUNTIME_CLASS(CKivInputUnit),
        FW_RUNTIME_CLASS(CKiv4GUnit),
        FW_RUNTIME_CLASS(CKivVoltInUnit),
        FW_RUNTIME_CLASS(CKiv123GUnit),
        FW_RUNTIME_CLASS(CKiv464Unit),
        FW_RUNTIME_CLASS(CKiv465Unit),
        FW_RUNTIME_CLASS(CKiv473Unit),
        FW_RUNTIME_CLASS(CKiv419Unit),
    };
    for (const auto* cls : kClasses)
        fw::RegisterClass(cls);
}
