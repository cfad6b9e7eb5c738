#include "chart/model/ChartClasses.h"

#include "chart/model/GDataInfoRec.h"
#include "chart/model/GrFrameRec.h"
#include "chart/model/GrScaleRec.h"
#include "chart/model/OGPRecord.h"
#include "chart/model/PlotColorInfo.h"
#include "chart/model/PlotFrame.h"
#include "chart/model/PlotGrid.h"

void RegisterChartClasses()
{
    static const fw::CRuntimeClass* const kClasses[] = {
        FW_RUNTIME_CLASS(OGPRecord),
        FW_RUNTIME_CLASS(GDataInfoRec),
        FW_RUNTIME_CLASS(GrScaleRec),
        FW_RUNTIME_CLASS(GrFrameRec),
        FW_RUNTIME_CLASS(CPlotColorInfo),
        FW_RUNTIME_CLASS(CPlotFrame),
        FW_RUNTIME_CLASS(CPlotGrid),
        FW_RUNTIME_CLASS(CPlotXYGrid),
    };
    for (const auto* cls : kClasses)
        fw::RegisterClass(cls);
}
