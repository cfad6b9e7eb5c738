#include "framework/ui/SplitterWnd.h"

#include "framework/ui/FrameWnd.h"
#include "framework/ui/View.h"

#include <QMainWindow>
#include <QSplitter>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

bool CSplitterWnd::CreateStatic(CWnd* parent, int rows, int cols, int id)
{
    if (rows < 1 || cols < 1 || rows > 16 || cols > 16)
        return false;
    m_rows = rows;
    m_cols = cols;
    m_rowIdeal.assign(static_cast<size_t>(rows), 0);
    m_colIdeal.assign(static_cast<size_t>(cols), 0);
    m_panes.assign(static_cast<size_t>(rows), std::vector<CWnd*>(static_cast<size_t>(cols), nullptr));
    auto* outer = new QSplitter(Qt::Vertical);
    outer->setChildrenCollapsible(false);
    for (int r = 0; r < rows; ++r) {
        auto* row = new QSplitter(Qt::Horizontal, outer);
        row->setChildrenCollapsible(false);
        for (int c = 0; c < cols; ++c)
            row->addWidget(new QWidget);
        QObject::connect(row, &QSplitter::splitterMoved, [this, r] { SyncColumns(r); });
    }
    Attach(outer);
    SetDlgCtrlID(id);
    if (auto* frame = dynamic_cast<CFrameWnd*>(parent); frame && frame->MainWindow())
        frame->MainWindow()->setCentralWidget(outer);
    else if (parent && parent->Widget())
        outer->setParent(parent->Widget());
    if (parent)
        parent->AddChild(id, this);
    return true;
}

QSplitter* CSplitterWnd::RowSplitter(int row) const
{
    auto* outer = static_cast<QSplitter*>(Widget());
    return outer && row >= 0 && row < outer->count() ? static_cast<QSplitter*>(outer->widget(row)) : nullptr;
}

bool CSplitterWnd::CreateView(int row, int col, const CRuntimeClass* viewClass, CSize initialSize, CDocument* document)
{
    QSplitter* rowSplitter = RowSplitter(row);
    if (!rowSplitter || col < 0 || col >= m_cols || !viewClass)
        return false;
    CObject* object = viewClass->CreateObject();
    auto* view = dynamic_cast<CView*>(object);
    if (!view) {
        delete object;
        return false;
    }
    QWidget* placeholder = rowSplitter->widget(col);
    view->Create(rowSplitter, document);
    // A splitter takes a new child in as its last widget by itself, and
    // then refuses to swap it in for its sibling: move it to its column
    // and drop the placeholder.
    rowSplitter->insertWidget(col, view->Widget());
    if (placeholder != view->Widget())
        delete placeholder;
    m_panes[static_cast<size_t>(row)][static_cast<size_t>(col)] = view;
    AddChild(IdFromRowCol(row, col), view);
    if (initialSize.cx > 0)
        m_colIdeal[static_cast<size_t>(col)] = initialSize.cx;
    if (initialSize.cy > 0)
        m_rowIdeal[static_cast<size_t>(row)] = initialSize.cy;
    return true;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return nullptr;
    return m_panes[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int)
{
    if (row >= 0 && row < m_rows)
        m_rowIdeal[static_cast<size_t>(row)] = ideal;
}

void CSplitterWnd::SetColumnInfo(int col, int ideal, int)
{
    if (col >= 0 && col < m_cols)
        m_colIdeal[static_cast<size_t>(col)] = ideal;
}

void CSplitterWnd::RecalcLayout()
{
    auto* outer = static_cast<QSplitter*>(Widget());
    if (!outer)
        return;
    // The last row and column take what is left, as the original's did.
    QList<int> rows;
    for (int r = 0; r < m_rows; ++r)
        rows << (r + 1 < m_rows ? std::max(m_rowIdeal[static_cast<size_t>(r)], 1) : 1 << 20);
    outer->setSizes(rows);
    QList<int> cols;
    for (int c = 0; c < m_cols; ++c)
        cols << (c + 1 < m_cols ? std::max(m_colIdeal[static_cast<size_t>(c)], 1) : 1 << 20);
    for (int r = 0; r < m_rows; ++r)
        RowSplitter(r)->setSizes(cols);
}

void CSplitterWnd::SyncColumns(int fromRow)
{
    if (m_syncing)
        return;
    m_syncing = true;
    const QList<int> sizes = RowSplitter(fromRow)->sizes();
    for (int r = 0; r < m_rows; ++r) {
        if (r != fromRow)
            RowSplitter(r)->setSizes(sizes);
    }
    m_syncing = false;
}

} // namespace fw
