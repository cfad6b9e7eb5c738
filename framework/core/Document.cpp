#include "framework/core/Document.h"

#include "framework/core/Archive.h"
#include "framework/core/DocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

#include <algorithm>
#include <new>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

FW_BEGIN_COMMANDS(CDocument, CCmdTarget)
    FW_ON_COMMAND(ID_FILE_CLOSE, &CDocument::OnFileClose)
    FW_ON_COMMAND(ID_FILE_SAVE, &CDocument::OnFileSave)
    FW_ON_COMMAND(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
FW_END_COMMANDS

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const CString& title)
{
    m_strTitle = title;
    for (IDocumentView* v : std::vector<IDocumentView*>(m_views))
        v->OnDocumentTitleChanged();
}

void CDocument::SetPathName(const CString& path, bool addToMru)
{
    const CString full = CDocManager::NormalizePath(path);
    m_strPathName = full.IsEmpty() ? path : full;
    SetTitle(fs::FileNameOf(m_strPathName));
    if (addToMru && m_pDocTemplate && m_pDocTemplate->GetDocManager())
        m_pDocTemplate->GetDocManager()->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(IDocumentView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CDocument::RemoveView(IDocumentView* view)
{
    std::erase(m_views, view);
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_views.empty() ? nullptr : reinterpret_cast<POSITION>(uintptr_t{1});
}

IDocumentView* CDocument::GetNextViewLink(POSITION& pos) const
{
    const size_t index = reinterpret_cast<uintptr_t>(pos) - 1;
    IDocumentView* view = index < m_views.size() ? m_views[index] : nullptr;
    pos = index + 1 < m_views.size() ? reinterpret_cast<POSITION>(uintptr_t{index + 2}) : nullptr;
    return view;
}

CView* CDocument::GetNextView(POSITION& pos) const
{
    IDocumentView* link = GetNextViewLink(pos);
    return link ? link->AsView() : nullptr;
}

void CDocument::UpdateAllViews(CView* sender, intptr_t hint, CObject* hintObject)
{
    // A view may close itself while handling a hint; walk a copy.
    for (IDocumentView* v : std::vector<IDocumentView*>(m_views)) {
        if (std::find(m_views.begin(), m_views.end(), v) == m_views.end())
            continue;
        if (sender == nullptr || v->AsView() != sender)
            v->OnDocumentUpdate(sender, hint, hintObject);
    }
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const CString& path)
{
    CFileException fileError;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &fileError)) {
        if (fileError.m_strFileName.IsEmpty())
            fileError.m_strFileName = path;
        ReportSaveLoadException(path, fileError, false, kIdpFailedToOpenDoc);
        return false;
    }
    DeleteContents();
    SetModifiedFlag(true);  // dirty while loading, as a half-read document is
    try {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (const std::exception& e) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(path, e, false, kIdpFailedToOpenDoc);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const CString& path)
{
    try {
        fs::AtomicReplace(path, [this](CFile& file) {
            CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
            ar.m_pDocument = this;
            Serialize(ar);
            ar.Close();
        });
    } catch (const std::exception& e) {
        ReportSaveLoadException(path, e, true, kIdpFailedToSaveDoc);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CDocument::OnCloseDocument()
{
    // Closing the frames removes the views; the document must survive that.
    const bool autoDelete = m_bAutoDelete;
    m_bAutoDelete = false;
    while (!m_views.empty()) {
        IDocumentView* v = m_views.front();
        v->OnDocumentClosing();
        RemoveView(v);  // in case the view stayed
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

bool CDocument::SaveModified()
{
    if (!IsModified())
        return true;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    if (name.IsEmpty() && m_pDocTemplate)
        m_pDocTemplate->GetDocString(name, CDocTemplate::docName);
    const CString prompt = FormatString(kIdpAskToSave, name);
    switch (Prompt().MessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION, kIdpAskToSave)) {
    case IDCANCEL:
        return false;
    case IDYES:
        return DoFileSave();
    default:
        return true;
    }
}

bool CDocument::DoFileSave()
{
    return DoSave(m_strPathName, true);
}

CString ProposedName(const CString& title, CDocTemplate* tmpl)
{
    CString name = title;
    const int cut = name.FindOneOf(":/\\");
    if (cut >= 0)
        name = name.Left(cut);
    if (tmpl) {
        const auto exts = tmpl->GetFilterExtensions();
        if (!exts.empty())
            name += exts.front();
    }
    return name;
}


bool CDocument::DoSave(const CString& path, bool replace)
{
    CString name = path;
    if (name.IsEmpty()) {
        name = m_strPathName;
        if (replace && name.IsEmpty())
            name = ProposedName(m_strTitle, m_pDocTemplate);
        CDocManager* manager = m_pDocTemplate ? m_pDocTemplate->GetDocManager() : nullptr;
        if (!manager)
            return false;
        if (!manager->DoPromptFileName(name, replace ? kIdsSaveFileTitle : kIdsSaveFileCopyTitle,
                                       OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, false, m_pDocTemplate))
            return false;
    }
    CWaitCursor wait;
    // The original deleted the named file after a failed save from the
    // dialog; with the atomic save that file is the user's previous good
    // copy (or absent), so nothing is deleted here.
    if (!OnSaveDocument(name))
        return false;
    if (replace)
        SetPathName(name);
    return true;
}

void CDocument::ReportSaveLoadException(const CString& path, const std::exception& e, bool saving,
                                        unsigned defaultId)
{
    if (dynamic_cast<const CUserException*>(&e))
        return;
    unsigned id = defaultId;
    CString fileName = path;
    if (const auto* ae = dynamic_cast<const CArchiveException*>(&e)) {
        if (!ae->m_strFileName.IsEmpty())
            fileName = ae->m_strFileName;
        switch (ae->m_cause) {
        case CArchiveException::badSchema:
        case CArchiveException::badClass:
        case CArchiveException::badIndex:
        case CArchiveException::endOfFile:
        case CArchiveException::genericException:
            id = kIdpBadFormat;
            break;
        default:
            break;
        }
    } else if (const auto* fe = dynamic_cast<const CFileException*>(&e)) {
        if (!fe->m_strFileName.IsEmpty())
            fileName = fe->m_strFileName;
        switch (fe->m_cause) {
        case CFileException::fileNotFound:
        case CFileException::badPath:
            id = kIdpInvalidFileName;
            break;
        case CFileException::diskFull:
            id = kIdpDiskFull;
            break;
        case CFileException::accessDenied:
            id = saving ? kIdpAccessDeniedWrite : kIdpAccessDeniedRead;
            break;
        case CFileException::hardIO:
        case CFileException::genericException:
            id = saving ? kIdpUnexpectedWrite : kIdpUnexpectedRead;
            break;
        default:
            break;
        }
    } else if (dynamic_cast<const std::bad_alloc*>(&e)) {
        id = kIdpOutOfMemory;
    }
    Prompt().MessageBox(FormatString(id, fileName), MB_ICONEXCLAMATION, id);
}

bool CDocument::OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info)
{
    if (CCmdTarget::OnCmdMsg(id, code, ui, info))
        return true;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(id, code, ui, info);
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(CString(), true);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

} // namespace fw
