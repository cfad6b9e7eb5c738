#pragma once

// The drawer of graphs of measured data (X-Y and time graphs, list graphs,
// GPS and frequency graphs): on top of the graph drawer a data mode, axis
// titles taken from the series' tanks, automatic series names, an X axis
// that scrolls as a window of fixed width with new data, and auto-scaling
// over the current values.

#include "chart/model/GraphDraw.h"

#include <cstdint>

class CKivGraphDraw : public CGraphDraw {
    FW_DECLARE_SERIAL(CKivGraphDraw)
public:
    // Data modes: 0 the recorded data; 1 a graph that starts empty and
    // fills with new data; 2 as 1, auto-scaled to the current values.
    static constexpr int32_t kDataRecorded = 0;
    static constexpr int32_t kDataLive = 1;
    static constexpr int32_t kDataLiveCurrent = 2;

    CKivGraphDraw();
    ~CKivGraphDraw() override;

    void Serialize(fw::CArchive& ar) override;
    // With the title taken from the series, the first series' tank gives
    // it (the given text only while there is no series).
    bool SetAxisTitle(int axis, const fw::CString& text, const fw::CString& unit) override;
    bool AutoScale() override;
    bool AutoScaleExpand() override;
    // Distribution graphs draw every series' computed profile (bar
    // distributions first every sample profile of the series that keep
    // them), without clearing the plot area.
    bool DrawMarkedPoints(fw::CDC& dc) override;

    // Only with option bit 0 and a data mode other than 0.
    virtual bool AutoScaleLive();
    // False when automatic names are off.
    virtual bool RefreshSeriesNames();
    // As AutoScaleAxis over the current values; `full` applies the range
    // always, else only when the values lie outside the axis.
    virtual bool AutoScaleCurrent(int axis, bool full, bool mode2);
    // Both outputs infinity unless a series plot maps the device point back.
    virtual void DeviceToData(int x, int y, double& outX, double& outY);

    // Each auto-scaled axis gets mode 2 when the series follows its
    // document's selection, else 1 (the last series decides).
    void UpdateAutoScaleModes();
    // Moves the axis as a window of `width` to take in the newest data
    // (`full`: the samples since the last drawing, else the current
    // values). Whether the range was set.
    bool AutoScroll(int axis, double width, bool full);
    // Every series starts at the last sample of the first series whose X is
    // not above the X axis minimum.
    void AlignSeriesStart();
    // The axis title that the first series' tanks give: the tank's name and
    // " (unit)"; false without a series or tank.
    bool GetSeriesAxisTitle(int axis, fw::CString& text, fw::CString& unit) const;
    // Line graphs: every series at `index`, limited to its last sample; a
    // short series lowers the index for the series after it.
    void DrawCursorPoints(fw::CDC& dc, int index);
    // The series of `document` at `index`, the others at their last sample
    // (a time graph marks only the document's series, at sample 0).
    void DrawCurrentPointsOf(fw::CDC& dc, const fw::CDocument* document, int index);

    int32_t m_dataMode = kDataRecorded;
    uint8_t m_xTitleFromSeries = 1;
    uint8_t m_yTitleFromSeries = 1;
    uint8_t m_autoNames = 1;
    int32_t m_autoScroll = 0;
    double m_autoScrollWidth = 10.0;

private:
    // X by auto-scroll or the given auto-scale, then Y; whether any changed.
    bool ScrollOrScaleX(bool full);
    // Cached calculated tanks of every series: compressed storage in the
    // live modes, plain otherwise; emptied after a live graph was loaded.
    void PrepareCachedTanks(bool storing);
};
