#include "docview/instrumentdlg/KivUnitGrid.h"

#include "docview/controls/ContextMenus.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/Format.h"
#include "framework/core/StringTable.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/Menu.h"
#include "framework/ui/QtText.h"
#include "instrument/KivUnitTypes.h"

#include <QHeaderView>
#include <QTableWidget>

FW_IMPLEMENT_DYNAMIC(CKivUnitGrid, fw::CWnd)

CKivUnitGrid::CKivUnitGrid()
{
    auto* table = new QTableWidget(kRows, kHeaderColumns + 1);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(table, &QWidget::customContextMenuRequested, [this, table](const QPoint& at) {
        const QModelIndex index = table->indexAt(at);
        if (index.isValid())
            Guard([&] { OnCellContextMenu(index.row(), index.column()); });
    });
    Attach(table);
}

CKivUnitGrid::~CKivUnitGrid() = default;

QTableWidget* CKivUnitGrid::Table() const
{
    return static_cast<QTableWidget*>(Widget());
}

void CKivUnitGrid::SetUnitTypes(CKivUnitTypes* types)
{
    m_types = types;
    Redraw();
}

void CKivUnitGrid::Initialize()
{
    m_table.Load();
    m_loaded = true;
    QStringList headers;
    for (unsigned id : {kMsgPortCorner, kMsgChannelCorner, kMsgTypeCorner, kMsgUnitColumn})
        headers << fw::ToQ(fw::LoadStringText(id));
    Table()->setHorizontalHeaderLabels(headers);
    Redraw();
}

fw::CString CKivUnitGrid::CellText(int row, int column) const
{
    if (row < 0) {
        static constexpr unsigned kHeaders[] = {kMsgPortCorner, kMsgChannelCorner, kMsgTypeCorner, kMsgUnitColumn};
        return column >= 0 && column <= kHeaderColumns ? fw::LoadStringText(kHeaders[column]) : fw::CString();
    }
    const int code = m_types ? m_types->GetAt(row) : 0;
    switch (column) {
    case 0: return fw::Format("Port %d", row + 1);
    case 1: return fw::Format("%d - %d", 8 * row + 1, 8 * row + 8);
    case 2: return m_loaded ? m_table.GetModelName(code) : fw::CString();
    case 3: return m_loaded ? m_table.GetTypeName(code) : fw::CString();
    default: return {};
    }
}

void CKivUnitGrid::Redraw()
{
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column <= kHeaderColumns; ++column) {
            const QString text = fw::ToQ(CellText(row, column));
            if (QTableWidgetItem* item = Table()->item(row, column))
                item->setText(text);
            else
                Table()->setItem(row, column, new QTableWidgetItem(text));
        }
    }
}

void CKivUnitGrid::SelectRows(int first, int last)
{
    Table()->clearSelection();
    Table()->setRangeSelected(QTableWidgetSelectionRange(first, 0, last, kHeaderColumns), true);
}

std::vector<int> CKivUnitGrid::SelectedRows() const
{
    std::vector<int> rows;
    for (int row = 0; row < kRows; ++row) {
        const QTableWidgetItem* item = Table()->item(row, kHeaderColumns);
        if (item && item->isSelected())
            rows.push_back(row);
    }
    return rows;
}

bool CKivUnitGrid::IsUnitTypeCommand(unsigned id) const
{
    for (int row = 0; row < m_table.GetRowCount(); ++row) {
        if (m_table.GetMenuId(row) == id)
            return true;
    }
    return false;
}

void CKivUnitGrid::OnCellContextMenu(int row, int column)
{
    fw::CMenu menu;
    if (!menu.LoadMenu(kUnitMenu))
        return;
    fw::CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    popup->DeleteMenu(kHiddenUnitCommand, fw::MF_BYCOMMAND);
    fw::CWnd* owner = appctl::TopLevelOwner(*this);
    QTableWidgetItem* item = Table()->item(row, column);
    const QRect cell = item ? Table()->visualItemRect(item) : QRect();
    const QPoint at = Table()->viewport()->mapToGlobal(cell.bottomLeft());
    popup->TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON, at.x(), at.y(), owner);
}

void CKivUnitGrid::OnUnitType(unsigned id)
{
    if (!m_types || !IsUnitTypeCommand(id))
        return;
    const int code = UnitTypeFromMenuId(id);
    for (int row : SelectedRows())
        m_types->SetAt(row, code);
    Redraw();
}

void CKivUnitGrid::OnUpdateUnitType(fw::CCmdUI* ui)
{
    const std::vector<int> rows = SelectedRows();
    bool all = m_types && !rows.empty();
    const int code = UnitTypeFromMenuId(ui->m_nID);
    for (int row : rows)
        all = all && m_types->GetAt(row) == code;
    ui->Enable(true);
    ui->SetCheck(all ? 1 : 0);
}
