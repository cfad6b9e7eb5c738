#pragma once

// A view of a document: a window inside a frame that draws the document
// (OnDraw) and follows its changes (OnUpdate). Commands it does not handle
// go on to its document.

#include "framework/core/Document.h"
#include "framework/core/PrintInfo.h"
#include "framework/ui/Wnd.h"

#include <QImage>
#include <QRegion>

namespace fw {

class CDC;
class CFrameWnd;
class CPreviewView;

class CView : public CWnd, public IDocumentView {
    FW_DECLARE_DYNAMIC(CView)
public:
    CView();
    // Leaves its document.
    ~CView() override;

    // Makes the view's widget inside `parent` and joins `document`.
    virtual bool Create(QWidget* parent, CDocument* document);
    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnDraw(CDC* dc) = 0;
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* sender, intptr_t hint, CObject* hintObject);
    virtual void OnActivateView(bool activate, CView* activateView, CView* deactiveView) {}
    // For printing, a view that does not know its page count prints one
    // page (overrides call this first).
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
    virtual bool OnPreparePrinting(CPrintInfo* info) { return true; }
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info) {}
    // Default: OnDraw.
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info) {}
    // The preview of this view closed; `preview` is the object of the class
    // the view gave DoPrintPreview (there is no DC any more: `dc` is null).
    virtual void OnEndPrintPreview(CDC* dc, CPrintInfo* info, CPoint point, CPreviewView* preview) {}
    // Handlers that views put in their command tables: print (the print
    // dialog first), print without dialog, and print preview.
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // Paints through OnPrepareDC and OnDraw.
    void OnPaint() override;

    bool OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info = nullptr) override;

    // The widget the view draws on (a scroll view's viewport) and its
    // persistent back buffer: paints and client DCs draw into the buffer,
    // which is then shown, so drawing outside a paint (XOR bands, new data)
    // stays on screen as it did on Windows.
    virtual QWidget* PaintSurface() const { return Widget(); }
    QImage& BackBuffer();
    void Invalidate(bool erase = true) override;
    void InvalidateRect(const CRect* rect, bool erase = true) override;
    // For the paint event: which part of `area` OnPaint must draw anew
    // (invalidated, or a new buffer); the rest only shows the buffer, which
    // keeps what client DCs drew.
    QRegion TakeRedrawRegion(const QRect& area);
    // A client DC drew here: show it without drawing it anew.
    void Present(const QRect& area);

    // A frame took the view in after it was made (a view made in a window
    // that had no frame yet): the view leaves that frame when it dies.
    void FrameJoined(CFrameWnd* frame)
    {
        if (!m_frame)
            m_frame = frame;
    }
    // The frame this view was made in is gone.
    void FrameGone(CFrameWnd* frame)
    {
        if (m_frame == frame)
            m_frame = nullptr;
    }

    // IDocumentView
    CView* AsView() override { return this; }
    void OnDocumentInitialUpdate() override { OnInitialUpdate(); }
    void OnDocumentUpdate(CView* sender, intptr_t hint, CObject* hintObject) override;
    void OnDocumentTitleChanged() override;
    void OnDocumentClosing() override;
    void OnDocumentActivate() override;

protected:
    // The Qt widget of the view; scroll views make their own.
    virtual QWidget* CreateViewWidget(QWidget* parent);
    void OnDestroyed() override;

    CDocument* m_pDocument = nullptr;

private:
    CFrameWnd* m_frame = nullptr;
    QImage m_backBuffer;
    QRegion m_invalid;
    bool m_bufferFresh = true;  // found at creation; frames outlive their views
};

} // namespace fw
