#include "canvoicegps/model/CanGpsGraphClasses.h"

#include "canvoicegps/model/CanGraphTimeListObj.h"
#include "canvoicegps/model/GpsGraphDraw.h"

void RegisterCanGpsGraphClasses()
{
    for (const fw::CRuntimeClass* cls :
         {FW_RUNTIME_CLASS(CGpsGraphDraw), FW_RUNTIME_CLASS(CCanGraphTimeListObj)})
        fw::RegisterClass(cls);
}
