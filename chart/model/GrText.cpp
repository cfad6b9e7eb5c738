#include "chart/model/GrText.h"

#include <vector>

namespace {

constexpr int kMarkerLength = 6;
// Output precision of a font made from outlines only.
constexpr uint8_t kOutTrueTypeOnly = 7;
constexpr unsigned kHorizontalAlignMask = fw::TA_CENTER;
constexpr unsigned kVerticalAlignMask = fw::TA_BASELINE;

std::vector<fw::CString> SplitAtMarkers(const fw::CString& text)
{
    std::vector<fw::CString> pieces;
    int start = 0;
    for (;;) {
        const int at = text.Find(kSuperMarker, start);
        if (at < 0) {
            pieces.push_back(text.Mid(start));
            return pieces;
        }
        pieces.push_back(text.Mid(start, at - start));
        start = at + kMarkerLength;
    }
}

// How far the superscript pieces rise so that their top meets the top of
// the normal text.
int Raise(fw::CDC& dc, unsigned align, const fw::TEXTMETRIC& normal, const fw::TEXTMETRIC& small)
{
    const int mode = dc.GetMapMode();
    if (mode != fw::MM_TEXT && mode != fw::MM_ANISOTROPIC)
        return 0;
    switch (align & kVerticalAlignMask) {
    case fw::TA_BOTTOM:
        return (normal.tmHeight + normal.tmExternalLeading) - (small.tmHeight + small.tmExternalLeading);
    case fw::TA_BASELINE:
        return (normal.tmHeight - normal.tmDescent) - (small.tmHeight - small.tmDescent);
    default:
        return 0;
    }
}

} // namespace

void GrTextOut(fw::CDC& dc, int x, int y, const fw::CString& text, bool vertical, const fw::CRect* clipRect,
               unsigned options)
{
    if (text.Find(kSuperMarker) < 0) {
        dc.ExtTextOut(x, y, options, clipRect, text);
        return;
    }
    const std::vector<fw::CString> pieces = SplitAtMarkers(text);
    fw::LOGFONT lf = dc.GetCurrentFont().Info();
    fw::TEXTMETRIC normalMetrics;
    dc.GetTextMetrics(&normalMetrics);
    fw::LOGFONT smallLf = lf;
    // A font of default height (0) shrinks from the height it draws with.
    const int32_t height = lf.lfHeight != 0 ? lf.lfHeight : -normalMetrics.tmHeight;
    smallLf.lfHeight = static_cast<int32_t>(static_cast<float>(height) * 0.8f);
    smallLf.lfOutPrecision = kOutTrueTypeOnly;
    fw::CFont smallFont;
    smallFont.CreateFontIndirect(smallLf);
    fw::CFont* normalFont = const_cast<fw::CFont*>(&dc.GetCurrentFont());

    // Widths of all pieces, each in its own font.
    std::vector<int> widths(pieces.size());
    int total = 0;
    fw::TEXTMETRIC smallMetrics;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i % 2)
            dc.SelectObject(&smallFont);
        widths[i] = dc.GetTextExtent(pieces[i]).cx;
        if (i % 2) {
            dc.GetTextMetrics(&smallMetrics);
            dc.SelectObject(normalFont);
        }
        total += widths[i];
    }
    if (pieces.size() < 2)
        smallMetrics = normalMetrics;

    const unsigned align = dc.GetTextAlign();
    const unsigned horizontal = align & kHorizontalAlignMask;
    if (horizontal == fw::TA_CENTER) {
        if (vertical)
            y += total / 2;
        else
            x -= total / 2;
    } else if (horizontal == fw::TA_RIGHT) {
        if (vertical)
            y += total;
        else
            x -= total;
    }
    dc.SetTextAlign((align & ~kHorizontalAlignMask) | fw::TA_LEFT);
    const int r = Raise(dc, align, normalMetrics, smallMetrics);

    for (size_t i = 0; i < pieces.size(); ++i) {
        const bool super = i % 2;
        if (super)
            dc.SelectObject(&smallFont);
        if (!pieces[i].IsEmpty())
            dc.ExtTextOut(x, y, options, clipRect, pieces[i]);
        if (super)
            dc.SelectObject(normalFont);
        if (vertical)
            y -= widths[i];
        else
            x += widths[i];
        if (i + 1 < pieces.size()) {
            // Into a superscript the text moves up, back out of it down.
            const int shift = super ? r : -r;
            if (vertical)
                x += shift;
            else
                y += shift;
        }
    }
    dc.MoveTo(x, y);
    dc.SetTextAlign(align);
}

fw::CString StripSuperMarkers(const fw::CString& text)
{
    fw::CString plain;
    for (const fw::CString& piece : SplitAtMarkers(text))
        plain += piece;
    return plain;
}
