#include "graphdoc/model/objects/GraphObjectClasses.h"

#include "graphdoc/model/objects/DrawLegObj.h"
#include "graphdoc/model/objects/DrawMoniDataObj.h"
#include "graphdoc/model/objects/DrawPowLegObj.h"
#include "graphdoc/model/objects/DrawPowObj.h"
#include "graphdoc/model/objects/DrawRegressObj.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"

void RegisterGraphObjectClasses()
{
    fw::RegisterClass(FW_RUNTIME_CLASS(CDrawPowLegObj));
    fw::RegisterClass(FW_RUNTIME_CLASS(CDrawPowObj));
    fw::RegisterClass(FW_RUNTIME_CLASS(CDrawMoniDataObj));
    fw::RegisterClass(FW_RUNTIME_CLASS(CSimpleGraphObj));
    fw::RegisterClass(FW_RUNTIME_CLASS(CDrawRegressObj));
    fw::RegisterClass(FW_RUNTIME_CLASS(CDrawLegObj));
}
