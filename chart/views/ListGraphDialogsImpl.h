#pragma once

// The list-graph dialogs of the charting engine's views. The grid and
// plot-line dialogs belong to the graph pages above this layer: here they
// open nothing and answer "not confirmed"; the program installs a set that
// adds them (fw::Install<IListGraphDialogs>).

#include "chart/model/ListGraphDialogs.h"

class CListGraphDialogs : public IListGraphDialogs {
public:
    bool EditLabels(CGraphListObj& list) override;
    bool EditScales(CGraphListObj& list) override;
    bool EditDrawTypes(CGraphListObj& list) override;
    bool EditGridLines(GrFrameRec&) override { return false; }
    bool EditPlotLines(tSeriesStyle&) override { return false; }
};
