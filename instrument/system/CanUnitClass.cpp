#include "instrument/system/CanUnitClass.h"

#include "framework/core/Object.h"
#include "instrument/unit/KivUnit.h"

bool IsCanVoiceGpsUnit(const CKivUnit* unit)
{
    if (!unit)
        return false;
    // Looked up each time: the class is registered when its layer starts.
    const fw::CRuntimeClass* cls = fw::CRuntimeClass::FromName("CKiv463Unit");
    return cls && unit->IsKindOf(cls);
}
