#pragma once

// The frequency graph of a graph page: the counts of chosen analyses of a
// frequency-data document (or of the project's measuring system) drawn as
// columns over their slices. The analyses are held by reference, so a page
// keeps drawing them while their document is closed, and they are stored
// with the page.

#include "frequency/graph/HistGraphDraw.h"
#include "frequency/graph/HistGraphPrf.h"
#include "frequency/model/HistCountArray.h"
#include "docbase/graphpage/ZELOffScreenBitmap.h"
#include "graphdoc/model/DrawMeasObj.h"
#include "graphdoc/model/GraphViewDoc.h"

#include <vector>

class CDblDataTank;
class CGraphPrfList;
class CZELGraphViewDoc;

namespace fw {
class CDocument;
}

class CDrawHistObj : public CDrawMeasObj, public IGraphEditors, public IMainGraphDrawSource {
    FW_DECLARE_SERIAL(CDrawHistObj)
public:
    static constexpr double kDefaultLeft = 0.02;
    static constexpr double kDefaultTop = 0.06;
    static constexpr double kDefaultRight = 0.8;
    static constexpr double kDefaultBottom = 0.98;
    static constexpr int kGraphMargin = 10;

    CDrawHistObj();
    // A new graph placed inside the page area by the default fractions.
    explicit CDrawHistObj(const fw::CRect& area);
    ~CDrawHistObj() override;

    // Takes the profile and, when its document is open, the analyses it
    // names; the number of chosen indexes, 0 when the document is not open.
    int SetGraphPrf(const CHistGraphPrf& profile);
    // The same with the source document given (null: not open).
    int SetGraphPrf(const CHistGraphPrf& profile, fw::CDocument* document);
    // X title: the unit of the first chosen analysis; Y title "Count".
    void UpdateAxisTitles();
    CHistGraphPrf* GetGraphPrf() { return &m_prf; }
    // The settings dialog on a copy of the profile; on OK the graph takes it.
    void OnEditProperties() override;

    void Serialize(fw::CArchive& ar) override;
    void Draw(fw::CDC* dc) override;
    void SetFrameStyle(const CDrawObjPrf& style) override;
    void RecalcPosition(const fw::CRect& area) override;
    void SetRelativePosition(const fw::CRect& rect, const fw::CRect& area) override;
    intptr_t OnUpdate(intptr_t hint, fw::CObject* hintObject) override;
    // A copy with the same profile, scales, frame and labels, added to
    // `document` when one is given.
    CDrawObj* Clone(CZELGraphViewDoc* document) override;
    bool CanCopy() override { return false; }
    bool CanDelete() override { return false; }
    void ResetSize() override { ApplyFrameMargins(); }
    bool RefersToDocument(const CDocIdent* ident) override;
    const CDataMeasPrf* GetDataSource() const override { return &m_prf; }

    // The page's graph commands: each answers whether the graph changed.
    bool EditScales() override;
    bool EditGrid() override;
    bool EditLabels() override;
    bool EditPlotLines() override;
    CGraphSetting* GetMainGraphDraw() override { return &m_draw; }

    CHistGraphDraw& GraphDraw() { return m_draw; }
    CHistCountArray& Analyses() { return m_analyses; }
    CDblDataTank* XTank(int index) const;
    bool NeedsRedraw() const { return m_bRedraw; }

    double m_relRight = kDefaultRight;
    double m_relBottom = kDefaultBottom;

private:
    void InitGraphDefaults();
    // Frame and graph into `rect` of `dc`.
    void RenderWhole(fw::CDC& dc, const fw::CRect& rect);
    // The kept picture of the graph, rendered again when marked or resized,
    // copied to `rect`; false when the device takes no pictures.
    bool DrawThroughPicture(fw::CDC& dc, const fw::CRect& rect);
    // Hints of the measurement panel and of the graph view's reference file.
    intptr_t OnLiveHint(intptr_t hint, fw::CObject* hintObject);
    void ResizeLegend();
    // An empty first profile, then one per series with its source and line
    // settings; false (reported) when memory runs short.
    bool BuildPlotLinePrfList(CGraphPrfList& list);
    // Takes the profile again after its document changed, redrawn in full.
    void Retake(fw::CDocument* document, bool resizeLegend);
    void BuildSeriesPerAnalysis(fw::CDocument* document);
    void BuildSeriesPerTank(fw::CDocument* document);
    void RemoveSeriesFrom(int first);
    CDblDataTank* EnsureXTank(int index);
    void ReleaseXTanks();
    void RelinkTanksAfterLoad();
    fw::CString UnitOf(const CHistCountObj& analysis) const;

    CHistGraphPrf m_prf;
    CHistCountArray m_analyses;
    std::vector<CDblDataTank*> m_xTanks;
    CHistGraphDraw m_draw;
    CZELOffScreenBitmap m_picture;
    bool m_bRedraw = true;
};

// A new frequency graph over the page area of `page` showing `profile` of
// `source`, added to the page; the graph.
CDrawHistObj* AddHistGraph(CZELGraphViewDoc& page, const CHistGraphPrf& profile, fw::CDocument* source);
