#pragma once

// The main graph of the pages that the graph commands make from a data or
// project document: line, scatter and time-course graphs, distributions
// and bars, history graphs and the live monitor graphs. While it follows a
// running measurement, each poll draws only the samples that arrived into
// the kept picture, and the page's views repaint the dirty area once.

#include "graphdoc/model/DrawGraphObj.h"
#include "graphdoc/model/GraphPrf.h"

// The profiles of a simple graph's series (entry 0 a placeholder whose
// line style decides whether new series get lines) with the creation kind
// and the auto-scroll switch.
class CSimpleGraphPrfList : public CGraphPrfList {
public:
    CSimpleGraphPrfList() = default;

    int32_t m_creationKind = 0;
    int32_t m_autoScroll = 0;
};

class CSimpleGraphObj : public CDrawGraphObj {
    FW_DECLARE_SERIAL(CSimpleGraphObj)
public:
    // Picture marks beyond the base's full redraw (1) and copy (0).
    static constexpr int kRedrawGraph = 2;
    static constexpr int kAppendData = 3;

    CSimpleGraphObj();
    CSimpleGraphObj(const fw::CRect& area, int xAxisKind, int graphType);
    ~CSimpleGraphObj() override;

    // The data-graph record, then the creation kind.
    void Serialize(fw::CArchive& ar) override;
    void Draw(fw::CDC* dc) override;
    using CDrawGraphObj::Draw;
    // The plot-data dialog; on OK the series are rebuilt under paused polling.
    void OnEditProperties() override;
    // The axis dialog, or the time-axis dialog for a time X axis.
    bool EditAxes() override;
    // The plot-line or bar-line dialog; the profiles' styles go to the series.
    bool EditPlotLines() override;
    intptr_t OnUpdate(intptr_t hint, fw::CObject* hintObject) override;
    // A copy that reads the same documents (or keeps this graph's tanks).
    CDrawObj* Clone(CZELGraphViewDoc* document) override;
    int GetCreationKind() const override { return m_creationKind; }
    void SetCreationKind(int kind) { m_creationKind = kind; }
    bool IsTracking() const { return m_tracking != 0; }

    // Types 1-4 and 10 through the picture, new samples appended to it.
    virtual void DrawGraph(fw::CDC* dc);
    // Types 31-34: distributions and bars, redrawn whole when they change.
    virtual void DrawBarGraph(fw::CDC* dc);
    // Rebuilds every series from the profiles (a list without entries: the
    // invalid-argument exception).
    virtual void SetPrfList(CSimpleGraphPrfList& list);
    // A list describing the series (the list does not own them); false when
    // memory runs out.
    bool GetPrfList(CSimpleGraphPrfList& list);

private:
    // Series taken out of the drawer that no profile names are deleted.
    void TakeOutSeries(CSimpleGraphPrfList& list);
    void BuildSeriesFromProfiles(CSimpleGraphPrfList& list);
    void SwitchAutoScroll(const CSimpleGraphPrfList& list);
    bool IsHistoryKind() const { return m_creationKind == 7 || m_creationKind == 8; }
    // Draws the samples that arrived since the last drawing into the kept
    // picture; false when there is no picture of the object's size.
    bool AppendToPicture(const fw::CDC* reference);
    void Redraw();
    // A poll or monitor step: the new values, appended unless the scales moved.
    void TakeNewValues();

    int32_t m_tracking = 0;
    int32_t m_creationKind = 0;
};
