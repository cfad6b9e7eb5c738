#pragma once

// The list graph of recorded data over time: every row shows a channel
// against the time channel, and all rows share one selected sample range
// that the list converts between sample index, time and device position,
// draws as an inverted band and hit-tests. HUGE_VAL stands for no time and
// -1 for no sample.

#include "chart/model/GraphListObj.h"

#include <cstdint>

class CDataTankObject;

class CGraphTimeListObj : public CGraphListObj {
    FW_DECLARE_SERIAL(CGraphTimeListObj)
public:
    // Which edge SetSelectionEdge moves; any other value takes the nearer.
    static constexpr int kBothEdges = 0;
    static constexpr int kStartEdge = 1;
    static constexpr int kEndEdge = 2;
    static constexpr int kNearerEdge = -1;

    CGraphTimeListObj();
    ~CGraphTimeListObj() override;

    void Recalculate(bool autoScale) override;
    // A time row: both axes auto-scaled with mode 2.
    CListGraphDraw* CreateRow() override;

    virtual void ClearSelection();
    // Each row draws the samples its X scale shows (all with X auto-scaled).
    virtual void ApplyScaleToSampleWindows();
    // The first row's X text of the sample; empty without one.
    virtual fw::CString GetSampleText(int index);
    virtual double SampleToTime(int index);
    // The time of the sample under a device point of a row (x kept within
    // the plot).
    virtual double TimeAtPoint(int row, int x, int y);
    virtual double SnapTime(int row, double time);
    // The edge set: 1 start, 2 end, -1 both, 0 the selection was cleared.
    virtual int SetSelectionEdge(int which, double time);
    virtual void SetSelection(int32_t start, int32_t end);
    // A tracker hit code of the point against the row's selected band.
    virtual int HitTestSelection(int row, const fw::CPoint& point);
    virtual int TimeToSample(int row, double time);
    virtual void DrawSelection(fw::CDC& dc, int row, bool cursorMarks);
    // The index within the first row's samples.
    virtual int ClampSample(int index);

    void GetSelection(int32_t& start, int32_t& end) const
    {
        start = m_selStart;
        end = m_selEnd;
    }
    void NormalizeSelection();

    // The rows as profiles: the header, then an entry per series of each
    // row (an empty row as an entry with channels -1). False when memory
    // ran out; the entries made so far stay.
    bool GetRowProfiles(CGraphPrfList& profiles) const;
    // Takes every series out of the rows and builds them again from the
    // profiles; an empty list throws the invalid-argument exception.
    void EditRows(const CGraphPrfList& profiles);

    // The X tank of the row's first series; null for an empty row or a row
    // without one.
    CDataTankObject* RowTimeTank(int row) const;
    // Its sampling interval: the time tank's step, 1 for another tank.
    static double SampleInterval(CDataTankObject* tank);

private:
    // start * d of the row; HUGE_VAL for a negative sample.
    double RowSampleTime(int row, int32_t sample) const;

    int32_t m_selStart = -1;
    int32_t m_selEnd = -1;
};
