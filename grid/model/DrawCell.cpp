#include "grid/model/DrawCell.h"

#include "framework/core/DC.h"
#include "framework/core/StringTable.h"
#include "grid/model/GridColors.h"

#include <algorithm>

using fw::CDC;
using fw::CFont;
using fw::CRect;
using fw::CString;

int32_t SuperscriptHeight(int32_t height)
{
    return static_cast<int32_t>(height * static_cast<double>(0.9f));
}

int32_t SuperscriptRaise(int32_t charHeight)
{
    return static_cast<int32_t>(charHeight * static_cast<double>(0.2f));
}

std::vector<CString> SplitSuperscript(const CString& text)
{
    std::vector<CString> pieces;
    const std::string& s = text.str();
    const std::string marker = kSuperMarker;
    size_t start = 0;
    for (;;) {
        const size_t at = s.find(marker, start);
        if (at == std::string::npos) {
            pieces.emplace_back(s.substr(start));
            return pieces;
        }
        pieces.emplace_back(s.substr(start, at - start));
        start = at + marker.size();
    }
}

struct CZELDrawCell::Saved {
    fw::COLORREF text = 0;
    fw::COLORREF back = 0;
    unsigned align = 0;
    CFont* font = nullptr;
    bool fontSelected = false;
};

uint32_t CZELDrawCell::BeginCell(const CellFormat* format, Saved& saved, CFont& font)
{
    CDC& dc = *m_pDC;
    saved.text = dc.GetTextColor();
    saved.back = dc.GetBkColor();
    saved.align = dc.GetTextAlign();
    if (!format) {
        if (m_format.nFlags & kCellFillBack)
            dc.SetBkColor(m_format.crBack);
        return m_format.nAlign;
    }
    if (format->nFlags & kCellUseFont) {
        font.CreatePointFontIndirect(format->lf);
        saved.font = dc.SelectObject(&font);
        saved.fontSelected = true;
    }
    if (format->bSysTextColor) {
        dc.SetTextColor(kGridWindowTextColor);
    } else {
        if (format->nFlags & kCellUseTextColor)
            dc.SetTextColor(format->crText);
        if (format->nFlags & kCellFillBack)
            dc.SetBkColor(format->crBack);
    }
    return (format->nFlags & kCellUseAlign) ? format->nAlign : m_format.nAlign;
}

void CZELDrawCell::EndCell(const Saved& saved)
{
    CDC& dc = *m_pDC;
    if (saved.fontSelected)
        dc.SelectObject(saved.font);
    dc.SetTextColor(saved.text);
    dc.SetBkColor(saved.back);
    dc.SetTextAlign(saved.align);
}

void CZELDrawCell::DrawText(const CString& text, const CellFormat* format)
{
    if (m_format.nFlags & kCellMultiLine)
        DrawMultiLine(text, format);
    else
        DrawSingleLine(text, format);
}

void CZELDrawCell::DrawResourceText(unsigned id, const CellFormat* format)
{
    DrawText(fw::LoadStringText(id), format);
}

void CZELDrawCell::DrawSingleLine(const CString& text, const CellFormat* format)
{
    if (!m_pDC)
        return;
    Saved saved;
    CFont font;
    const uint32_t align = BeginCell(format, saved, font);
    DrawTextMarkup(text, m_rcText, m_rcText, fw::ETO_OPAQUE | fw::ETO_CLIPPED, align, format);
    EndCell(saved);
    MarkCurrent(format);
}

