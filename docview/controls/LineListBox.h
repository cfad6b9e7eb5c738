#pragma once

// The numbered list of graph lines: " n 本目" per item, or, with the
// new-line numbering, "新規ライン" first and then the lines from 1.

#include "docbase/controls/OwnerDraw.h"
#include "framework/ui/Controls.h"

#include <cstdint>

namespace fw {
class CDC;
}

class CLineListBox : public fw::CListBox {
    FW_DECLARE_DYNAMIC(CLineListBox)
public:
    static constexpr unsigned kMsgNewLine = 425;   // "新規ライン"
    static constexpr unsigned kMsgLineNo = 426;    // " %d 本目"

    CLineListBox();

    virtual void DrawItem(fw::CDC& dc, const appctl::DrawItemInfo& info);
    virtual void MeasureItem(appctl::MeasureItemInfo& info);
    fw::CString ItemText(int item) const;

    // Whether the list has the keyboard focus and where its caret is.
    virtual bool HasKeyboardFocus() const;
    virtual int GetCaretIndex() const;

    uint8_t m_bFlag1 = 1;
    uint8_t m_bNewLineFirst = 1;
};
