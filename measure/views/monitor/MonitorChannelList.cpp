#include "measure/views/monitor/MonitorChannelList.h"

#include "framework/core/StringTable.h"
#include "framework/ui/QtText.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableWidget>

FW_IMPLEMENT_DYNAMIC(CMonitorChannelList, fw::CWnd)

namespace {

constexpr unsigned kIdsName = 180, kIdsNumber = 207;
constexpr int kReservedWidth = 18;

} // namespace

CMonitorChannelList::CMonitorChannelList()
{
    auto* table = new QTableWidget(0, 2);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(table, &QTableWidget::itemSelectionChanged, table, [this] {
        if (onSelectionChanged)
            onSelectionChanged();
    });
    QObject::connect(table, &QTableWidget::customContextMenuRequested, table, [this](const QPoint&) {
        if (onSelectionChanged)
            onSelectionChanged();
    });
    Attach(table);
}

QTableWidget* CMonitorChannelList::Table() const
{
    return static_cast<QTableWidget*>(Widget());
}

void CMonitorChannelList::InitColumns()
{
    QTableWidget* table = Table();
    table->setHorizontalHeaderLabels({fw::ToQ(fw::LoadStringText(kIdsName)), fw::ToQ(fw::LoadStringText(kIdsNumber))});
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int width = std::max(0, table->width() - kReservedWidth);
    table->setColumnWidth(0, width * 2 / 3);
    table->setColumnWidth(1, width / 3);
}

void CMonitorChannelList::SetItems(const std::vector<MonitorListItem>& items)
{
    QTableWidget* table = Table();
    const QSignalBlocker quiet(table);
    table->clearSelection();
    table->setRowCount(static_cast<int>(items.size()));
    for (int row = 0; row < static_cast<int>(items.size()); ++row) {
        const MonitorListItem& item = items[static_cast<size_t>(row)];
        auto* name = new QTableWidgetItem(fw::ToQ(item.name));
        name->setData(Qt::UserRole, item.channel);
        table->setItem(row, 0, name);
        table->setItem(row, 1, new QTableWidgetItem(fw::ToQ(item.number)));
    }
}

std::vector<MonitorListItem> CMonitorChannelList::Items() const
{
    const QTableWidget* table = Table();
    std::vector<MonitorListItem> items;
    for (int row = 0; row < table->rowCount(); ++row) {
        MonitorListItem item;
        item.name = fw::FromQ(table->item(row, 0)->text());
        item.number = fw::FromQ(table->item(row, 1)->text());
        item.channel = table->item(row, 0)->data(Qt::UserRole).toInt();
        items.push_back(item);
    }
    return items;
}

int CMonitorChannelList::GetItemCount() const
{
    return Table()->rowCount();
}

std::vector<bool> CMonitorChannelList::SelectedRows() const
{
    const QTableWidget* table = Table();
    std::vector<bool> rows(static_cast<size_t>(table->rowCount()), false);
    for (int row = 0; row < table->rowCount(); ++row)
        rows[static_cast<size_t>(row)] = table->item(row, 0) && table->item(row, 0)->isSelected();
    return rows;
}

bool CMonitorChannelList::HasSelection() const
{
    return FirstSelected() >= 0;
}

int CMonitorChannelList::FirstSelected() const
{
    const std::vector<bool> rows = SelectedRows();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i])
            return static_cast<int>(i);
    return -1;
}

void CMonitorChannelList::SelectRow(int row, bool on)
{
    QTableWidget* table = Table();
    if (row < 0 || row >= table->rowCount())
        return;
    const QModelIndex index = table->model()->index(row, 0);
    table->selectionModel()->select(index, (on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                                               QItemSelectionModel::Rows);
}

void CMonitorChannelList::SelectAll()
{
    Table()->selectAll();
}
