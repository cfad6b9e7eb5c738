#pragma once

// A static splitter: a fixed grid of panes (rows of columns), each holding
// a view; the user drags the borders. Column borders move together in every
// row, as the original's single grid did.

#include "framework/ui/Wnd.h"

#include <vector>

class QSplitter;

namespace fw {

class CDocument;
class CView;

inline constexpr int AFX_IDW_PANE_FIRST = 0xE900;

class CSplitterWnd : public CWnd {
    FW_DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd() = default;
    // Inside `parent` (a frame: its centre), `rows` x `cols` empty panes.
    bool CreateStatic(CWnd* parent, int rows, int cols, int id = AFX_IDW_PANE_FIRST);
    bool CreateView(int row, int col, const CRuntimeClass* viewClass, CSize initialSize, CDocument* document);
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    int GetRowCount() const { return m_rows; }
    int GetColumnCount() const { return m_cols; }
    void SetRowInfo(int row, int ideal, int minimum);
    void SetColumnInfo(int col, int ideal, int minimum);
    void RecalcLayout();
    QSplitter* RowSplitter(int row) const;

private:
    void SyncColumns(int fromRow);

    int m_rows = 0;
    int m_cols = 0;
    std::vector<int> m_rowIdeal;
    std::vector<int> m_colIdeal;
    std::vector<std::vector<CWnd*>> m_panes;
    bool m_syncing = false;
};

} // namespace fw
