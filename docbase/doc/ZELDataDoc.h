#pragma once

// The base of every document whose data graph pages may plot. It gives the
// document an identity that survives renaming but never passes to a copy,
// tells the graph pages when the document opens or changes its identity,
// remembers its frames' placements in its file, and holds its undo buffer
// and edit lock.

#include "docbase/doc/DocIdent.h"
#include "docbase/doc/SaveFrameList.h"
#include "docbase/doc/UndoBuffer.h"
#include "framework/core/Document.h"

#include <optional>

class CZELDataDoc : public fw::CDocument {
    FW_DECLARE_DYNCREATE(CZELDataDoc)
public:
    // Issues the document's identifier.
    CZELDataDoc();

    const CDocIdent& GetDocIdent() const { return m_docIdent; }
    CUndoBuffer& GetUndoBuffer() { return m_undoBuffer; }
    CSaveFrameList& GetFramePlacements() { return m_framePlacements; }
    bool IsEditLocked() const { return m_bEditLock; }

    // --- operations the derived documents may replace ---------------------
    // A new identifier when `storedPath` is not empty, can be made a full
    // path, and that differs (by case too) from `filePath`.
    virtual void RenewIdentIfMoved(const fw::CString& storedPath, const fw::CString& filePath);
    // Applies the first placement to the first view's frame, opens a
    // further frame for each other one, then forgets them.
    virtual void RestoreFramePlacements();
    virtual bool CreateNewContents() { return false; }
    virtual void ApplyEditLock() {}
    // Called first when an open completes.
    virtual void OnOpenStart() {}
    // Finishes a successful read of `path`: edit lock, path name, the
    // derived document's OnDocumentLoaded and hint 1 to every graph page.
    // An exception there is reported and makes the result false.
    virtual bool CompleteOpen(const fw::CString& path);
    virtual void OnDocumentLoaded() {}

    // Flips the edit lock, applies it, marks the document modified; the new
    // state (command 32778 "編集不可" of the views).
    bool ToggleEditLock();

    // Refused when another open document of the template has the path.
    bool OnOpenDocument(const fw::CString& path) override;
    // Saving to another file than the document's own gives the document a
    // new identity, committed only when the file was written; then hint 3
    // goes to every graph page. A failed save changes nothing.
    bool OnSaveDocument(const fw::CString& path) override;
    // Saved path, edit lock, identifier, frame placements.
    void Serialize(fw::CArchive& ar) override;

    // The identifier of a document moved in from elsewhere (tests, copies).
    void SetDocIdent(const CDocIdent& ident) { m_docIdent = ident; }

    static bool IsMovedPath(const fw::CString& storedPath, const fw::CString& filePath);

protected:
    // Saves through OnSaveDocument with a final rename that never replaces
    // an existing file. `nameTaken` tells that the name was taken (nothing
    // was written and nothing reported).
    bool SaveNoReplace(const fw::CString& path, bool& nameTaken);

    CDocIdent m_docIdent;
    CUndoBuffer m_undoBuffer;
    CSaveFrameList m_framePlacements;
    bool m_bEditLock = false;

private:
    // The file being written and the identity it will carry.
    struct SaveTarget {
        fw::CString fullPath;
        CDocIdent ident;
    };
    bool WriteDocument(const fw::CString& path);

    std::optional<SaveTarget> m_saving;
    fw::CString m_openingPath;
    bool m_bNoReplace = false;
    bool m_bNameTaken = false;
};
