#include "docbase/graphpage/GraphPageClasses.h"

#include "docbase/graphpage/DrawObj.h"
#include "docbase/graphpage/DrawOleObj.h"

void RegisterGraphPageClasses()
{
    // The program's registration order: item, object, embedded object.
    fw::RegisterClass(FW_RUNTIME_CLASS(CDrawItem));
    fw::RegisterClass(FW_RUNTIME_CLASS(CDrawObj));
    fw::RegisterClass(FW_RUNTIME_CLASS(CDrawOleObj));
}