void CZELDrawCell::DrawMultiLine(const CString& text, const CellFormat* format)
{
    if (!m_pDC)
        return;
    CDC& dc = *m_pDC;
    Saved saved;
    CFont font;
    const uint32_t align = BeginCell(format, saved, font);
    // UTF-8 never uses byte 10 inside a character, so every one is a break.
    const int lines = 1 + static_cast<int>(std::count(text.str().begin(), text.str().end(), '\n'));
    fw::TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    const int lineHeight = tm.tmHeight;
    CRect line(m_rcText.left, m_rcText.top, m_rcText.right, m_rcText.top + lineHeight);
    const uint32_t vert = align & kAlignVertMask;
    if (vert == kAlignMiddle)
        line.OffsetRect(0, (m_rcText.Height() - lineHeight * lines) / 2);
    else if (vert == kAlignBottom)
        line = CRect(m_rcText.left, m_rcText.bottom - lines * lineHeight, m_rcText.right,
                     m_rcText.bottom - (lines - 1) * lineHeight);
    CRect clip = m_rcText;
    if (dc.IsPrinting()) {
        clip.right -= 1;
        clip.bottom -= 1;
    }
    // One line fills its box as it is drawn: a page of values is mostly
    // such cells, and a second call per cell doubles the text work.
    if (lines == 1) {
        DrawTextMarkup(text, line, m_rcText, fw::ETO_OPAQUE | fw::ETO_CLIPPED, (align & kAlignHorzMask) | kAlignMiddle,
                       format);
        EndCell(saved);
        MarkCurrent(format);
        return;
    }
    dc.ExtTextOut(m_rcText.left, m_rcText.top, fw::ETO_OPAQUE, &clip, CString());
    size_t start = 0;
    const std::string& s = text.str();
    for (int i = 0; i < lines; ++i) {
        const size_t end = std::min(s.find('\n', start), s.size());
        DrawTextMarkup(CString(s.substr(start, end - start)), line, m_rcText, fw::ETO_CLIPPED,
                       (align & kAlignHorzMask) | kAlignMiddle, format);
        line.OffsetRect(0, lineHeight);
        start = end + 1;
    }
    EndCell(saved);
    MarkCurrent(format);
}

void CZELDrawCell::MarkCurrent(const CellFormat* format)
{
    m_rcKeep = CRect();
    if (!(m_nState & kCellCurrentFocused))
        return;
    m_rcText.DeflateRect(1, 1);
    const CellFormat& used = format ? *format : m_format;
    if (used.nFlags & kCellDropButton)
        DrawDropDownButton();
    m_rcKeep = m_rcText;
}

