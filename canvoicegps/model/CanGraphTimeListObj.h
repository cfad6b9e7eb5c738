#pragma once

// The time list graph of recorded CAN data. Every row plots a signal over
// the CAN time tank, whose values are the samples' own time stamps in
// ascending order, so every mapping between time and sample searches that
// tank instead of dividing by a sampling interval. Stored as the plain list
// graph.

#include "chart/model/GraphTimeListObj.h"

class CCanGraphTimeListObj : public CGraphTimeListObj {
    FW_DECLARE_SERIAL(CCanGraphTimeListObj)
public:
    CCanGraphTimeListObj();
    ~CCanGraphTimeListObj() override;

    void Serialize(fw::CArchive& ar) override;
    // Each row draws the samples whose times its X scale shows.
    void ApplyScaleToSampleWindows() override;
    // The time of a sample of row 0; an index beyond the samples is taken
    // as the last one. Throws fw::CInvalidArgException without rows.
    double SampleToTime(int index) override;
    double SnapTime(int row, double time) override;
    // The selection band of a CAN list has no handles to drag.
    int HitTestSelection(int row, const fw::CPoint& point) override;
    int TimeToSample(int row, double time) override;
    void DrawSelection(fw::CDC& dc, int row, bool cursorMarks) override;

private:
    // The time stamp of a sample of a row; HUGE_VAL for -1.
    double RowStampTime(int row, int32_t sample) const;
};
