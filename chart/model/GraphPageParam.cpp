#include "chart/model/GraphPageParam.h"

#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/Archive.h"

#include <algorithm>
#include <cmath>

FW_IMPLEMENT_SERIAL(CGraphPageParam, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

// The smallest stored series: a back-reference tag.
static constexpr size_t kMinSeriesBytes = 2;

void tDataRange::Take(double max, double min)
{
    if (!found) {
        maximum = max;
        minimum = min;
        found = true;
        return;
    }
    maximum = std::max(maximum, max);
    minimum = std::min(minimum, min);
}

CGraphPageParam::CGraphPageParam() : m_series(std::make_unique<CGraphParamArrayList>()) {}

CGraphPageParam::~CGraphPageParam()
{
    if (m_series)
        m_series->DeleteAll();
}

void CGraphPageParam::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        m_series->Serialize(ar);
        return;
    }
    m_series->DeleteAll();
    // The page owns its series and draws every one: a list naming a series
    // twice, an object of another class or none at all is damaged.
    const uint64_t count = ar.ReadCount(kMinSeriesBytes);
    for (uint64_t i = 0; i < count; ++i) {
        auto* series = static_cast<CGraphParamArray*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CGraphParamArray)));
        if (!series)
            fw::ThrowArchiveException(fw::CArchiveException::badIndex, ar.m_strFileName);
        m_series->Add(series);
    }
}

void CGraphPageParam::AppendSeries(CGraphParamArray* series)
{
    if (!m_series)
        m_series = std::make_unique<CGraphParamArrayList>();
    m_series->Add(series);
}

std::unique_ptr<CGraphParamArray> CGraphPageParam::NewSeries()
{
    return std::make_unique<CGraphParamArray>();
}

std::unique_ptr<CGraphParamArray> CGraphPageParam::CreateSeries(int16_t type, bool withLines)
{
    std::unique_ptr<CGraphParamArray> series = NewSeries();
    series->SetGraphType(type);
    tSeriesStyle style = series->GetStyle();
    const bool found = IsBarType(type) ? PickBarStyle(style) : PickLineStyle(style, withLines);
    if (found)
        series->SetStyle(style);
    return series;
}

bool CGraphPageParam::StyleTaken(const tSeriesStyle& s, bool bars) const
{
    for (int i = 0; i < GetSeriesCount(); ++i) {
        const tSeriesStyle& o = GetSeries(i)->GetStyle();
        if (bars) {
            if (o.lineWidth == s.lineWidth && o.lineColor == s.lineColor && o.fillColor == s.fillColor &&
                o.fill == s.fill)
                return true;
        } else if (o.lineWidth == s.lineWidth && o.lineColor == s.lineColor && o.symbolColor == s.symbolColor &&
                   o.linePattern == s.linePattern && o.symbolType == s.symbolType) {
            return true;
        }
    }
    return false;
}

bool CGraphPageParam::PickLineStyle(tSeriesStyle& out, bool withLines) const
{
    static constexpr uint16_t kPatterns[] = {0xFFFF, 0xAAAA, 0xCCCC, 0xF8F8, 0xE4E4, 0xFF18, 0xFCCC, 0};
    tSeriesStyle s = out;
    s.fill = 1;
    s.symbolSize = 4;
    s.symbolInterval = 1;
    s.drawType = 0;
    auto take = [&]() {
        if (StyleTaken(s, false))
            return false;
        out = s;
        return true;
    };
    if (withLines) {
        for (int16_t v = 1; v <= 3; ++v)
            for (int16_t c = 0; c <= 6; ++c)
                for (int16_t sym = 0; sym <= 14; ++sym)
                    for (uint16_t pattern : kPatterns)
                        for (int16_t lc = 0; lc <= 6; ++lc) {
                            s.lineWidth = s.lineHeight = v;
                            s.symbolColor = s.fillColor = c;
                            s.symbolType = sym;
                            s.linePattern = pattern;
                            s.lineColor = lc;
                            if (take())
                                return true;
                        }
        return false;
    }
    s.linePattern = 0;
    s.lineWidth = s.lineHeight = 0;
    for (int16_t lc = 0; lc <= 6; ++lc)
        for (int16_t c = 0; c <= 6; ++c)
            for (int16_t sym = 1; sym <= 14; ++sym) {
                s.lineColor = lc;
                s.symbolColor = s.fillColor = c;
                s.symbolType = sym;
                if (take())
                    return true;
            }
    return false;
}

