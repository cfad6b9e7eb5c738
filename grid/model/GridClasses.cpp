#include "grid/model/GridClasses.h"

#include "grid/model/GridArray.h"
#include "grid/model/GridJob.h"
#include "grid/model/GridStyle.h"
#include "grid/model/PaneStyle.h"

void RegisterGridClasses()
{
    fw::RegisterClass(FW_RUNTIME_CLASS(CZELGridArray));
    fw::RegisterClass(FW_RUNTIME_CLASS(CZELGridRealArray));
    fw::RegisterClass(FW_RUNTIME_CLASS(CZELGridSameArray));
    fw::RegisterClass(FW_RUNTIME_CLASS(CZELPaneStyle));
    fw::RegisterClass(FW_RUNTIME_CLASS(CGridJob));
    fw::RegisterClass(FW_RUNTIME_CLASS(CZELGridStyle));
}
