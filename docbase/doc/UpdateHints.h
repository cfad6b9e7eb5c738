#pragma once

// The objects that travel with the numbered update hints between data
// documents, their views and the graph pages.

#include "docbase/doc/DocIdent.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cstdint>

namespace fw {
class CDocument;
}

// Hint numbers shared by documents, views and graph pages.
enum : intptr_t {
    kHintDataDocOpened = 1,     // with CUpdateDataDoc
    kHintDocIdentChanged = 3,   // with CUpdateChangeDocIdent
    kHintTestTitleChanged = 15,
    kHintPanelOpened = 22,      // with CUpdateDataDoc of the project
    kHintPanelClosed = 23,
};

// Names the document that sends the hint (not owned).
class CUpdateDataDoc : public fw::CObject {
    FW_DECLARE_DYNAMIC(CUpdateDataDoc)
public:
    explicit CUpdateDataDoc(fw::CDocument* document = nullptr) : m_pDocument(document) {}

    fw::CDocument* m_pDocument;
};

// What changed in an instrument document, for its own views.
class CUpdateKivData : public CUpdateDataDoc {
    FW_DECLARE_DYNAMIC(CUpdateKivData)
public:
    // Bits of the change flags: the kinds of columns touched.
    enum : int32_t { kChange1 = 1, kChange4 = 4, kChange8 = 8, kChange16 = 16 };

    explicit CUpdateKivData(fw::CDocument* document = nullptr) : CUpdateDataDoc(document) {}

    // From `document`, with a sender of class `senderClass` (or derived);
    // a view uses it to skip the hints it caused itself.
    bool IsSentBy(const fw::CDocument* document, const fw::CRuntimeClass* senderClass) const;

    int32_t m_changeFlags = 0;
    int32_t m_firstColumn = 0;
    int32_t m_lastColumn = 0;
    fw::CObject* m_pSender = nullptr;
};

// A data document was saved under a new identity; graph pages that refer
// to the old one follow it.
class CUpdateChangeDocIdent : public fw::CObject {
    FW_DECLARE_DYNAMIC(CUpdateChangeDocIdent)
public:
    CUpdateChangeDocIdent(const CDocIdent& newIdent, const CDocIdent& oldIdent, const fw::CString& title)
        : m_newIdent(newIdent), m_oldIdent(oldIdent), m_title(title)
    {
    }

    CDocIdent m_newIdent;
    CDocIdent m_oldIdent;
    fw::CString m_title;
};
