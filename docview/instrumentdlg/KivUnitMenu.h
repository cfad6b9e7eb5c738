#pragma once

// The engineering-unit menu: the 41 units of the unit table as commands
// (first id + index), drawn by the program so that superscripts show
// ("kg/mm\super2\super" shows kg/mm² with a raised, smaller 2). The main
// frame attaches one to its menu bar item 33108; the unit-cell editor
// builds one for its context menu.

#include "docbase/controls/OwnerDraw.h"
#include "framework/core/CString.h"
#include "framework/ui/Menu.h"

namespace fw {
class CDC;
class CWnd;
}

class CKivUnitMenu : public fw::CMenu {
public:
    static constexpr unsigned kUnitItemId = 33108;  // "単位"
    static constexpr int kMaxItemText = 255;         // bytes of the item text kept

    // An empty popup menu.
    CKivUnitMenu();
    ~CKivUnitMenu();

    // Empties the menu and appends the 41 units as commands itemId + 1 ...
    // itemId + 41 (the empty unit shows as one blank).
    void LoadUnits(unsigned itemId);
    // Turns item `itemId` of `parent` into a popup opening this menu, with
    // the item's text; an item without text is left alone.
    void AttachToItem(fw::CMenu& parent, unsigned itemId);
    // The display text of a unit command (empty outside the menu's ids).
    fw::CString GetUnitText(unsigned commandId) const;
    unsigned GetFirstId() const { return m_firstId; }

    // Owner drawing of one item whose data is `text` (with markers).
    static void MeasureItem(fw::CDC& dc, const fw::CString& text, appctl::MeasureItemInfo& info);
    static void DrawItem(fw::CDC& dc, const fw::CString& text, const appctl::DrawItemInfo& info);

private:
    unsigned m_firstId = 0;
};

// The context menu of the unit cells' rich-text editor: menu 151 with the
// unit menu attached to its item 33108, tracked for `editor` (a keyboard
// request with (-1, -1) opens it 5 pixels inside the editor's corner); the
// commands go to the editor's top-level window.
void TrackUnitEditMenu(fw::CWnd& editor, fw::CPoint requested);

// Registers menu 151 when it is not there yet.
void EnsureUnitEditMenu();
