// The regression line of a graph: its settings record, and the fit over
// the points of every series.

#include "chart/model/GraphSetting.h"

#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"

#include <algorithm>
#include <new>

void CGraphSetting::SetRegression(const tRegressionSettings& settings)
{
    if (!m_regression)
        m_regression = std::make_unique<tRegressionSettings>();
    *m_regression = settings;
}

void CGraphSetting::MarkRegressionDirty()
{
    if (m_regression)
        m_regression->recompute = 1;
}

bool CGraphSetting::GetRegression(tRegressionSettings& out) const
{
    if (!m_regression)
        return false;
    out = *m_regression;
    return true;
}

void CGraphSetting::FeedSeries(CGraphParamArray& series, int phase, const tRegressionSettings& settings, int first)
{
    const int usableFirst = series.GetFirstUsableIndex();
    const int count = series.GetUsableCount();
    if (usableFirst < 0 || count < 1)
        return;
    const int last = std::max(usableFirst, 0) + count - 1;
    first = std::max(first, std::max(usableFirst, 0));
    if (first > last)
        return;
    const int n = last - first + 1;
    int16_t kind = 0;
    std::unique_ptr<CZELDataPoter> xs = series.MakeXCursor(kind, false, first, n);
    std::unique_ptr<CZELDataPoter> ys = series.MakeYCursor(kind, false, first, n);
    if (!xs || !ys)
        return;
    std::unique_ptr<CZELDataPtr> xc(xs->CreateCursor());
    std::unique_ptr<CZELDataPtr> yc(ys->CreateCursor());
    if (!xc || !yc)
        return;
    const int steps = std::min(xs->GetCount(), ys->GetCount());
    for (int i = 0; i < steps; ++i) {
        double x = 0.0, y = 0.0;
        xc->ReadNext(x);
        yc->ReadNext(y);
        if (phase == 0)
            m_regress->AddPoint(x, y);
        else
            m_regress->AddFitPair(x, y, settings.coefficients);
    }
}

void CGraphSetting::FeedRegression(int phase, tRegressionSettings& settings, bool lastOnly)
{
    if (!m_regress)
        return;
    for (int i = 0; i < GetSeriesCount(); ++i) {
        CGraphParamArray& series = *GetSeries(i);
        if (phase == 0) {
            // Every sample after the last one fed: a poll may bring several.
            const int from = lastOnly ? series.GetLastFedIndex() + 1 : 0;
            FeedSeries(series, 0, settings, from);
            series.SetLastFedIndex(std::max(series.GetFirstUsableIndex(), 0) + series.GetUsableCount() - 1);
        } else {
            FeedSeries(series, 1, settings, 0);
        }
    }
    if (phase == 0) {
        m_regress->Solve(settings.coefficients);
        settings.xMin = m_regress->GetXMin();
        settings.xMax = m_regress->GetXMax();
    } else {
        double r = 0.0;
        m_regress->GetCorrelation(r);
        settings.correlation = settings.square ? r * r : r;
    }
}

bool CGraphSetting::ComputeRegression()
{
    if (!m_regress) {
        m_regress.reset(new (std::nothrow) CRegress);
        if (!m_regress)
            return false;
    }
    if (!m_regression)
        return false;
    tRegressionSettings copy = *m_regression;
    copy.recompute = 0;
    copy.invalid = 0;
    m_regress->SetDegree(copy.degree);
    FeedRegression(0, copy, false);
    if (m_regress->GetPointCount() > 1)
        FeedRegression(1, copy, false);
    else
        copy.invalid = 1;
    SetRegression(copy);
    return true;
}

bool CGraphSetting::UpdateRegression()
{
    if (!m_regress) {
        m_regress.reset(new (std::nothrow) CRegress);
        if (!m_regress)
            return false;
    }
    if (!m_regression)
        return false;
    if (static_cast<uint32_t>(std::max<int>(m_regression->degree, 0)) >= m_regress->GetPointCount())
        return ComputeRegression();
    tRegressionSettings copy = *m_regression;
    copy.recompute = 0;
    FeedRegression(0, copy, true);
    // The correlation with the new coefficients comes from the running
    // sums: a second pass over every point would make each poll cost the
    // whole record.
    double r = 0.0;
    m_regress->GetFitCorrelation(r);
    copy.correlation = copy.square ? r * r : r;
    SetRegression(copy);
    return true;
}
