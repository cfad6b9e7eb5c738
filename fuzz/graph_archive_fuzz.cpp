// Graphs as documents and graph pages store them: records, axis elements,
// series, graph settings, and the list and time list graphs.

#include "fuzz/FuzzTarget.h"

KIV_FUZZ_TARGET(graph_archive_fuzz)
{
    kivfuzz::RegisterEverything();
    kivfuzz::ReadOneOf(data, size, {"OGPRecord", "GrScaleRec", "CPlotGrid", "CTickLabel", "CGraphParamArray",
                                    "CGraphSetting", "CKivGraphDraw", "CGraphListObj", "CGraphTimeListObj"});
    return 0;
}
