#include "app/shell/ZELApp.h"

#include "docbase/doc/ZELDataDoc.h"
#include "docbase/settings/ProfileDouble.h"
#include "framework/core/Document.h"
#include "framework/core/Gdi.h"
#include "framework/core/StringTable.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/MultiDocTemplate.h"
#include "framework/ui/QPainterSink.h"
#include "framework/ui/View.h"

#include <QImage>

FW_IMPLEMENT_DYNAMIC(CZELApp, fw::CWinApp)

namespace {

// The third "\n"-separated field of a document string.
fw::CString FileNewName(const fw::CString& docStrings)
{
    int start = 0;
    for (int field = 0; field < 2; ++field) {
        start = docStrings.Find('\n', start);
        if (start < 0)
            return {};
        ++start;
    }
    const int end = docStrings.Find('\n', start);
    return end < 0 ? docStrings.Mid(start) : docStrings.Mid(start, end - start);
}

} // namespace

IPlacedView* CAppDataDocHost::OpenNewFrame(fw::CDocument* document)
{
    auto* tmpl = document ? dynamic_cast<fw::CMultiDocTemplate*>(document->GetDocTemplate()) : nullptr;
    if (!tmpl)
        return nullptr;
    fw::CFrameWnd* frame = tmpl->CreateNewFrame(document);
    if (!frame)
        return nullptr;
    tmpl->InitialUpdateFrame(frame, document, true);
    return dynamic_cast<IPlacedView*>(frame->GetActiveView());
}

void CAppDataDocHost::OnPathAlreadyOpen(fw::CDocument* other)
{
    m_app.OnPathAlreadyOpen(other);
}

CZELApp::CZELApp() : m_appStartTime(std::time(nullptr)), m_dataDocHost(*this)
{
    AttachDocManager();
    m_previousHost = InstallDataDocHost(&m_dataDocHost);
}

CZELApp::~CZELApp()
{
    InstallDataDocHost(m_previousHost);
}

CZELApp* CZELApp::GetZELApp()
{
    return dynamic_cast<CZELApp*>(fw::AfxGetApp());
}

void CZELApp::AttachDocManager()
{
    m_dataDocHost.SetDocManager(m_pDocManager);
}

CZELDataDoc* CZELApp::FindDocument(const CDocIdent& ident) const
{
    return m_dataDocHost.FindDocument(ident);
}

fw::CDocTemplate* CZELApp::FindDocTemplate(unsigned stringId) const
{
    const fw::CString wanted = FileNewName(fw::LoadStringText(stringId));
    fw::POSITION pos = m_pDocManager->GetFirstDocTemplatePosition();
    while (pos) {
        fw::CDocTemplate* tmpl = m_pDocManager->GetNextDocTemplate(pos);
        fw::CString name;
        tmpl->GetDocString(name, fw::CDocTemplate::fileNewName);
        // The combined filter has no file-new name and must not match a
        // string without one.
        if (!name.IsEmpty() && name == wanted)
            return tmpl;
    }
    return nullptr;
}

fw::CDocument* CZELApp::OpenDocumentByTemplate(unsigned stringId, const fw::CString& path, bool makeVisible)
{
    fw::CDocTemplate* tmpl = FindDocTemplate(stringId);
    return tmpl ? tmpl->OpenDocumentFile(path, makeVisible) : nullptr;
}

void CZELApp::UpdateAllGraphDocs(intptr_t hint, fw::CObject* hintObject)
{
    m_dataDocHost.UpdateAllGraphDocs(hint, hintObject);
}

void CZELApp::SendDataDocsToGraphDoc(IGraphPageDoc& page) const
{
    m_dataDocHost.SendDataDocsToGraphDoc(page);
}

bool CZELApp::IsPathOpenElsewhere(fw::CDocument* document, const fw::CString& path, bool notify)
{
    return m_dataDocHost.IsPathOpenElsewhere(document, path, notify);
}

CDocIdent CZELApp::NewDocIdent()
{
    return m_dataDocHost.NewDocIdent();
}

fw::CDocument* CZELApp::OpenDocumentFile(const fw::CString& path)
{
    fw::CDocument* document = fw::CWinApp::OpenDocumentFile(path);
    if (auto* data = dynamic_cast<CZELDataDoc*>(document))
        data->RestoreFramePlacements();
    return document;
}

double CZELApp::GetProfileDouble(const char* section, const char* key, double def)
{
    return ::GetProfileDouble(Profile(), section, key, def);
}

bool CZELApp::WriteProfileDouble(const char* section, const char* key, double value)
{
    return ::WriteProfileDouble(Profile(), section, key, value);
}

fw::CSize CZELApp::GetFontCharSize(fw::CFont* font) const
{
    // The display's information context: measurements are the same on
    // every machine (the virtual display).
    QImage display(1, 1, QImage::Format_RGB32);
    fw::CImageDC dc(display);
    fw::CFont* old = font ? dc.SelectObject(font) : nullptr;
    fw::TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    if (old)
        dc.SelectObject(old);
    return fw::CSize(tm.tmAveCharWidth, tm.tmHeight);
}
