#include "canvoicegps/views/data/GpsTrackPicture.h"

#include "chart/model/GraphParamArray.h"
#include "common/tank/DataTankObject.h"
#include "docbase/graphpage/ZELBitmap.h"
#include "framework/core/DC.h"

#include <algorithm>

namespace {

constexpr fw::COLORREF kWindowColor = fw::RGB(255, 255, 255);
constexpr int16_t kLineGraph = 1;

} // namespace

CGpsTrackPicture::CGpsTrackPicture()
{
    m_draw.SetGraphType(kLineGraph);
    m_draw.Scale().m_x.autoMode = 1;
    m_draw.Scale().m_y.autoMode = 1;
    // The axes widen with new data.
    m_draw.SetOption(0, true);
    m_draw.CreatePlot();
}

fw::CRect CGpsTrackPicture::PlotRectFor(const fw::CRect& client)
{
    fw::CRect r(client.left + 1, client.top + 1, client.right - 2, client.bottom - 2);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width < height) {
        r.bottom = r.top + width;
        const int shift = (height - width) / 2;
        r.top += shift;
        r.bottom += shift;
    } else {
        r.right = r.left + height;
        const int shift = (width - height) / 2;
        r.left += shift;
        r.right += shift;
    }
    return r;
}

void CGpsTrackPicture::SetTrack(CDataTankObject* x, CDataTankObject* y)
{
    if (!x || !y || m_draw.GetSeriesCount() > 0)
        return;
    const int count = std::min(x->GetDataCount(), y->GetDataCount());
    for (int s = kTrackSeries; s <= kHighlightSeries; ++s) {
        CGraphParamArray* series = m_draw.AddSeries(true);
        if (!series)
            return;
        series->AppendItem(0, 0, x);
        series->AppendItem(0, 1, y);
        if (s == kTrackSeries)
            series->SetDrawRange(0, count - 1);
        else
            series->SetDrawRange(-1, -1);
    }
    Rescale();
}

void CGpsTrackPicture::SetHighlight(int first, int last)
{
    CGraphParamArray* series = m_draw.GetSeries(kHighlightSeries);
    if (!series)
        return;
    if (first < 0 || last < 0)
        first = last = -1;
    else if (last < first)
        std::swap(first, last);
    series->SetSampleRange(series->GetSourceDocument(), first, last);
}

void CGpsTrackPicture::GetHighlight(int& first, int& last) const
{
    first = last = -1;
    if (CGraphParamArray* series = m_draw.GetSeries(kHighlightSeries)) {
        first = series->GetSampleIndex(0);
        last = series->GetSampleIndex(1);
    }
}

void CGpsTrackPicture::Rescale()
{
    m_draw.AutoScale();
    m_draw.CreatePlot();
    m_bValid = false;
}

void CGpsTrackPicture::DrawTrack(fw::CDC& dc, const fw::CRect& plot)
{
    m_draw.SetPlotRect(plot);
    m_draw.DrawAxes(dc, plot);
    m_draw.DrawSeries(dc, plot, kTrackSeries);
    ++m_nTrackDraws;
}

void CGpsTrackPicture::Paint(fw::CDC& dc, const fw::CRect& plot)
{
    const fw::CRect picture(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    const bool reuse = m_bValid && picture == m_bitmapRect && m_picture.GetBitmap();
    if (!reuse) {
        fw::CDC* mem = nullptr;
        if (m_picture.Create(&dc, picture.Width(), picture.Height()))
            mem = m_picture.BeginDraw(&dc);
        if (mem) {
            // The picture holds the plot only; drawn in client units.
            mem->SetViewportOrg(-picture.left, -picture.top);
            mem->FillSolidRect(plot, kWindowColor);
            DrawTrack(*mem, plot);
            m_picture.EndDraw();
            m_bitmapRect = picture;
            m_bValid = true;
        } else {
            m_picture.Reset();
            m_bitmapRect = fw::CRect();
            m_bValid = false;
            DrawTrack(dc, plot);
        }
    }
    if (m_bValid)
        if (CZELBitmap* bitmap = m_picture.GetBitmap())
            bitmap->CopyTo(dc, fw::CPoint(picture.left, picture.top));
    m_draw.DrawSeries(dc, plot, kHighlightSeries);
}

void CGpsTrackPicture::Print(fw::CDC& dc, const fw::CRect& plot)
{
    DrawTrack(dc, plot);
    m_draw.DrawSeries(dc, plot, kHighlightSeries);
    m_bValid = false;
}