bool CGraphPageParam::PickBarStyle(tSeriesStyle& out) const
{
    tSeriesStyle s = out;
    s.symbolSize = 4;
    s.symbolType = 1;
    s.fill = 1;
    s.linePattern = 0xFFFF;
    s.symbolInterval = 1;
    s.drawType = 0;
    for (int16_t v = 1; v <= 3; ++v)
        for (int16_t lc = 0; lc <= 5; ++lc)
            for (int16_t c = 0; c <= 5; ++c)
                for (int16_t fill = 1; fill <= 7; ++fill) {
                    s.lineWidth = s.lineHeight = v;
                    s.lineColor = lc;
                    s.symbolColor = s.fillColor = c;
                    s.fill = fill;
                    if (!StyleTaken(s, true)) {
                        out = s;
                        return true;
                    }
                }
    return false;
}

void CGraphPageParam::RemoveSeries(CGraphParamArray* series)
{
    if (m_series)
        m_series->RemoveObject(series);
}

int CGraphPageParam::GetSeriesCount() const
{
    return m_series ? m_series->GetSize() : 0;
}

CGraphParamArray* CGraphPageParam::GetSeries(int index) const
{
    return m_series ? m_series->GetObjectAt(index) : nullptr;
}

void CGraphPageParam::ResetAll()
{
    for (int i = 0; i < GetSeriesCount(); ++i)
        GetSeries(i)->ResetHook();
}

void CGraphPageParam::SelectDocumentData(const fw::CDocument* document, int index)
{
    for (int i = 0; i < GetSeriesCount(); ++i)
        GetSeries(i)->SelectDocumentData(document, index);
}

bool CGraphPageParam::ApplyUpdate(int kind, const fw::CObject* info)
{
    bool changed = false;
    for (int i = 0; i < GetSeriesCount(); ++i)
        changed = GetSeries(i)->ApplyUpdate(kind, info) || changed;
    return changed;
}

bool CGraphPageParam::NeedsFullRedraw() const
{
    for (int i = 0; i < GetSeriesCount(); ++i)
        if (!GetSeries(i)->GetRedrawFlag())
            return true;
    return false;
}

void CGraphPageParam::MarkDocument(const fw::CDocument* document)
{
    for (int i = 0; i < GetSeriesCount(); ++i)
        GetSeries(i)->MarkDocument(document);
}

// --- ranges ----------------------------------------------------------------

bool CGraphPageParam::GetCursorRange(int kind, int first, int count, CZELDataPoter* accessor, double& maximum,
                                     double& minimum, double origin, int logKind) const
{
    if (first < 0 || !accessor)
        return false;
    std::unique_ptr<CZELDataPtr> cursor(accessor->CreateCursor());
    if (!cursor)
        return false;
    // Logarithmic axes take only positive values.
    if (logKind == 1)
        return cursor->MaxMinAbove(first, count, maximum, minimum, 0.0);
    return cursor->MaxMin(first, count, maximum, minimum);
}

void CGraphPageParam::TakeAccessor(CZELDataPoter* accessor, double origin, int logKind, tDataRange& range) const
{
    if (!accessor)
        return;
    double max = 0.0, min = 0.0;
    if (GetCursorRange(0, accessor->GetStartIndex(), accessor->GetCount(), accessor, max, min, origin, logKind))
        range.Take(max, min);
}

void CGraphPageParam::TakeDistribution(CGraphParamArray& series, int axis, double origin, int logKind,
                                       bool computed, tDataRange& range) const
{
    const int type = series.GetGraphType();
    // 31 and 33 have positions on X, 32 and 34 on Y.
    const bool positionsOnX = type == 31 || type == 33;
    const bool wantPositions = (axis == 'X') == positionsOnX;
    if (wantPositions) {
        std::unique_ptr<CZELDataPoter> positions = series.MakePositionCursor();
        TakeAccessor(positions.get(), origin, logKind, range);
        return;
    }
    if (computed) {
        series.MakePositionCursor(); // sorts the value tanks
        std::unique_ptr<CZELDataPoter> values = series.MakeComputedValueCursor();
        TakeAccessor(values.get(), origin, logKind, range);
        return;
    }
    for (int p = 0; p <= series.GetLastSamplePosition(); ++p) {
        std::unique_ptr<CZELDataPoter> values = series.MakeValueCursor(p);
        TakeAccessor(values.get(), origin, logKind, range);
    }
}

