#pragma once

// A document type: its seven "\n"-separated document strings, its document
// class, and (in the interface layer) its frame and view classes. The
// template owns the list of its open documents.

#include "framework/core/CmdTarget.h"
#include "framework/core/Collections.h"
#include "framework/core/CString.h"

#include <vector>

namespace fw {

class CDocument;
class CDocManager;

class CDocTemplate : public CCmdTarget {
    FW_DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex {
        windowTitle = 0,
        docName = 1,
        fileNewName = 2,
        filterName = 3,
        filterExt = 4,
        regFileTypeId = 5,
        regFileTypeName = 6,
    };
    enum Confidence {
        noAttempt = 0,
        maybeAttemptForeign = 1,
        maybeAttemptNative = 2,
        yesAttemptForeign = 3,
        yesAttemptNative = 4,
        yesAlreadyOpen = 5,
    };

    // The document strings are string `resourceId`. A filter-only template
    // (a combined filter of the open dialog) never out-ranks a real one.
    CDocTemplate(unsigned resourceId, const CRuntimeClass* documentClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass, bool filterOnly = false);
    // Closes nothing: the documents are expected to be closed already.
    ~CDocTemplate() override;

    unsigned GetResourceId() const { return m_nIDResource; }
    const CRuntimeClass* GetDocumentClass() const { return m_pDocClass; }
    const CRuntimeClass* GetFrameClass() const { return m_pFrameClass; }
    const CRuntimeClass* GetViewClass() const { return m_pViewClass; }
    bool IsFilterOnly() const { return m_bFilterOnly; }
    // Replaces the document strings (tests, templates made at run time).
    void SetDocStrings(const CString& strings) { m_strDocStrings = strings; }
    bool GetDocString(CString& out, DocStringIndex index) const;
    // The ";"-separated extensions of the filterExt field, each with its point.
    std::vector<CString> GetFilterExtensions() const;

    // Already open here: yesAlreadyOpen with the document; an extension of
    // this template (without case): yesAttemptNative; else maybeAttemptForeign.
    virtual Confidence MatchDocType(const CString& path, CDocument*& match);

    // An empty path makes a new document. `makeVisible` false opens the
    // document without showing it. Null on failure (already reported).
    virtual CDocument* OpenDocumentFile(const CString& path, bool makeVisible = true);
    virtual CDocument* CreateNewDocument();
    virtual void SetDefaultTitle(CDocument* document);

    virtual void AddDocument(CDocument* document);
    virtual void RemoveDocument(CDocument* document);
    POSITION GetFirstDocPosition() const;
    CDocument* GetNextDoc(POSITION& pos) const;
    size_t GetDocumentCount() const { return m_docs.size(); }
    // Asks every modified document whether to save; false when one refused.
    bool SaveAllModified();
    void CloseAllDocuments(bool endSession);

    CDocManager* GetDocManager() const { return m_pDocManager; }

    // Commands a document does not handle come here next.
    bool OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info = nullptr) override;

protected:
    friend class CDocManager;

    // The interface layer makes the frame and views (hidden when not
    // visible). The core has no windows: nothing to make.
    virtual bool CreateWindows(CDocument* document, bool makeVisible);
    // Undoes CreateWindows after a failed new or open.
    virtual void DestroyWindows(CDocument* document);
    // The initial update of the new windows, and showing them when asked.
    virtual void InitialUpdate(CDocument* document, bool makeVisible);

    unsigned m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    bool m_bFilterOnly;
    CString m_strDocStrings;
    unsigned m_nUntitledCount = 0;
    std::vector<CDocument*> m_docs;
    CDocManager* m_pDocManager = nullptr;
};

} // namespace fw
