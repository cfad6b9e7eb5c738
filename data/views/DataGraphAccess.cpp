#include "data/views/DataGraphAccess.h"

#include "docbase/doc/KivDocBase.h"
#include "framework/core/ServiceSlot.h"

CGraphTimeListObj* DataTimeListGraph(CKivDocBase& doc)
{
    IDataGraphAccess* access = fw::Installed<IDataGraphAccess>();
    return access ? access->TimeListGraph(doc.GetGraphTimeList()) : nullptr;
}
