#include "app/shell/ProgramClasses.h"

#include "canvoicegps/Kiv463Unit.h"
#include "chart/model/ChartClasses.h"
#include "chart/model/GraphClasses.h"
#include "common/base/CommonBaseClasses.h"
#include "common/cache/CacheClasses.h"
#include "common/calc/CalcClasses.h"
#include "common/tank/TankClasses.h"
#include "docbase/graphpage/GraphPageClasses.h"
#include "framework/core/Object.h"
#include "frequency/document/FrequencyDocClasses.h"
#include "frequency/model/FrequencyModelClasses.h"
#include "instrument/LinkClasses.h"
#include "instrument/check/CheckClasses.h"
#include "instrument/meter/MeterClasses.h"
#include "instrument/system/SystemClasses.h"
#include "instrument/unit/UnitClasses.h"

const std::vector<ProgramClassInfo>& ProgramClassList()
{
    static const std::vector<ProgramClassInfo> kClasses = {
        {"CMarkerObj", ClassSchema::versionable1},
        {"CVoiceMarkerObj", ClassSchema::versionable1},
        {"CDrawMarker", ClassSchema::versionable1},
        {"CDrawGPSMarker", ClassSchema::versionable1},
        {"CDrawGraphMarker", ClassSchema::versionable1},
        {"CDrawItem", ClassSchema::plain0},
        {"CDrawObj", ClassSchema::plain0},
        {"CDrawOleObj", ClassSchema::plain0},
        {"CEnvironment", ClassSchema::versionable1},
        {"CEnvirons", ClassSchema::versionable1},
        {"OGPRecord", ClassSchema::versionable1},
        {"CGraphDataTankAr", ClassSchema::versionable1},
        {"CGraphDraw", ClassSchema::versionable1},
        {"CGraphPageParam", ClassSchema::versionable1},
        {"CGraphParamArray", ClassSchema::versionable1},
        {"GDataInfoRec", ClassSchema::versionable1},
        {"GrScaleRec", ClassSchema::versionable1},
        {"GrFrameRec", ClassSchema::versionable1},
        {"CGraphSetting", ClassSchema::versionable1},
        {"CLogTickXLabel", ClassSchema::versionable1},
        {"CLogTickYLabel", ClassSchema::versionable1},
        {"CPlotColorInfo", ClassSchema::versionable1},
        {"CPlotFrame", ClassSchema::versionable1},
        {"CPlotGrid", ClassSchema::versionable1},
        {"CPlotLabel", ClassSchema::versionable1},
        {"CPlotText", ClassSchema::versionable1},
        {"CPlotXYGrid", ClassSchema::versionable1},
        {"CTextEnvirons", ClassSchema::versionable1},
        {"CTickLabel", ClassSchema::versionable1},
        {"CTickXLabel", ClassSchema::versionable1},
        {"CTickYLabel", ClassSchema::versionable1},
        {"CXPlotLabel", ClassSchema::versionable1},
        {"CYPlotLabel", ClassSchema::versionable1},
        {"CCalcuDataTank", ClassSchema::versionable1},
        {"CCacheFltDataTank", ClassSchema::versionable1},
        {"CCacheDblDataTank", ClassSchema::versionable1},
        {"CCacheDateDataTank", ClassSchema::versionable1},
        {"CCacheLongDataTank", ClassSchema::versionable1},
        {"CCacheUnLongDataTank", ClassSchema::versionable1},
        {"CDataTankObject", ClassSchema::versionable1},
        {"CFltDataTank", ClassSchema::versionable1},
        {"CShortDataTank", ClassSchema::versionable1},
        {"CLongDataTank", ClassSchema::versionable1},
        {"CUnLongDataTank", ClassSchema::versionable1},
        {"CDateDataTank", ClassSchema::versionable1},
        {"CBoolDataTank", ClassSchema::versionable1},
        {"CTimeDataTank", ClassSchema::versionable1},
        {"CDataTankParamAr", ClassSchema::versionable1},
        {"CDataTankList", ClassSchema::versionable1},
        {"CDblDataTank", ClassSchema::versionable1},
        {"CStringDataTank", ClassSchema::versionable1},
        {"CDataSPTankData", ClassSchema::versionable1},
        {"CDataSPSetTank", ClassSchema::versionable1},
        {"CZELGridArray", ClassSchema::plain0},
        {"CZELGridRealArray", ClassSchema::plain0},
        {"CZELGridSameArray", ClassSchema::plain0},
        {"CZELPaneStyle", ClassSchema::versionable1},
        {"CGridJob", ClassSchema::plain1},
        {"CZELGridStyle", ClassSchema::versionable1},
        {"CZELMeter", ClassSchema::versionable1},
        {"CKivUnit", ClassSchema::versionable1},
        {"CKivVoltOutUnit", ClassSchema::versionable1},
        {"CKivInputUnit", ClassSchema::versionable1},
        {"CKiv4GUnit", ClassSchema::versionable1},
        {"CKivVoltInUnit", ClassSchema::versionable1},
        {"CKivUnitTypes", ClassSchema::versionable1},
        {"CKivMeter", ClassSchema::versionable1},
        {"CKiv123GUnit", ClassSchema::versionable1},
        {"CKiv464Unit", ClassSchema::versionable1},
        {"CKiv463Unit", ClassSchema::versionable1},
        {"CCanNodeArray", ClassSchema::versionable1},
        {"C463CanMesSignal", ClassSchema::versionable1},
        {"CCanSigArray", ClassSchema::versionable1},
        {"C463CanMesNode", ClassSchema::versionable1},
        {"CKiv465Unit", ClassSchema::versionable1},
        {"CKiv473Unit", ClassSchema::versionable1},
        {"CKiv419Unit", ClassSchema::versionable1},
        {"CBoxArray", ClassSchema::versionable1},
        {"CBoxPropaty", ClassSchema::versionable1},
        {"CCheckDataBoxPropaty", ClassSchema::versionable1},
        {"CCheckData", ClassSchema::versionable1},
        {"CCompNoTank", ClassSchema::versionable1},
        {"CCompValueTank", ClassSchema::versionable1},
        {"CCycleTank", ClassSchema::versionable1},
        {"CControlTank", ClassSchema::versionable1},
        {"CRepetTank", ClassSchema::versionable1},
        {"CDataPropaty", ClassSchema::versionable1},
        {"CIntevalTank", ClassSchema::versionable1},
        {"CIntevalTimeTank", ClassSchema::versionable1},
        {"CCashCalcuDataTank", ClassSchema::versionable1},
        {"CDataBoxArray", ClassSchema::versionable1},
        {"CDataBoxPropaty", ClassSchema::versionable1},
        {"CListGraphDraw", ClassSchema::versionable1},
        {"CGraphListObj", ClassSchema::plain0},
        {"CTimeListGraphDraw", ClassSchema::versionable1},
        {"CGraphTimeListObj", ClassSchema::plain0},
        {"CFormatTank", ClassSchema::versionable1},
        {"CFuncTank", ClassSchema::versionable1},
        {"CNameTank", ClassSchema::versionable1},
        {"CUnitTank", ClassSchema::versionable1},
        {"COnOffTank", ClassSchema::versionable1},
        {"CUseTankList", ClassSchema::versionable1},
        {"CKivSPTankData", ClassSchema::versionable1},
        {"CDrawMeasObj", ClassSchema::plain0},
        {"CDrawPowLegObj", ClassSchema::plain0},
        {"CDrawPowObj", ClassSchema::plain0},
        {"CDrawTextObj", ClassSchema::plain0},
        {"CDrawGraphObj", ClassSchema::plain0},
        {"CDrawMoniDataObj", ClassSchema::plain0},
        {"CSimpleGraphObj", ClassSchema::plain0},
        {"CDrawRegressObj", ClassSchema::plain0},
        {"CDrawLegObj", ClassSchema::plain0},
        {"CKivGraphDraw", ClassSchema::versionable1},
        {"CKivDataBoxPropaty", ClassSchema::versionable1},
        {"CDrawHistObj", ClassSchema::plain0},
        {"CHistCountObj", ClassSchema::plain0},
        {"CHistCountArray", ClassSchema::plain0},
        {"CHistDataBoxArray", ClassSchema::versionable1},
        {"CHistGraphDraw", ClassSchema::versionable1},
        {"CPlotFrame3D", ClassSchema::versionable1},
        {"CTickXLabel3D", ClassSchema::versionable1},
        {"CGpsGraphDraw", ClassSchema::versionable1},
        {"CCanGraphTimeListObj", ClassSchema::plain0},
        {"CGpsDataTankList", ClassSchema::versionable1},
        {"CCanDataTankList", ClassSchema::versionable1},
        {"CCashTimeTank", ClassSchema::versionable1},
        {"CMoniCalcuDataTank", ClassSchema::versionable1},
    };
    return kClasses;
}

uint32_t SchemaWord(ClassSchema schema)
{
    switch (schema) {
    case ClassSchema::plain0:
        return 0;
    case ClassSchema::plain1:
        return 1;
    case ClassSchema::versionable1:
        break;
    }
    return fw::VERSIONABLE_SCHEMA | 1u;
}

void RegisterProgramClasses()
{
    // Each subsystem registers its own classes; the ones built later add
    // their calls here.
    fw::RegisterClasses();
    RegisterCommonBaseClasses();
    RegisterTankClasses();
    RegisterCacheClasses();
    RegisterCalcClasses();
    RegisterFrequencyModelClasses();
    RegisterFrequencyDocClasses();
    RegisterLinkClasses();
    RegisterUnitClasses();
    RegisterMeterClasses();
    RegisterSystemClasses();
    RegisterCheckClasses();
    RegisterCanVoiceGpsClasses();
    RegisterGraphPageClasses();
    RegisterChartClasses();
    RegisterGraphClasses();
}
