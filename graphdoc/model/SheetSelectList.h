#pragma once

// The items of the combo box through which graph dialogs pick a source
// document: the open project and measurement-data documents (or, in
// frequency mode, project and frequency documents), each with its
// identifier, and referenced documents that are not open under their
// stored names.

#include "common/base/DocIdent.h"
#include "framework/core/CString.h"

#include <cstdint>
#include <vector>

class CGraphViewDoc;
class CKivDocBase;

class CSheetSelectList {
public:
    struct Item {
        fw::CString text;
        CDocIdent ident;
    };

    // Lists the documents of the templates from `firstTemplate` on (only
    // the project template with `projectOnly`), selecting the one of
    // `ident` (stored in `out`); a set identifier with no open document is
    // listed by `name`. False when a template is missing. An unset
    // identifier selects nothing, even a document that carries none.
    bool FillDocuments(CKivDocBase** out, const CDocIdent& ident, const fw::CString& name, bool projectOnly,
                       int firstTemplate = 0);
    // Makes sure an item for the identifier exists (the open document's
    // title, else `name`); false for an unset identifier that is not listed.
    bool AddDocument(const CDocIdent& ident, const fw::CString& name);
    // The source of every measured object of the page.
    bool AddPageSources(const CGraphViewDoc& page);
    // False only when the item was selected already.
    bool SelectDocument(const CDocIdent& ident);
    int FindItem(const CDocIdent& ident) const;
    // Whether the item's document is open (closed ones show in italics).
    bool IsOpen(int index) const;
    const CDocIdent* SelectedIdent() const;

    uint8_t m_dataDocs = 1;
    std::vector<Item> m_items;
    int m_selected = -1;

private:
    std::vector<unsigned> Templates(bool projectOnly) const;
    CKivDocBase* FindOpen(const CDocIdent& ident) const;
};
