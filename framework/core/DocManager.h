#pragma once

// The application's list of document templates: opening files by the best
// matching template, the File New/Open commands' helpers, the open and save
// file dialogs built from the templates, and the recent-file list.

#include "framework/core/Collections.h"
#include "framework/core/CString.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/Object.h"
#include "framework/core/RecentFileList.h"

#include <memory>
#include <vector>

namespace fw {

class CDocument;

class CDocManager : public CObject {
    FW_DECLARE_DYNAMIC(CDocManager)
public:
    CDocManager();
    // Deletes the templates (their documents must be closed before).
    ~CDocManager() override;

    // Takes ownership.
    virtual void AddDocTemplate(CDocTemplate* tmpl);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    size_t GetDocTemplateCount() const { return m_templates.size(); }
    int GetOpenDocumentCount() const;

    // Strips surrounding double quotes and makes a full path; empty when
    // that cannot be done.
    static CString NormalizePath(const CString& path);
    // The template that matches `path` best (null when none), and the
    // document when it is already open there.
    CDocTemplate* FindBestTemplate(const CString& fullPath, CDocTemplate::Confidence& confidence,
                                   CDocument*& openDocument) const;

    // Opens `path` through the best template; an already open document is
    // brought forward and returned. Null on failure, already reported.
    virtual CDocument* OpenDocumentFile(const CString& path, bool makeVisible = true);

    // Asks for a file name; true when confirmed, the choice in `fileName`.
    // For a given template the filter is its entry, else one entry per
    // template in order; the all-files entry comes last.
    virtual bool DoPromptFileName(CString& fileName, unsigned titleId, unsigned flags, bool openFileDialog,
                                  CDocTemplate* tmpl);
    // The filter entries DoPromptFileName offers, with the default extension
    // (without point) and the selected entry.
    std::vector<FileFilter> BuildFilters(CDocTemplate* tmpl, CString& defaultExt, int& selected) const;

    // File > New: a new document of the only template (several templates
    // need the application's own choice; the first is taken).
    virtual void OnFileNew();
    // File > Open: the dialog, then OpenDocumentFile.
    virtual void OnFileOpen();

    bool SaveAllModified();
    void CloseAllDocuments(bool endSession);

    CRecentFileList& RecentFiles() { return m_recent; }
    virtual void AddToRecentFileList(const CString& path) { m_recent.Add(path); }

protected:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    CRecentFileList m_recent;
};

} // namespace fw
