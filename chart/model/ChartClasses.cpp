#include "chart/model/ChartClasses.h"

#include "chart/model/DrawMarker.h"
#include "chart/model/GDataInfoRec.h"
#include "chart/model/GrFrameRec.h"
#include "chart/model/GrScaleRec.h"
#include "chart/model/OGPRecord.h"
#include "chart/model/PlotColorInfo.h"
#include "chart/model/Oblique3D.h"
#include "chart/model/PlotFrame.h"
#include "chart/model/PlotGrid.h"
#include "chart/model/PlotText.h"
#include "chart/model/TextEnvirons.h"
#include "chart/model/TickLabel.h"

void RegisterChartClasses()
{
    static const fw::CRuntimeClass* const kClasses[] = {
        FW_RUNTIME_CLASS(CDrawMarker),
        FW_RUNTIME_CLASS(CDrawGPSMarker),
        FW_RUNTIME_CLASS(CDrawGraphMarker),
        FW_RUNTIME_CLASS(OGPRecord),
        FW_RUNTIME_CLASS(GDataInfoRec),
        FW_RUNTIME_CLASS(GrScaleRec),
        FW_RUNTIME_CLASS(GrFrameRec),
        FW_RUNTIME_CLASS(CPlotColorInfo),
        FW_RUNTIME_CLASS(CPlotFrame),
        FW_RUNTIME_CLASS(CPlotGrid),
        FW_RUNTIME_CLASS(CPlotXYGrid),
        FW_RUNTIME_CLASS(CEnvirons),
        FW_RUNTIME_CLASS(CEnvironment),
        FW_RUNTIME_CLASS(CTextEnvirons),
        FW_RUNTIME_CLASS(CPlotText),
        FW_RUNTIME_CLASS(CPlotLabel),
        FW_RUNTIME_CLASS(CXPlotLabel),
        FW_RUNTIME_CLASS(CYPlotLabel),
        FW_RUNTIME_CLASS(CTickLabel),
        FW_RUNTIME_CLASS(CTickXLabel),
        FW_RUNTIME_CLASS(CTickYLabel),
        FW_RUNTIME_CLASS(CLogTickXLabel),
        FW_RUNTIME_CLASS(CLogTickYLabel),
        FW_RUNTIME_CLASS(CPlotFrame3D),
        FW_RUNTIME_CLASS(CTickXLabel3D),
    };
    for (const auto* cls : kClasses)
        fw::RegisterClass(cls);
}
