#include "chart/model/ChartClasses.h"

#include "chart/model/GDataInfoRec.h"
#include "chart/model/GrFrameRec.h"
#include "chart/model/GrScaleRec.h"
#include "chart/model/OGPRecord.h"

void RegisterChartClasses()
{
    static const fw::CRuntimeClass* const kClasses[] = {
        FW_RUNTIME_CLASS(OGPRecord),
        FW_RUNTIME_CLASS(GDataInfoRec),
        FW_RUNTIME_CLASS(GrScaleRec),
        FW_RUNTIME_CLASS(GrFrameRec),
    };
    for (const auto* cls : kClasses)
        fw::RegisterClass(cls);
}
