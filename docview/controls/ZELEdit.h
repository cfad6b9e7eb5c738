#pragma once

// The edit control of the dialogs and bars: its own context menu (a menu
// resource the owner names) and the enable tests of the edit commands.

#include "framework/ui/Controls.h"

#include <cstdint>

namespace fw {
class CCmdUI;
}

class CZELEdit : public fw::CEdit {
    FW_DECLARE_DYNAMIC(CZELEdit)
public:
    CZELEdit();

    // Enabled when something is selected.
    virtual void UpdateCopyCut(fw::CCmdUI* ui);
    // Disabled only when the whole text is selected.
    virtual void UpdateSelectAll(fw::CCmdUI* ui);
    // Enabled when the clipboard holds text.
    virtual void UpdatePaste(fw::CCmdUI* ui);

    void OnContextMenu(fw::CWnd* wnd, fw::CPoint point) override;

    uint16_t m_nMenuId = 0;  // the context menu's resource, set by the owner
};
