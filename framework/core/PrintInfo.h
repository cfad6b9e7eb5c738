#pragma once

// What a print job tells the view's printing handlers, page by page.

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"

namespace fw {

struct CPrintInfo {
    // 0xFFFF: the view does not know its page count (one page is printed
    // unless its OnPrepareDC keeps m_bContinuePrinting set).
    static constexpr unsigned kUnknownPages = 0xFFFF;

    void SetMinPage(unsigned page) { m_nMinPage = page; }
    void SetMaxPage(unsigned page) { m_nMaxPage = page; }
    unsigned GetMinPage() const { return m_nMinPage; }
    unsigned GetMaxPage() const { return m_nMaxPage; }
    unsigned GetFromPage() const { return m_nFromPage ? m_nFromPage : m_nMinPage; }
    unsigned GetToPage() const { return m_nToPage ? m_nToPage : m_nMaxPage; }

    bool m_bDirect = false;   // no print dialog
    bool m_bPreview = false;  // drawing for the preview
    bool m_bContinuePrinting = true;
    unsigned m_nCurPage = 1;
    unsigned m_nMinPage = 1;
    unsigned m_nMaxPage = kUnknownPages;
    unsigned m_nFromPage = 0;  // 0: from the first page
    unsigned m_nToPage = 0;    // 0: to the last page
    CRect m_rectDraw;          // the page's printable area, device units
    CString m_strDocName;      // job name (at most 31 CP932 bytes are used)
};

} // namespace fw
