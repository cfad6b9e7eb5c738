#pragma once

// Print preview. DoPrintPreview shows a view's printed pages in Qt's
// preview dialog; the pages come from the same print loop as the printer's,
// at the printer's resolution with m_bPreview set. The preview view object
// (of the class the caller names, derived from CPreviewView) stands for the
// preview while it is open and is handed to the view's OnEndPrintPreview,
// where the view recognises its own preview by the object's class.

#include "framework/core/Object.h"
#include "framework/core/PrintInfo.h"

class QPrinter;

namespace fw {

class CView;

inline constexpr unsigned kIdpCommandFailure = 61705;
inline constexpr unsigned kIddPreviewToolBar = 30723;

class CPreviewView : public CObject {
    FW_DECLARE_DYNCREATE(CPreviewView)
public:
    void SetPrintView(CView* view) { m_pPrintView = view; }
    CView* GetPrintView() const { return m_pPrintView; }
    // Draws the previewed view's pages into `printer` (paintRequested).
    // False when the loop could not draw a page.
    bool RenderPages(QPrinter& printer);
    void SetInfo(const CPrintInfo& info) { m_info = info; }
    // The last rendering's info: page range, m_bPreview set.
    const CPrintInfo& Info() const { return m_info; }
    unsigned PagesRendered() const { return m_pagesRendered; }
    bool Failed() const { return m_failed; }

private:
    CView* m_pPrintView = nullptr;
    CPrintInfo m_info;
    unsigned m_pagesRendered = 0;
    bool m_failed = false;
};

// Shows the preview of `view` (toolBarId: the preview bar's resource, kept
// for the callers; Qt's dialog brings its own bar). `previewClass` must
// derive from CPreviewView (nullptr: CPreviewView). The view's
// OnPreparePrinting is asked once first: a refusal ends quietly. A preview
// that cannot be made or drawn shows the command-failed prompt. True when
// the preview was shown and drew its pages.
bool DoPrintPreview(CView* view, const CRuntimeClass* previewClass = nullptr,
                    unsigned toolBarId = kIddPreviewToolBar);

} // namespace fw
