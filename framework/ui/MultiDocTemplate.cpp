#include "framework/ui/MultiDocTemplate.h"

#include "framework/core/Document.h"
#include "framework/ui/MDIFrameWnd.h"
#include "framework/ui/View.h"
#include "framework/ui/WinApp.h"

#include <QMainWindow>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CFrameWnd* CMultiDocTemplate::CreateNewFrame(CDocument* document)
{
    if (!m_pViewClass)
        return nullptr;
    CObject* frameObject = m_pFrameClass ? m_pFrameClass->CreateObject() : new CMDIChildWnd;
    auto* frame = dynamic_cast<CFrameWnd*>(frameObject);
    if (!frame) {
        delete frameObject;
        return nullptr;
    }
    auto* mdiFrame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    CString title;
    GetDocString(title, docName);
    bool created;
    if (auto* child = dynamic_cast<CMDIChildWnd*>(frame))
        created = child->CreateChild(mdiFrame, title, m_nIDResource);
    else
        created = frame->Create(title, m_nIDResource);
    if (!created) {
        delete frame;
        return nullptr;
    }
    bool client = false;
    frame->Guard([&] { client = frame->OnCreateClient(document, m_pViewClass); });
    if (!client) {
        frame->DestroyWindow();
        return nullptr;
    }
    return frame;
}

void CMultiDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* document, bool makeVisible)
{
    if (frame)
        frame->InitialUpdateFrame(document, makeVisible);
}

bool CMultiDocTemplate::CreateWindows(CDocument* document, bool)
{
    m_lastFrame = nullptr;
    if (!m_pViewClass)
        return true;  // a template without views (the combined filter)
    m_lastFrame = CreateNewFrame(document);
    return m_lastFrame != nullptr;
}

void CMultiDocTemplate::DestroyWindows(CDocument* document)
{
    POSITION pos = document->GetFirstViewPosition();
    while (pos) {
        IDocumentView* link = document->GetNextViewLink(pos);
        link->OnDocumentClosing();
    }
    while (document->GetViewCount())
        document->RemoveView(document->GetNextViewLink(pos = document->GetFirstViewPosition()));
    m_lastFrame = nullptr;
}

void CMultiDocTemplate::InitialUpdate(CDocument* document, bool makeVisible)
{
    InitialUpdateFrame(m_lastFrame, document, makeVisible);
    m_lastFrame = nullptr;
}

} // namespace fw
