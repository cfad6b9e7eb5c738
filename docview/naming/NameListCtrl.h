#pragma once

// The list control the channel-picking dialogs share: the named tanks of
// tank lists with their running names, each row remembering where its tank
// came from (list number << 16 | tank index). Which tanks make rows is the
// model's rule; the table holds the rows (it is the only copy, so the rows
// and their item data cannot drift apart). A table stands in for the list
// view control the framework does not have.

#include "docbase/naming/NameListModel.h"
#include "framework/ui/Wnd.h"

#include <cstdint>

class CDataTankList;
class QTableWidget;

class CNameListCtrl : public fw::CWnd {
    FW_DECLARE_DYNAMIC(CNameListCtrl)
public:
    CNameListCtrl();
    ~CNameListCtrl() override;

    // One column for list kinds 1, 2, 6 and 7, else two ("名前", "NO");
    // false when a column cannot be made.
    bool InsertColumns(int listKind);
    // Appends the qualifying tanks of indices first to last (-1: the list's
    // last) with running names prefix + (index - first + 1). A null list
    // adds nothing; false when a row cannot be inserted.
    bool AddNames(CDataTankList* list, const fw::CString& prefix, int listKind, int first, int last,
                  int listNumber);
    // Selects the row of that tank of that list and, with `scroll`, makes it
    // the top row when it is out of sight. The row, or -1 when none.
    int SelectItem(int tankIndex, int listNumber, bool scroll);
    void ClearSelection();
    void DeleteAllItems();

    // The first selected row; -1 when none.
    int GetSelectedRow() const;
    void SetSelectedRow(int row);
    int GetItemCount() const;
    uint32_t GetItemData(int row) const;
    fw::CString GetItemText(int row, int column) const;
    int GetColumnCount() const;
    int GetColumnWidth(int column) const;
    // The row shown at the top of the visible part; -1 when empty.
    int GetTopIndex() const;

    // Leaves out tanks of data type 8.
    void SetSkipDoubles(bool on) { m_bSkipDoubles = on ? 1 : 0; }
    bool GetSkipDoubles() const { return m_bSkipDoubles != 0; }

    QTableWidget* Table() const;

private:
    void AppendRow(const NameListRow& row);
    int FindItem(uint32_t itemData) const;

    int32_t m_bSkipDoubles = 0;
};
