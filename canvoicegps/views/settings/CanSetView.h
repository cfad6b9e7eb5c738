#pragma once

// The tree of the CAN data page: the CAN message databases of the
// project's CAN/voice/GPS units by direction, control unit and port.
// Choosing an item shows its messages and signals in the paired grids;
// the tree deletes messages and signals and follows the grids' changes.

#include "canvoicegps/views/settings/CanTree.h"
#include "framework/ui/View.h"

#include <map>

class CCanNodeView;
class CCanSignalView;
class CKIV5980Doc;
class QTreeWidget;
class QTreeWidgetItem;
class QPoint;

class CCanSetView : public fw::CView {
    FW_DECLARE_DYNCREATE(CCanSetView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kIdExpand = 33306;
    static constexpr unsigned kIdDelete = 32834;
    static constexpr unsigned kContextMenu = 397;

    CCanSetView();
    ~CCanSetView() override;

    void SetGrids(CCanNodeView* messages, CCanSignalView* sigGrid);
    CKIV5980Doc* GetProjectDoc() const;
    QTreeWidget* Tree() const { return m_tree; }
    CCanTree& Items() { return m_items; }
    // Rebuilds the items and the widget, the first root selected.
    void Rebuild();
    // The items and the widget anew, nothing selected.
    bool RebuildItems();
    // Selects an item as the user would.
    void SelectItem(CCanTreeItem* item);
    CCanTreeItem* GetSelectedItem() const { return m_selected; }
    // Deletes the messages and signals of `objects` (from a grid); no hint.
    void DeleteItems(const std::vector<fw::CObject*>& objects);

    void OnDraw(fw::CDC*) override {}
    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;

    void OnDelete();
    bool CanDeleteSelected() const;
    // The context menu for the item under the pointer (none: the selected
    // one), fitted to it and tracked at `screen`; the command chosen.
    unsigned ShowContextMenu(CCanTreeItem* clicked, fw::CPoint screen);
    // What the expand and delete commands work on: the item the context
    // menu was opened over, else the selected one.
    CCanTreeItem* CommandTarget() const { return m_target ? m_target : m_selected; }

protected:
    QWidget* CreateViewWidget(QWidget* parent) override;

private:
    void OnUpdateDelete(fw::CCmdUI* ui);
    void OnExpand();
    void OnUpdateExpand(fw::CCmdUI* ui);
    void Fill(QTreeWidgetItem* widgetItem, CCanTreeItem* item);
    void ShowSelection(CCanTreeItem* item, bool notify);
    void OnWidgetSelection();
    void OnWidgetMenu(const QPoint& at);
    // After another window deleted messages: the items anew, the selection
    // kept where its object still exists.
    void RebuildKeepingSelection();

    QTreeWidget* m_tree = nullptr;
    CCanTree m_items;
    std::map<QTreeWidgetItem*, CCanTreeItem*> m_byWidget;
    std::map<CCanTreeItem*, QTreeWidgetItem*> m_widgetOf;
    CCanTreeItem* m_selected = nullptr;
    CCanTreeItem* m_target = nullptr;
    CCanNodeView* m_pMessages = nullptr;
    CCanSignalView* m_pSignals = nullptr;
    bool m_notify = true;
};
