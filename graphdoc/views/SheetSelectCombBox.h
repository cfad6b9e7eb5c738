#pragma once

// The combo box through which graph dialogs pick a source document; a
// referenced document that is not open shows in italics under its stored
// name. Always control 1098 on its forms (1099 for the second one).

#include "framework/ui/Controls.h"
#include "graphdoc/model/SheetSelectList.h"

class CSheetSelectCombBox : public fw::CComboBox {
    FW_DECLARE_DYNAMIC(CSheetSelectCombBox)
public:
    CSheetSelectCombBox();

    bool FillDocuments(CKivDocBase** out, const CDocIdent& ident, const fw::CString& name, bool projectOnly,
                       int firstTemplate = 0);
    bool AddDocument(const CDocIdent& ident, const fw::CString& name);
    bool AddPageSources(const CGraphViewDoc& page);
    bool SelectDocument(const CDocIdent& ident);
    int FindItem(const CDocIdent& ident) const { return m_list.FindItem(ident); }
    // The identifier of the chosen item; null when none is chosen.
    const CDocIdent* GetSelectedIdent();

    CSheetSelectList& List() { return m_list; }

private:
    // The items and the selection into the control.
    void Sync();

    CSheetSelectList m_list;
};
