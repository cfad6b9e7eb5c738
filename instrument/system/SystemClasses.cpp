#include "instrument/system/SystemClasses.h"

#include "framework/core/Object.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/MarkerList.h"

void RegisterSystemClasses()
{
    fw::RegisterClass(FW_RUNTIME_CLASS(CBoxArray));
    fw::RegisterClass(FW_RUNTIME_CLASS(CBoxPropaty));
    fw::RegisterClass(FW_RUNTIME_CLASS(CMarkerObj));
    fw::RegisterClass(FW_RUNTIME_CLASS(CVoiceMarkerObj));
}
