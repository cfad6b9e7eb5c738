#include "data/model/DataClasses.h"

#include "data/model/KivDataBoxPropaty.h"
#include "data/model/KivDataDoc.h"

void RegisterDataClasses()
{
    fw::RegisterClass(FW_RUNTIME_CLASS(CKivDataBoxPropaty));
    fw::RegisterClass(FW_RUNTIME_CLASS(CKivDataDoc));
}