void CZELDrawCell::DrawDropDownButton()
{
    CDC& dc = *m_pDC;
    if (dc.IsPrinting() || m_rcText.Width() < 10 || m_rcText.Height() < 4)
        return;
    fw::CBrush face(kGridButtonFaceColor);
    fw::CPen black(fw::PS_SOLID, 0, 0);
    fw::CBrush blackBrush(0);
    fw::CPen* oldPen = dc.SelectObject(&black);
    fw::CBrush* oldBrush = dc.SelectObject(&face);
    const int r = m_rcText.right;
    dc.Rectangle(r - 10, m_rcText.top, r, m_rcText.bottom);
    const int m = (m_rcText.top + m_rcText.bottom) / 2;
    if (m_nArrowKind == kArrowRight) {
        m_arrow[0] = {r - 6, m - 2};
        m_arrow[1] = {r - 6, m + 2};
        m_arrow[2] = {r - 4, m};
    } else {
        m_arrow[0] = {r - 7, m - 1};
        m_arrow[1] = {r - 3, m - 1};
        m_arrow[2] = {r - 5, m + 1};
    }
    m_arrow[3] = m_arrow[0];
    dc.SelectObject(&blackBrush);
    dc.Polygon(m_arrow, 3);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CZELDrawCell::PlaceText(int& x, int& y, CRect rect, uint32_t align)
{
    CDC& dc = *m_pDC;
    rect.NormalizeRect();
    fw::TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    const uint32_t vert = align & kAlignVertMask;
    const uint32_t horz = align & kAlignHorzMask;
    unsigned flags = 0;
    if (align & 0x100) {
        // Text turned by 90 degrees: its height runs along x.
        if (vert == kAlignMiddle) {
            y = (rect.top + rect.bottom) / 2;
            flags |= fw::TA_CENTER;
        } else if (vert == kAlignBottom) {
            y = rect.top;
            flags |= fw::TA_RIGHT;
        } else {
            y = rect.bottom;
            flags |= fw::TA_LEFT;
        }
        if (horz == 2) {
            x = rect.left + std::max(0, (rect.Width() - tm.tmHeight) / 2);
            flags |= fw::TA_TOP;
        } else if (horz == 3) {
            x = rect.right - 1;
            flags |= fw::TA_BOTTOM;
        } else {
            x = rect.left + 1;
            flags |= fw::TA_TOP;
        }
    } else {
        if (vert == kAlignMiddle) {
            y = rect.top + std::max(0, (rect.Height() - tm.tmHeight) / 2);
            flags |= fw::TA_TOP;
        } else if (vert == kAlignBottom) {
            y = rect.bottom;
            flags |= fw::TA_BOTTOM;
        } else {
            y = rect.top;
            flags |= fw::TA_TOP;
        }
        if (horz == 2) {
            x = rect.left + std::max(0, rect.Width() / 2);
            flags |= fw::TA_CENTER;
        } else if (horz == 3) {
            x = rect.right - 1;
            flags |= fw::TA_RIGHT;
        } else {
            x = rect.left + 1;
            flags |= fw::TA_LEFT;
        }
    }
    dc.SetTextAlign(flags);
}

void CZELDrawCell::DrawTextMarkup(const CString& text, const CRect& rect, const CRect& clipIn, unsigned options,
                                  uint32_t align, const CellFormat* format)
{
    CDC& dc = *m_pDC;
    const unsigned savedAlign = dc.GetTextAlign();
    CRect clip = clipIn;
    if (dc.IsPrinting()) {
        clip.right -= 1;
        clip.bottom -= 1;
    }
    if (text.Find(kSuperMarker) < 0) {
        int x = 0;
        int y = 0;
        PlaceText(x, y, rect, align);
        dc.ExtTextOut(x, y, options, &clip, text);
        dc.SetTextAlign(savedAlign);
        return;
    }
    const std::vector<CString> pieces = SplitSuperscript(text);
    fw::LOGFONT lf = (format && (format->nFlags & kCellUseFont)) ? format->lf : m_format.lf;
    lf.lfHeight = SuperscriptHeight(lf.lfHeight);
    CFont raisedFont;
    raisedFont.CreatePointFontIndirect(lf);
    CFont* normalFont = const_cast<CFont*>(&dc.GetCurrentFont());

    std::vector<int> widths(pieces.size());
    int total = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i % 2)
            dc.SelectObject(&raisedFont);
        widths[i] = dc.GetTextExtent(pieces[i]).cx;
        if (i % 2)
            dc.SelectObject(normalFont);
        total += widths[i];
    }
    fw::TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    const int h = tm.tmHeight;

    int x = rect.left;
    int y = rect.top;
    unsigned flags = fw::TA_TOP | fw::TA_LEFT;
    const uint32_t vert = align & kAlignVertMask;
    const uint32_t horz = align & kAlignHorzMask;
    if (vert == kAlignMiddle) {
        y = rect.top + std::max(0, (rect.Height() - h) / 2);
    } else if (vert == kAlignBottom) {
        y = rect.bottom;
        flags = fw::TA_BOTTOM | fw::TA_LEFT;
    }
    if (horz == 2)
        x = rect.left + std::max(0, (rect.Width() - total) / 2);
    else if (horz == 3)
        x = rect.right - total;
    dc.SetTextAlign(flags);
    if (options & fw::ETO_OPAQUE)
        dc.ExtTextOut(x, y, options, &clip, CString());
    const unsigned pieceOptions = options & ~static_cast<unsigned>(fw::ETO_OPAQUE);
    const int raise = SuperscriptRaise(h);
    for (size_t i = 0; i < pieces.size(); ++i) {
        const bool raised = i % 2 != 0;
        if (raised)
            dc.SelectObject(&raisedFont);
        dc.ExtTextOut(x, y, pieceOptions, &clip, pieces[i]);
        if (raised)
            dc.SelectObject(normalFont);
        x += widths[i];
        y += raised ? raise : -raise;
    }
    dc.MoveTo(x, y);
    dc.SelectObject(normalFont);
    dc.SetTextAlign(savedAlign);
}
