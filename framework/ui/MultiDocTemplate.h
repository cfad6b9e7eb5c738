#pragma once

// The document template of the MDI program: each document opens in a child
// frame of the template's frame class with one view of its view class; the
// template's resource id also names the child's menu. A document opened
// without showing it still gets its frame and views, hidden.

#include "framework/core/DocTemplate.h"

namespace fw {

class CFrameWnd;

class CMultiDocTemplate : public CDocTemplate {
    FW_DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    using CDocTemplate::CDocTemplate;

    // A further frame on `document` (Window > New Window).
    virtual CFrameWnd* CreateNewFrame(CDocument* document);
    virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* document, bool makeVisible = true);

protected:
    bool CreateWindows(CDocument* document, bool makeVisible) override;
    void DestroyWindows(CDocument* document) override;
    void InitialUpdate(CDocument* document, bool makeVisible) override;

private:
    CFrameWnd* m_lastFrame = nullptr;
};

} // namespace fw
