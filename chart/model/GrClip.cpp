#include "chart/model/GrClip.h"

#include "framework/core/Format.h"

namespace {

// 20 mm in hundredths of a millimetre over the hundredths of an inch.
constexpr int kBorder = 2000;
constexpr int kPerInch = 2540;

} // namespace

void GrSetClipRect(fw::CDC& dc, const fw::CRect& rect, int mode)
{
    fw::CPoint corners[2] = {rect.TopLeft(), rect.BottomRight()};
    dc.LPtoDP(corners, 2);
    fw::CRect device(corners[0].x, corners[0].y, corners[1].x + 1, corners[1].y + 1);
    if (mode == kGrClipAnd && dc.HasClip()) {
        fw::CRect both;
        both.IntersectRect(dc.DeviceClip(), device);
        device = both;
    }
    dc.SelectClipRgn(&device);
}

void GrGetPrintMargins(fw::CDC& dc, fw::CRect& margins)
{
    const int offsetX = dc.GetDeviceCaps(fw::PHYSICALOFFSETX);
    const int offsetY = dc.GetDeviceCaps(fw::PHYSICALOFFSETY);
    const int physicalWidth = dc.GetDeviceCaps(fw::PHYSICALWIDTH);
    const int physicalHeight = dc.GetDeviceCaps(fw::PHYSICALHEIGHT);
    const int resX = dc.GetDeviceCaps(fw::HORZRES);
    const int resY = dc.GetDeviceCaps(fw::VERTRES);
    const int borderX = fw::MulDiv(kBorder, dc.GetDeviceCaps(fw::LOGPIXELSX), kPerInch);
    const int borderY = fw::MulDiv(kBorder, dc.GetDeviceCaps(fw::LOGPIXELSY), kPerInch);
    fw::CPoint corners[2] = {
        {borderX - offsetX, borderY - offsetY},
        {borderX - (physicalWidth - offsetX - resX), borderY - (physicalHeight - offsetY - resY)},
    };
    dc.DPtoLP(corners, 2);
    margins = fw::CRect(corners[0], corners[1]);
}
