#pragma once

// The base of the data graphs of a graph page (X-Y, time, distribution and
// bar graphs, power spectra). It embeds the drawer that holds the graph's
// settings and series, places itself by four fractions of the page, keeps
// a rendered picture of the graph and runs the axis, label and grid
// editors that the page's commands call.

#include "chart/model/KivGraphDraw.h"
#include "docbase/graphpage/ZELOffScreenBitmap.h"
#include "graphdoc/model/DrawMeasObj.h"

class CDrawGraphObj : public CDrawMeasObj {
    FW_DECLARE_SERIAL(CDrawGraphObj)
public:
    // Redraw states of the picture.
    static constexpr int kCopyPicture = 0;
    static constexpr int kRedrawAll = 1;

    static constexpr double kDefaultLeft = 0.02;
    static constexpr double kDefaultTop = 0.06;
    static constexpr double kDefaultRight = 0.8;
    static constexpr double kDefaultBottom = 0.98;

    CDrawGraphObj();
    // Placed inside `area` by the four fractions.
    explicit CDrawGraphObj(const fw::CRect& area);
    ~CDrawGraphObj() override;

    // The fractions, the picture rectangle and the drawing-object part (not
    // the drawer).
    CDrawGraphObj& Assign(const CDrawGraphObj& other);
    // The drawing-object part, the drawer, the right and bottom fractions.
    void Serialize(fw::CArchive& ar) override;

    // --- drawing objects ---------------------------------------------------------
    void SetFrameStyle(const CDrawObjPrf& style) override;
    // A plain data graph cannot be copied.
    CDrawObj* Clone(CZELGraphViewDoc* document) override { return nullptr; }
    bool CanCopy() override { return false; }
    bool CanDelete() override { return false; }
    void ResetSize() override { ApplyFrameMargins(); }
    void RecalcPosition(const fw::CRect& area) override;
    void SetRelativePosition(const fw::CRect& rect, const fw::CRect& area) override;

    // --- the family's own operations ------------------------------------------
    virtual void SetMonitorUse(bool use) {}
    virtual bool EditAxes();
    virtual bool EditPlotLines() { return true; }
    virtual bool EditLabels();
    virtual bool EditGrid();
    virtual bool UpdateLegendTexts();
    virtual bool UpdateAxisTitles();
    // The creation kind of a simple graph; 0 for others.
    virtual int GetCreationKind() const { return 0; }

    // The default look of a new data graph.
    void InitGraph();
    CKivGraphDraw& Draw() { return m_draw; }
    const CKivGraphDraw& Draw() const { return m_draw; }
    CZELOffScreenBitmap& Picture() { return m_picture; }
    int GetRedrawState() const { return m_redraw; }
    void SetRedrawState(int state) { m_redraw = state; }
    void MarkRedraw() { m_redraw = kRedrawAll; }

    double m_relRight = kDefaultRight;
    double m_relBottom = kDefaultBottom;
    fw::CRect m_pictureRect;

protected:
    // Draws the graph into the frame rectangle through the kept picture:
    // the picture is rendered again when marked or when the rectangle
    // changed; printing always draws directly.
    void DrawThroughPicture(fw::CDC* dc);
    // Renders the picture again when needed; false when there is none.
    bool RenderPicture(const fw::CDC* reference, const fw::CRect& rect);
    // The drawer's whole graph into `rect` of `dc`.
    virtual void RenderGraph(fw::CDC& dc, const fw::CRect& rect);

    CKivGraphDraw m_draw;
    CZELOffScreenBitmap m_picture;
    int m_redraw = kRedrawAll;
};
