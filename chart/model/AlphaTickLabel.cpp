#include "chart/model/AlphaTickLabel.h"

#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"

#include <cmath>

namespace {

bool OnFirstSide(int32_t side) { return side == 2 || side == 4; }
bool OnSecondSide(int32_t side) { return side == 3 || side == 4; }

} // namespace

int CAlphaTickLabel::TextHeight(fw::CDC& dc)
{
    ApplyText(dc);
    fw::TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    RestoreText(dc);
    return tm.tmHeight;
}

bool CAlphaTickLabel::MapChecked(double mapped, OGPRecord* rec)
{
    if (GrCheckCoord(mapped, rec)) {
        rec->m_errorCode = kGrErrLabelCoord;
        rec->m_errorIndex = 1;
        return false;
    }
    return true;
}

int16_t CAlphaTickLabel::MapX(double value, OGPRecord* rec)
{
    if (!rec->m_xRangeSet || std::abs(rec->m_xMax - rec->m_xMin) < kGrEmptyRange) {
        rec->m_errorCode = kGrErrNoXRange;
        rec->m_errorIndex = 0;
        return 0;
    }
    const fw::CRect& r = rec->m_plotRect;
    const double mapped = r.left + (value - rec->m_xMin) * (r.right - r.left) / (rec->m_xMax - rec->m_xMin);
    return MapChecked(mapped, rec) ? static_cast<int16_t>(GrRound(mapped)) : 0;
}

int16_t CAlphaXTickLabel::MapX(double value, OGPRecord* rec)
{
    if (!rec->m_xRangeSet || std::abs(rec->m_xMax - rec->m_xMin) < kGrEmptyRange) {
        rec->m_errorCode = kGrErrNoXRange;
        rec->m_errorIndex = 0;
        return 0;
    }
    const fw::CRect& r = rec->m_plotRect;
    const float scale = static_cast<float>(r.right - r.left) / static_cast<float>(rec->m_xMax - rec->m_xMin);
    const float mapped = static_cast<float>(r.left) + (static_cast<float>(value) - static_cast<float>(rec->m_xMin)) * scale;
    return MapChecked(mapped, rec) ? static_cast<int16_t>(GrRound(mapped)) : 0;
}

int CAlphaXTickLabel::SpaceAbove(fw::CDC& dc)
{
    return OnFirstSide(m_side) ? TextHeight(dc) + m_gap : 0;
}

int CAlphaXTickLabel::SpaceBelow(fw::CDC& dc)
{
    return OnSecondSide(m_side) ? TextHeight(dc) + m_gap : 0;
}

void CAlphaXTickLabel::DrawLabel(fw::CDC& dc, double value, const fw::CString& text, OGPRecord* rec)
{
    GrClearError(rec);
    const bool first = m_firstLabel != 0;
    m_firstLabel = 0;
    const int16_t x = MapX(value, rec);
    if (GrHasError(rec))
        return;
    const fw::COLORREF oldColour = dc.SetTextColor(GetColorRef());
    ApplyText(dc);
    fw::TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    const int h = tm.tmHeight;
    const int left = x - dc.GetTextExtent(text).cx / 2;
    fw::CRect& frame = rec->m_frameRect;
    if (OnSecondSide(m_side)) {
        if (first)
            frame.bottom += m_gap + h;
        dc.TextOut(left, frame.bottom, text);
    }
    if (OnFirstSide(m_side)) {
        if (first) {
            const int oldTop = frame.top;
            frame.top -= m_gap + h;
            dc.TextOut(left, oldTop - m_gap, text);
        } else {
            dc.TextOut(left, frame.top + h, text);
        }
    }
    RestoreText(dc);
    dc.SetTextColor(oldColour);
}
