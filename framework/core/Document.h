#pragma once

// The document of the document/view architecture: data, its file and its
// modified state. Documents know their views only through IDocumentView, so
// model documents and their tests need no windows at all; the interface
// layer's CView implements it.

#include "framework/core/CString.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/Collections.h"

#include <cstdint>
#include <exception>
#include <vector>

namespace fw {

class CDocTemplate;
class CView;  // framework/ui

// What a document asks of a view.
class IDocumentView {
public:
    virtual ~IDocumentView() = default;
    // The view as the interface layer's class (never dereferenced here).
    virtual CView* AsView() = 0;
    virtual void OnDocumentUpdate(CView* sender, intptr_t hint, CObject* hintObject) = 0;
    // The document's title or path changed.
    virtual void OnDocumentTitleChanged() {}
    // The document is closing: the view's frame goes away (the view then
    // calls RemoveView itself).
    virtual void OnDocumentClosing() {}
    // Brings the view's frame to the front (a second open of the same file).
    virtual void OnDocumentActivate() {}
    // The first update of a view made without a window (a conversion).
    virtual void OnDocumentInitialUpdate() {}
};

class CDocument : public CCmdTarget {
    FW_DECLARE_DYNAMIC(CDocument)
    FW_DECLARE_COMMANDS()
public:
    CDocument();
    // Leaves its template's list.
    ~CDocument() override;

    // --- identity ------------------------------------------------------------
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const CString& title);
    const CString& GetPathName() const { return m_strPathName; }
    // Stores the full path, takes its file name as the title and, when
    // asked, enters it into the recent-file list.
    virtual void SetPathName(const CString& path, bool addToMru = true);
    void ClearPathName() { m_strPathName.Empty(); }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    // --- views -----------------------------------------------------------------
    void AddView(IDocumentView* view);
    void RemoveView(IDocumentView* view);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& pos) const;
    IDocumentView* GetNextViewLink(POSITION& pos) const;
    size_t GetViewCount() const { return m_views.size(); }
    // Every view but `sender` gets OnUpdate with the hint.
    void UpdateAllViews(CView* sender, intptr_t hint = 0, CObject* hintObject = nullptr);

    // --- life cycle ----------------------------------------------------------
    virtual bool OnNewDocument();
    // Reads the file through Serialize. On failure the contents are deleted,
    // the reason shown, and false returned.
    virtual bool OnOpenDocument(const CString& path);
    // Writes through a temporary file renamed over `path`: a failed save
    // leaves the previous file as it was. Shows the reason on failure.
    virtual bool OnSaveDocument(const CString& path);
    // Closes the views' frames, deletes the contents and, when auto-delete is
    // on, the document itself.
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    // Asks whether to save a modified document; false when the user
    // cancelled or the save failed.
    virtual bool SaveModified();
    virtual bool CanCloseFrame() { return SaveModified(); }
    // Saves under `path`, or asks for a name when it is empty (a new
    // document, or Save As). `replace` makes the name the document's own.
    virtual bool DoSave(const CString& path, bool replace = true);
    virtual bool DoFileSave();

    // Shows what went wrong with a load or save of `path`.
    virtual void ReportSaveLoadException(const CString& path, const std::exception& e, bool saving,
                                         unsigned defaultId);

    // Own commands first, then the template's.
    bool OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info = nullptr) override;

    // File > Save and File > Save As.
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileClose();

    bool m_bAutoDelete = true;
    bool m_bEmbedded = false;  // set for documents opened without a window

protected:
    friend class CDocTemplate;

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    bool m_bModified = false;
    std::vector<IDocumentView*> m_views;
};

// The name a save dialog proposes for a document: the title up to its
// first ':', '/' or '\' (a window counter or a path piece is no part of a
// file name), plus the template's first extension.
CString ProposedName(const CString& title, CDocTemplate* tmpl);

// Command ids of the framework's file commands.
inline constexpr unsigned ID_FILE_NEW = 57600;
inline constexpr unsigned ID_FILE_OPEN = 57601;
inline constexpr unsigned ID_FILE_CLOSE = 57602;
inline constexpr unsigned ID_FILE_SAVE = 57603;
inline constexpr unsigned ID_FILE_SAVE_AS = 57604;
inline constexpr unsigned ID_FILE_PAGE_SETUP = 57605;
inline constexpr unsigned ID_FILE_PRINT_SETUP = 57606;
inline constexpr unsigned ID_FILE_PRINT = 57607;
inline constexpr unsigned ID_FILE_PRINT_DIRECT = 57608;
inline constexpr unsigned ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr unsigned ID_FILE_MRU_FILE1 = 57616;
inline constexpr unsigned ID_FILE_MRU_LAST = 57631;

// Prompt ids of the document framework.
inline constexpr unsigned kIdpFailedToOpenDoc = 61697;
inline constexpr unsigned kIdpFailedToSaveDoc = 61698;
inline constexpr unsigned kIdpAskToSave = 61699;
inline constexpr unsigned kIdsSaveFileTitle = 61441;
inline constexpr unsigned kIdsOpenFileTitle = 61443;
inline constexpr unsigned kIdsAllFilter = 61442;
inline constexpr unsigned kIdsSaveFileCopyTitle = 61444;

} // namespace fw
