#include "chart/model/PlotColorInfo.h"

#include "chart/model/GrDraw.h"

FW_IMPLEMENT_SERIAL(CPlotColorInfo, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

fw::COLORREF CPlotColorInfo::ColorRefOf(int index) const
{
    fw::COLORREF c = 0;
    GrGetColorRef(index, c);
    return c;
}
