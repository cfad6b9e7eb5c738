#pragma once

// The list-graph dialogs as the program installs them: those of the
// charting engine's views, and the grid and plot-line dialogs of the graph
// pages, which the engine cannot reach from below.

#include "chart/views/ListGraphDialogsImpl.h"

class CProgramListGraphDialogs final : public CListGraphDialogs {
public:
    bool EditGridLines(GrFrameRec& frame) override;
    // The plot-line dialog edits profiles from entry 1 on: entry 0 stands
    // for the list, entry 1 for the style its rows share.
    bool EditPlotLines(tSeriesStyle& style) override;
};
