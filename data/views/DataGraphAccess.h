#pragma once

// The charting engine's time list graph behind a document's IGraphTimeList.
// The program joins the two above this layer and installs the lookup
// (fw::Install<IDataGraphAccess>); without it the views find no graph.

class CGraphTimeListObj;
class CKivDocBase;
class IGraphTimeList;

struct IDataGraphAccess {
    virtual ~IDataGraphAccess() = default;
    virtual CGraphTimeListObj* TimeListGraph(IGraphTimeList& list) = 0;
};

// The document's time list graph, or null.
CGraphTimeListObj* DataTimeListGraph(CKivDocBase& doc);
