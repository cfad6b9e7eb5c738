#include "graphdoc/model/GraphDocClasses.h"

#include "chart/model/ChartClasses.h"
#include "docbase/graphpage/GraphPageClasses.h"
#include "graphdoc/model/DrawGraphObj.h"
#include "graphdoc/model/DrawTextObj.h"
#include "graphdoc/model/GraphViewDoc.h"

void RegisterGraphDocClasses()
{
    RegisterGraphPageClasses();
    RegisterChartClasses();
    fw::RegisterClass(FW_RUNTIME_CLASS(CGraphViewDoc));
    fw::RegisterClass(FW_RUNTIME_CLASS(CDrawMeasObj));
    fw::RegisterClass(FW_RUNTIME_CLASS(CDrawGraphObj));
    fw::RegisterClass(FW_RUNTIME_CLASS(CDrawTextObj));
}
