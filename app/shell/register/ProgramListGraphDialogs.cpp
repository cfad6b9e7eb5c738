#include "app/shell/register/ProgramListGraphDialogs.h"

#include "chart/model/GrFrameRec.h"
#include "chart/model/SeriesStyle.h"
#include "framework/core/Services.h"
#include "graphdoc/model/GraphPrf.h"
#include "graphdoc/views/GraphGrid.h"
#include "graphdoc/views/objects/PlotLineDlgs.h"

#include <cstring>
#include <memory>

namespace {

// The profile's line block and the series style hold the same twelve
// values in the same order.
static_assert(sizeof(tSeriesStyle) == sizeof(int16_t) * CGraphPrf::kLineBlockValues);

std::unique_ptr<CGraphPrf> ProfileOf(const tSeriesStyle& style)
{
    int16_t block[CGraphPrf::kLineBlockValues];
    std::memcpy(block, &style, sizeof block);
    auto profile = std::make_unique<CGraphPrf>();
    profile->SetLineBlock(block);
    return profile;
}

} // namespace

bool CProgramListGraphDialogs::EditGridLines(GrFrameRec& frame)
{
    CGraphGrid dialog;
    dialog.LoadFrame(frame);
    if (dialog.DoModal() != fw::IDOK)
        return false;
    dialog.StoreFrame(frame);
    return true;
}

bool CProgramListGraphDialogs::EditPlotLines(tSeriesStyle& style)
{
    CGraphPrfList profiles;
    profiles.Add(ProfileOf(style).release());
    profiles.Add(ProfileOf(style).release());
    CLineSymbleDlg dialog(profiles);
    if (dialog.DoModal() != fw::IDOK)
        return false;
    int16_t block[CGraphPrf::kLineBlockValues];
    profiles.GetAt(1)->GetLineBlock(block);
    std::memcpy(&style, block, sizeof style);
    return true;
}
