#include "chart/model/ListGraphClasses.h"

#include "chart/model/GraphTimeListObj.h"
#include "chart/model/ListGraphDraw.h"

void RegisterListGraphClasses()
{
    static const fw::CRuntimeClass* const kClasses[] = {
        FW_RUNTIME_CLASS(CListGraphDraw),
        FW_RUNTIME_CLASS(CGraphListObj),
        FW_RUNTIME_CLASS(CTimeListGraphDraw),
        FW_RUNTIME_CLASS(CGraphTimeListObj),
    };
    for (const auto* cls : kClasses)
        fw::RegisterClass(cls);
}
