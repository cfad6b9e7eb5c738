#include "chart/model/SeriesClasses.h"

#include "chart/model/GraphDataTankAr.h"
#include "chart/model/GraphPageParam.h"
#include "chart/model/GraphParamArray.h"

void RegisterSeriesClasses()
{
    static const fw::CRuntimeClass* const kClasses[] = {
        FW_RUNTIME_CLASS(CGraphPageParam),
        FW_RUNTIME_CLASS(CGraphParamArray),
        FW_RUNTIME_CLASS(CGraphDataTankAr),
    };
    for (const auto* cls : kClasses)
        fw::RegisterClass(cls);
}
