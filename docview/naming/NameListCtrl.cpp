#include "docview/naming/NameListCtrl.h"

#include "docbase/naming/NamingStrings.h"
#include "framework/core/StringTable.h"
#include "framework/ui/QtText.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

#include <memory>
#include <new>

FW_IMPLEMENT_DYNAMIC(CNameListCtrl, fw::CWnd)

CNameListCtrl::CNameListCtrl()
{
    auto* table = new QTableWidget(0, 0);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    table->verticalHeader()->hide();
    Attach(table);
}

CNameListCtrl::~CNameListCtrl() = default;

QTableWidget* CNameListCtrl::Table() const
{
    return static_cast<QTableWidget*>(Widget());
}

bool CNameListCtrl::InsertColumns(int listKind)
{
    const int columns = CNameListModel::ColumnCount(listKind);
    QTableWidget* table = Table();
    if (!table)
        return false;
    table->setColumnCount(columns);
    QStringList captions;
    for (unsigned id : {naming::kIdsNameColumn, naming::kIdsNumberColumn})
        captions << fw::ToQ(fw::LoadStringText(id));
    captions = captions.mid(0, columns);
    table->setHorizontalHeaderLabels(captions);
    const int width = GetClientRect().Width();
    for (int c = 0; c < columns; ++c)
        table->setColumnWidth(c, CNameListModel::ColumnWidth(c, columns, width));
    return table->columnCount() == columns;
}

bool CNameListCtrl::AddNames(CDataTankList* list, const fw::CString& prefix, int listKind, int first, int last,
                             int listNumber)
{
    try {
        CNameListModel rows;
        rows.SetSkipDoubles(GetSkipDoubles());
        rows.AddNames(list, prefix, listKind, first, last, listNumber);
        for (const NameListRow& row : rows.Rows())
            AppendRow(row);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void CNameListCtrl::AppendRow(const NameListRow& r)
{
    QTableWidget* table = Table();
    auto name = std::make_unique<QTableWidgetItem>(fw::ToQ(r.name));
    name->setData(Qt::UserRole, QVariant::fromValue(r.itemData));
    const int row = table->rowCount();
    table->insertRow(row);
    table->setItem(row, 0, name.release());
    if (table->columnCount() > 1)
        table->setItem(row, 1, new QTableWidgetItem(fw::ToQ(r.runningName)));
}

int CNameListCtrl::FindItem(uint32_t itemData) const
{
    for (int row = 0; row < GetItemCount(); ++row)
        if (GetItemData(row) == itemData)
            return row;
    return -1;
}

int CNameListCtrl::SelectItem(int tankIndex, int listNumber, bool scroll)
{
    const int row = FindItem(CNameListModel::ItemData(listNumber, tankIndex));
    if (row < 0)
        return -1;
    SetSelectedRow(row);
    if (scroll) {
        QTableWidget* table = Table();
        const int top = GetTopIndex();
        const int bottom = table->rowAt(table->viewport()->height() - 1);
        const bool hidden = row < top || (bottom >= 0 && row > bottom);
        if (hidden)
            table->scrollToItem(table->item(row, 0), QAbstractItemView::PositionAtTop);
    }
    return row;
}

void CNameListCtrl::ClearSelection()
{
    Table()->clearSelection();
}

void CNameListCtrl::DeleteAllItems()
{
    Table()->setRowCount(0);
}

int CNameListCtrl::GetSelectedRow() const
{
    const QTableWidget* table = Table();
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem* item = table->item(row, 0);
        if (item && item->isSelected())
            return row;
    }
    return -1;
}

void CNameListCtrl::SetSelectedRow(int row)
{
    QTableWidget* table = Table();
    table->clearSelection();
    if (row >= 0 && row < table->rowCount()) {
        // Making the row current would scroll to it; whether the list
        // scrolls is the caller's choice.
        QScrollBar* bar = table->verticalScrollBar();
        const int top = bar->value();
        table->setCurrentCell(row, 0);
        table->selectRow(row);
        bar->setValue(top);
    }
}

int CNameListCtrl::GetItemCount() const
{
    return Table()->rowCount();
}

uint32_t CNameListCtrl::GetItemData(int row) const
{
    const QTableWidgetItem* item = Table()->item(row, 0);
    return item ? item->data(Qt::UserRole).value<uint32_t>() : 0;
}

fw::CString CNameListCtrl::GetItemText(int row, int column) const
{
    const QTableWidgetItem* item = Table()->item(row, column);
    return item ? fw::FromQ(item->text()) : fw::CString();
}

int CNameListCtrl::GetColumnCount() const
{
    return Table()->columnCount();
}

int CNameListCtrl::GetColumnWidth(int column) const
{
    return Table()->columnWidth(column);
}

int CNameListCtrl::GetTopIndex() const
{
    return Table()->rowCount() > 0 ? Table()->rowAt(0) : -1;
}
