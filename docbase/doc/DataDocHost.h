#pragma once

// What data documents ask of the application object: new identifiers, the
// check that a path is not open in another document, the broadcast of hints
// to every graph page, and a further frame on a document. The application
// installs itself (or a CDataDocHost over its document manager); without
// one, a CDataDocHost without documents answers.

#include "docbase/doc/DocIdent.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cstdint>

namespace fw {
class CDocManager;
class CDocument;
}

class CZELDataDoc;
class IPlacedView;

// A graph-page document as the broadcast sees it.
class IGraphPageDoc {
public:
    virtual ~IGraphPageDoc() = default;
    // Hands the hint to the page's drawing objects or views; the result of
    // the last receiver.
    virtual intptr_t DispatchUpdate(intptr_t hint, fw::CObject* hintObject) = 0;
};

class IDataDocHost {
public:
    virtual ~IDataDocHost() = default;
    virtual CDocIdent NewDocIdent() = 0;
    // True when no other document of `document`'s template has the full
    // path of `path`; false when another has it (then, with `notify`, the
    // application is told) or when no full path can be made.
    virtual bool IsPathOpenElsewhere(fw::CDocument* document, const fw::CString& path, bool notify) = 0;
    virtual void UpdateAllGraphDocs(intptr_t hint, fw::CObject* hintObject) = 0;
    // Opens one more frame on the document and answers its view (null when
    // there are no windows).
    virtual IPlacedView* OpenNewFrame(fw::CDocument* document) = 0;
};

IDataDocHost& DataDocHost();
// Returns the previous host; nullptr restores the default.
IDataDocHost* InstallDataDocHost(IDataDocHost* host);

// The application's document services over a document manager.
class CDataDocHost : public IDataDocHost {
public:
    explicit CDataDocHost(fw::CDocManager* manager = nullptr) : m_pManager(manager) {}

    void SetDocManager(fw::CDocManager* manager) { m_pManager = manager; }
    fw::CDocManager* GetDocManager() const { return m_pManager; }
    CDocIdentSource& IdentSource() { return m_idents; }

    CDocIdent NewDocIdent() override { return m_idents.NewDocIdent(); }
    bool IsPathOpenElsewhere(fw::CDocument* document, const fw::CString& path, bool notify) override;
    void UpdateAllGraphDocs(intptr_t hint, fw::CObject* hintObject) override;
    IPlacedView* OpenNewFrame(fw::CDocument*) override { return nullptr; }

    // The open data document that carries `ident`; null when none.
    CZELDataDoc* FindDocument(const CDocIdent& ident) const;
    // Hint 1 with every open data document, to one graph page.
    void SendDataDocsToGraphDoc(IGraphPageDoc& page) const;

protected:
    // The other document that has the path; nothing in this program.
    virtual void OnPathAlreadyOpen(fw::CDocument* other) {}

private:
    fw::CDocManager* m_pManager;
    CDocIdentSource m_idents;
};
