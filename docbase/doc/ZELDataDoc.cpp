#include "docbase/doc/ZELDataDoc.h"

#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/NoReplaceSave.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/DocManager.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

FW_IMPLEMENT_DYNCREATE(CZELDataDoc, fw::CDocument)

CZELDataDoc::CZELDataDoc() : m_docIdent(DataDocHost().NewDocIdent()) {}

bool CZELDataDoc::IsMovedPath(const fw::CString& storedPath, const fw::CString& filePath)
{
    if (storedPath.IsEmpty())
        return false;
    const fw::CString full = fw::CDocManager::NormalizePath(storedPath);
    if (full.IsEmpty())
        return false;
    return full != filePath;
}

void CZELDataDoc::RenewIdentIfMoved(const fw::CString& storedPath, const fw::CString& filePath)
{
    if (IsMovedPath(storedPath, filePath))
        m_docIdent = DataDocHost().NewDocIdent();
}

void CZELDataDoc::RestoreFramePlacements()
{
    bool first = true;
    for (const auto& entry : m_framePlacements.Entries()) {
        IPlacedView* view = nullptr;
        if (first) {
            fw::POSITION pos = GetFirstViewPosition();
            if (pos)
                view = dynamic_cast<IPlacedView*>(GetNextViewLink(pos));
            first = false;
        } else {
            view = DataDocHost().OpenNewFrame(this);
        }
        if (view)
            view->SetFramePlacement(entry.second);
    }
    m_framePlacements.RemoveAll();
}

bool CZELDataDoc::CompleteOpen(const fw::CString& path)
{
    OnOpenStart();
    if (m_bEditLock)
        ApplyEditLock();
    SetPathName(path);
    try {
        OnDocumentLoaded();
        CUpdateDataDoc hint(this);
        DataDocHost().UpdateAllGraphDocs(kHintDataDocOpened, &hint);
    } catch (const std::exception& e) {
        fw::ReportException(e);
        return false;
    }
    return true;
}

bool CZELDataDoc::ToggleEditLock()
{
    m_bEditLock = !m_bEditLock;
    ApplyEditLock();
    SetModifiedFlag(true);
    return m_bEditLock;
}

bool CZELDataDoc::OnOpenDocument(const fw::CString& path)
{
    if (!DataDocHost().IsPathOpenElsewhere(this, path, true))
        return false;
    const fw::CString full = fw::CDocManager::NormalizePath(path);
    m_openingPath = full.IsEmpty() ? path : full;
    const bool read = fw::CDocument::OnOpenDocument(path);
    m_openingPath.Empty();
    if (!read)
        return false;
    return CompleteOpen(path);
}

bool CZELDataDoc::OnSaveDocument(const fw::CString& path)
{
    const fw::CString normal = fw::CDocManager::NormalizePath(path);
    const fw::CString full = normal.IsEmpty() ? path : normal;
    const CDocIdent old = m_docIdent;
    const CDocIdent next = IsMovedPath(GetPathName(), full) ? DataDocHost().NewDocIdent() : old;

    m_saving = SaveTarget{full, next};
    bool written = false;
    try {
        written = WriteDocument(path);
    } catch (...) {
        m_saving.reset();
        throw;
    }
    m_saving.reset();
    if (!written)
        return false;

    m_docIdent = next;
    if (next != old) {
        CUpdateChangeDocIdent hint(next, old, GetTitle());
        DataDocHost().UpdateAllGraphDocs(kHintDocIdentChanged, &hint);
    }
    return true;
}

bool CZELDataDoc::WriteDocument(const fw::CString& path)
{
    if (!m_bNoReplace)
        return fw::CDocument::OnSaveDocument(path);
    try {
        const NoReplaceResult result = WriteFileNoReplace(path, [this](fw::CFile& file) {
            fw::CArchive ar(&file, fw::CArchive::store | fw::CArchive::bNoFlushOnDelete);
            ar.m_pDocument = this;
            Serialize(ar);
            ar.Close();
        });
        if (result == NoReplaceResult::nameTaken) {
            m_bNameTaken = true;
            return false;
        }
    } catch (const std::exception& e) {
        ReportSaveLoadException(path, e, true, fw::kIdpFailedToSaveDoc);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CZELDataDoc::SaveNoReplace(const fw::CString& path, bool& nameTaken)
{
    m_bNoReplace = true;
    m_bNameTaken = false;
    bool saved = false;
    try {
        saved = OnSaveDocument(path);
    } catch (...) {
        m_bNoReplace = false;
        throw;
    }
    m_bNoReplace = false;
    nameTaken = m_bNameTaken;
    m_bNameTaken = false;
    return saved;
}

void CZELDataDoc::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        fw::CString fullPath;
        if (m_saving) {
            fullPath = m_saving->fullPath;
        } else {
            // A store outside OnSaveDocument: the archive's own file.
            fullPath = fw::CDocManager::NormalizePath(ar.m_strFileName);
            RenewIdentIfMoved(GetPathName(), fullPath);
        }
        CDocIdent ident = m_saving ? m_saving->ident : m_docIdent;
        ar << fullPath;
        ar << static_cast<uint8_t>(m_bEditLock ? 1 : 0);
        ident.Serialize(ar);
        m_framePlacements.Serialize(ar);
        return;
    }
    fw::CString storedPath;
    uint8_t editLock = 0;
    ar >> storedPath >> editLock;
    m_bEditLock = editLock != 0;
    m_docIdent.Serialize(ar);
    const fw::CString filePath =
        m_openingPath.IsEmpty() ? fw::CDocManager::NormalizePath(ar.m_strFileName) : m_openingPath;
    RenewIdentIfMoved(storedPath, filePath);
    m_framePlacements.Serialize(ar);
}
