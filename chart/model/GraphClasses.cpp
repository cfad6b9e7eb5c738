#include "chart/model/GraphClasses.h"

#include "chart/model/GraphDataTankAr.h"
#include "chart/model/GraphDraw.h"
#include "chart/model/GraphPageParam.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/GraphSetting.h"
#include "chart/model/KivGraphDraw.h"

void RegisterGraphClasses()
{
    static const fw::CRuntimeClass* const kClasses[] = {
        FW_RUNTIME_CLASS(CGraphSetting),
        FW_RUNTIME_CLASS(CGraphDraw),
        FW_RUNTIME_CLASS(CKivGraphDraw),
        FW_RUNTIME_CLASS(CGraphPageParam),
        FW_RUNTIME_CLASS(CGraphParamArray),
        FW_RUNTIME_CLASS(CGraphDataTankAr),
    };
    for (const auto* cls : kClasses)
        fw::RegisterClass(cls);
}
