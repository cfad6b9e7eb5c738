#include "docbase/doc/DocTextConversion.h"

#include "docbase/doc/KivDocManager.h"
#include "framework/core/Document.h"

#include <cstring>
#include <vector>

fw::CString MakeExportBasePath(const fw::CString& folder, const fw::CString& title)
{
    fw::CString base = folder;
    if (!base.IsEmpty() && base[base.GetLength() - 1] != '/' && base[base.GetLength() - 1] != '\\')
        base += "/";
    base += title;
    return fw::CDocManager::NormalizePath(base);
}

bool ConvertFileToText(CKivDocManager& manager, const fw::CString& path, const fw::CString& folder,
                       const ExportViewMatch& match, const ExportViewWriter& write)
{
    fw::CDocTemplate::Confidence confidence = fw::CDocTemplate::noAttempt;
    fw::CDocument* document = manager.OpenDocumentHidden(path, confidence);
    if (!document)
        return false;
    const bool wasOpen = confidence == fw::CDocTemplate::yesAlreadyOpen;

    std::vector<fw::IDocumentView*> views;
    for (fw::POSITION pos = document->GetFirstViewPosition(); pos;)
        views.push_back(document->GetNextViewLink(pos));
    fw::IDocumentView* exporter = nullptr;
    for (fw::IDocumentView* link : views) {
        link->OnDocumentInitialUpdate();
        if (!exporter && match(*link))
            exporter = link;
    }
    bool written = false;
    const fw::CString base = MakeExportBasePath(folder, document->GetTitle());
    if (exporter && !base.IsEmpty())
        written = write(*exporter, base);
    // A document opened only for the conversion never stays behind, also
    // when nothing could be written.
    if (!wasOpen)
        document->OnCloseDocument();
    return written;
}
