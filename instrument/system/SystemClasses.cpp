#include "instrument/system/SystemClasses.h"

#include "framework/core/Object.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"

void RegisterSystemClasses()
{
    fw::RegisterClass(FW_RUNTIME_CLASS(CBoxArray));
    fw::RegisterClass(FW_RUNTIME_CLASS(CBoxPropaty));
}
