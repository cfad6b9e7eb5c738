#pragma once

// The list-graph dialogs (labels, scales, draw methods, grid lines, plot
// lines), which live with the views; the program installs them
// (fw::Install). The first three load their table from the list, run, and
// on OK store the table and the fonts back. The grid and plot-line dialogs
// edit the record they are given; the list applies it to its rows. Each
// answers true when the user confirmed.

class CGraphListObj;
class GrFrameRec;
struct tSeriesStyle;

struct IListGraphDialogs {
    virtual ~IListGraphDialogs() = default;
    virtual bool EditLabels(CGraphListObj& list) = 0;
    virtual bool EditScales(CGraphListObj& list) = 0;
    virtual bool EditDrawTypes(CGraphListObj& list) = 0;
    // The frame, grid-line and tick-mark styles of the whole list.
    virtual bool EditGridLines(GrFrameRec& frame) = 0;
    // The line, symbol and colour style that every row's series shares.
    virtual bool EditPlotLines(tSeriesStyle& style) = 0;
};
