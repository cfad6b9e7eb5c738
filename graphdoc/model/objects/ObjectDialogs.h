#pragma once

// The dialogs of the spectrum, legend and monitor objects, which live in the
// views above: the program installs them (fw::Install<IGraphObjectDialogs>);
// without an implementation every dialog answers Cancel.

#include "framework/core/ServiceSlot.h"

class CDrawLegObj;
class CGraphPrfList;
class CKivGraphDraw;
class CMoniDataPrf;
class CPowGraphPrfList;
class CSimpleGraphPrfList;

class IGraphObjectDialogs {
public:
    virtual ~IGraphObjectDialogs() = default;
    // The spectrum dialog over a profile list; true on OK (list updated).
    virtual bool EditSpectrum(CPowGraphPrfList& list) { return false; }
    // The legend dialog on the object (rotation, legend texts); true on OK.
    virtual bool EditLegend(CDrawLegObj& legend) { return false; }
    // The numeric-monitor dialog over a profile; true on OK.
    virtual bool EditMonitor(CMoniDataPrf& profile) { return false; }
    // The plot-data dialog over a simple graph's profiles; true on OK.
    virtual bool EditPlotData(CSimpleGraphPrfList& list, int xAxisKind, int graphType, int dataMode,
                              bool projectOnly)
    {
        return false;
    }
    // The plot-line dialog (bars: the bar-line dialog) over profiles 1 on;
    // true on OK.
    virtual bool EditPlotLines(CGraphPrfList& list, bool bars, bool showInterval) { return false; }
    // The time-axis dialog over the drawer's scales; true on OK.
    virtual bool EditTimeScales(CKivGraphDraw& draw) { return false; }
};

// The installed dialogs, or ones that always cancel.
IGraphObjectDialogs& GraphObjectDialogs();