void CGraphPageParam::TakeZeroForBars(int axis, tDataRange& range) const
{
    const int count = GetSeriesCount();
    if (count == 0 || !range.found)
        return;
    const int type = GetSeries(count - 1)->GetGraphType();
    const bool valueOnY = type == 6 || type == 33 || type == 60;
    const bool valueOnX = type == 8 || type == 34;
    if ((valueOnY && axis == 'Y') || (valueOnX && axis == 'X')) {
        range.maximum = std::max(range.maximum, 0.0);
        range.minimum = std::min(range.minimum, 0.0);
    }
}

bool CGraphPageParam::GetDataRange(int axis, double origin, double& maximum, double& minimum, int logKind,
                                   bool expandOnly, bool mode2)
{
    tDataRange range;
    for (int i = 0; i < GetSeriesCount(); ++i) {
        CGraphParamArray& series = *GetSeries(i);
        if (CGraphParamArray::IsDistributionType(series.GetGraphType())) {
            TakeDistribution(series, axis, origin, logKind, false, range);
            continue;
        }
        int first = series.GetFirstUsableIndex();
        int count = series.GetUsableCount();
        if (expandOnly) {
            // Every sample since the series was last drawn, not only the
            // newest: a poll may bring several.
            const int last = series.GetSampleIndex(1);
            const int drawn = series.GetLastDrawnIndex();
            first = drawn >= 0 && drawn <= last ? drawn : last;
            count = last - first + 1;
        } else if (mode2 && logKind != 1) {
            count = 1;
        }
        if (first < 0 || count < 1)
            continue;
        int16_t kind = 0;
        std::unique_ptr<CZELDataPoter> accessor = axis == 'X' ? series.MakeXCursor(kind, mode2, first, count)
                                                              : series.MakeYCursor(kind, mode2, first, count);
        TakeAccessor(accessor.get(), origin, logKind, range);
    }
    TakeZeroForBars(axis, range);
    if (range.found) {
        maximum = range.maximum;
        minimum = range.minimum;
    }
    return range.found;
}

bool CGraphPageParam::GetCurrentRange(int axis, double origin, double& maximum, double& minimum, int logKind,
                                      bool full)
{
    tDataRange range;
    for (int i = 0; i < GetSeriesCount(); ++i) {
        CGraphParamArray& series = *GetSeries(i);
        if (CGraphParamArray::IsDistributionType(series.GetGraphType())) {
            TakeDistribution(series, axis, origin, logKind, true, range);
            continue;
        }
        const double v = axis == 'X' ? series.GetXCurrent() : series.GetYCurrent();
        if (std::isfinite(v) && (logKind != 1 || v > 0.0))
            range.Take(v, v);
    }
    TakeZeroForBars(axis, range);
    if (range.found) {
        maximum = range.maximum;
        minimum = range.minimum;
    }
    return range.found;
}

bool CGraphPageParam::GetDataRangeIn(int axis, double origin, double& maximum, double& minimum, int logKind,
                                     int first, int last)
{
    tDataRange range;
    for (int i = 0; i < GetSeriesCount(); ++i) {
        CGraphParamArray& series = *GetSeries(i);
        if (CGraphParamArray::IsDistributionType(series.GetGraphType()))
            continue;
        const int usableFirst = series.GetFirstUsableIndex();
        const int from = std::max(first, usableFirst);
        const int to = std::min(last, usableFirst + series.GetUsableCount() - 1);
        if (from < 0 || to < from)
            continue;
        int16_t kind = 0;
        std::unique_ptr<CZELDataPoter> accessor = axis == 'X' ? series.MakeXCursor(kind, false, from, to - from + 1)
                                                              : series.MakeYCursor(kind, false, from, to - from + 1);
        TakeAccessor(accessor.get(), origin, logKind, range);
    }
    TakeZeroForBars(axis, range);
    if (range.found) {
        maximum = range.maximum;
        minimum = range.minimum;
    }
    return range.found;
}
