#pragma once

// The GPS track as the track view paints it: the frame and the whole track
// drawn once into an off-screen picture that later paints copy, and the
// selected part of the track drawn straight over it on every paint, so that
// moving a selection never draws the whole track again.

#include "canvoicegps/model/GpsGraphDraw.h"
#include "docbase/graphpage/ZELOffScreenBitmap.h"
#include "framework/core/Geometry.h"

class CDataTankObject;

class CGpsTrackPicture {
public:
    static constexpr int kTrackSeries = 0;
    static constexpr int kHighlightSeries = 1;

    CGpsTrackPicture();

    // The square plot of a client area: 1 pixel inside at the top left and
    // 2 at the bottom right, the longer side cut to the shorter and centred.
    static fw::CRect PlotRectFor(const fw::CRect& client);

    // The track over X and Y (both series, the highlight empty); nothing
    // when either is missing. Scales both axes to the track.
    void SetTrack(CDataTankObject* x, CDataTankObject* y);
    bool HasTrack() const { return m_draw.GetSeriesCount() > kHighlightSeries; }
    // The samples first to last drawn over the track; -1 for none. The
    // picture stays as it is.
    void SetHighlight(int first, int last);
    void GetHighlight(int& first, int& last) const;
    // The data changed: scale again and draw the track anew at the next paint.
    void Rescale();
    void Invalidate() { m_bValid = false; }
    bool IsValid() const { return m_bValid; }

    // The picture (made again only when invalid or moved), then the
    // highlight over it.
    void Paint(fw::CDC& dc, const fw::CRect& plot);
    // Everything straight onto the device; the screen picture is drawn anew
    // afterwards.
    void Print(fw::CDC& dc, const fw::CRect& plot);

    // How often the whole track was drawn.
    int GetTrackDrawCount() const { return m_nTrackDraws; }
    CGpsGraphDraw& Draw() { return m_draw; }

private:
    void DrawTrack(fw::CDC& dc, const fw::CRect& plot);

    CGpsGraphDraw m_draw;
    CZELOffScreenBitmap m_picture;
    fw::CRect m_bitmapRect;
    bool m_bValid = false;
    int m_nTrackDraws = 0;
};
