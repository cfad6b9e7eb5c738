#include "canvoicegps/views/settings/CanSetView.h"

#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/views/settings/CanNodeUpdate.h"
#include "canvoicegps/views/settings/CanNodeView.h"
#include "canvoicegps/views/settings/CanPageSupport.h"
#include "canvoicegps/views/settings/CanSignalView.h"
#include "framework/core/Collections.h"
#include "framework/core/MenuResource.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/Menu.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"

#include <QHeaderView>
#include <QTreeWidget>

FW_IMPLEMENT_DYNCREATE(CCanSetView, fw::CView)

FW_BEGIN_COMMANDS(CCanSetView, fw::CView)
    FW_ON_COMMAND(CCanSetView::kIdDelete, &CCanSetView::OnDelete)
    FW_ON_UPDATE(CCanSetView::kIdDelete, &CCanSetView::OnUpdateDelete)
    FW_ON_COMMAND(CCanSetView::kIdExpand, &CCanSetView::OnExpand)
    FW_ON_UPDATE(CCanSetView::kIdExpand, &CCanSetView::OnUpdateExpand)
FW_END_COMMANDS

CCanSetView::CCanSetView() = default;
CCanSetView::~CCanSetView() = default;

void CCanSetView::SetGrids(CCanNodeView* messages, CCanSignalView* sigGrid)
{
    m_pMessages = messages;
    m_pSignals = sigGrid;
}

CKIV5980Doc* CCanSetView::GetProjectDoc() const { return dynamic_cast<CKIV5980Doc*>(GetDocument()); }

QWidget* CCanSetView::CreateViewWidget(QWidget* parent)
{
    m_tree = new QTreeWidget(parent);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(m_tree, &QTreeWidget::itemSelectionChanged, m_tree, [this] { OnWidgetSelection(); });
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(m_tree, &QTreeWidget::customContextMenuRequested, m_tree,
                     [this](const QPoint& at) { Guard([&] { OnWidgetMenu(at); }); });
    return m_tree;
}

void CCanSetView::OnInitialUpdate()
{
    fw::CView::OnInitialUpdate();
    Rebuild();
}

void CCanSetView::Fill(QTreeWidgetItem* widgetItem, CCanTreeItem* item)
{
    m_byWidget[widgetItem] = item;
    m_widgetOf[item] = widgetItem;
    for (auto& child : item->children) {
        auto* childWidget = new QTreeWidgetItem(widgetItem, QStringList(QString::fromUtf8(child->label.c_str())));
        Fill(childWidget, child.get());
    }
}

void CCanSetView::Rebuild()
{
    if (!RebuildItems())
        return;
    SelectItem(m_items.Root(false));
}

bool CCanSetView::RebuildItems()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || !m_tree)
        return false;
    const bool notify = m_notify;
    m_notify = false;
    m_tree->clear();
    m_byWidget.clear();
    m_widgetOf.clear();
    m_selected = nullptr;
    m_target = nullptr;
    m_items.Build(doc->GetBoxArray());
    for (bool send : {false, true}) {
        CCanTreeItem* root = m_items.Root(send);
        auto* widget = new QTreeWidgetItem(m_tree, QStringList(QString::fromUtf8(root->label.c_str())));
        Fill(widget, root);
    }
    m_notify = notify;
    return true;
}

void CCanSetView::SelectItem(CCanTreeItem* item) { ShowSelection(item, true); }

void CCanSetView::ShowSelection(CCanTreeItem* item, bool notify)
{
    CCanTreeItem* end = m_items.Select(item);
    if (!end)
        return;
    m_selected = end;
    if (QTreeWidgetItem* widget = m_widgetOf.count(end) ? m_widgetOf[end] : nullptr) {
        const bool old = m_notify;
        m_notify = false;
        // Single expansion: only the selected path stays open.
        m_tree->collapseAll();
        for (QTreeWidgetItem* up = widget->parent(); up; up = up->parent())
            up->setExpanded(true);
        m_tree->setCurrentItem(widget);
        m_notify = old;
    }
    const CCanTree::Context context = CCanTree::ContextOf(end);
    if (m_pMessages && context.messages)
        m_pMessages->ShowMessages(context.send, context.unitIndex, context.messages, context.message, context.signal);
    if (notify && m_notify)
        if (CKIV5980Doc* doc = GetProjectDoc()) {
            fw::CObject* object = context.signal    ? static_cast<fw::CObject*>(context.signal)
                                  : context.message ? static_cast<fw::CObject*>(context.message)
                                                    : static_cast<fw::CObject*>(context.messages);
            CCanNodeUpdate update(CCanNodeUpdate::kSelected, object, context.send);
            doc->UpdateAllViews(this, CCanNodeUpdate::kHintCan, &update);
        }
}

void CCanSetView::OnWidgetSelection()
{
    if (!m_notify || !m_tree)
        return;
    QTreeWidgetItem* current = m_tree->currentItem();
    auto found = m_byWidget.find(current);
    if (found != m_byWidget.end())
        ShowSelection(found->second, true);
}

void CCanSetView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    if (hint == 16 || (hint == CCanNodeUpdate::kHintUnitSettings && hintObject)) {
        Rebuild();
        return;
    }
    auto* update = dynamic_cast<CCanNodeUpdate*>(hintObject);
    if (hint != CCanNodeUpdate::kHintCan || !update || sender == this)
        return;
    switch (update->m_kind) {
    case CCanNodeUpdate::kAdded: {
        Rebuild();
        if (CCanTreeItem* item = m_items.Find(update->m_pObject))
            ShowSelection(item, false);
        break;
    }
    case CCanNodeUpdate::kRenamed:
        if (CCanTreeItem* item = m_items.Find(update->m_pObject)) {
            auto* message = dynamic_cast<C463CanMesNode*>(update->m_pObject);
            auto* signal = dynamic_cast<C463CanMesSignal*>(update->m_pObject);
            item->label = message ? message->GetName() : signal ? signal->GetName() : item->label;
            if (m_widgetOf.count(item))
                m_widgetOf[item]->setText(0, QString::fromUtf8(item->label.c_str()));
        }
        break;
    case CCanNodeUpdate::kSelected:
        if (CCanTreeItem* item = m_items.Find(update->m_pObject)) {
            m_selected = item;
            if (m_widgetOf.count(item)) {
                m_notify = false;
                m_tree->setCurrentItem(m_widgetOf[item]);
                m_notify = true;
            }
        }
        break;
    case CCanNodeUpdate::kDeleted:
        // The paired grids' deletions went through DeleteItems already.
        if (sender != static_cast<fw::CView*>(m_pMessages) && sender != static_cast<fw::CView*>(m_pSignals))
            RebuildKeepingSelection();
        break;
    default:
        break;
    }
}

void CCanSetView::RebuildKeepingSelection()
{
    // The selected object may be among the deleted ones: it is only
    // compared, never used, until found again among the new items.
    const fw::CObject* selected = nullptr;
    if (m_selected)
        selected = m_selected->signal    ? static_cast<const fw::CObject*>(m_selected->signal)
                   : m_selected->message ? static_cast<const fw::CObject*>(m_selected->message)
                                         : static_cast<const fw::CObject*>(m_selected->messages);
    const bool notify = m_notify;
    m_notify = false;
    if (RebuildItems()) {
        CCanTreeItem* again = selected ? m_items.Find(selected) : nullptr;
        ShowSelection(again ? again : m_items.Root(false), false);
    }
    m_notify = notify;
}

void CCanSetView::DeleteItems(const std::vector<fw::CObject*>& objects)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return;
    m_notify = false;
    std::vector<fw::CObject*> deleted;
    for (fw::CObject* object : objects)
        if (CCanTreeItem* item = m_items.Find(object))
            m_items.Delete(item, doc->GetBoxArray(), deleted);
    doc->SetModifiedFlag();
    doc->GetBoxArray().MarkDuplicateCanIds();
    // The widget's items pointed at what is gone; the grid shows its own
    // selection again.
    RebuildItems();
    m_notify = true;
}

bool CCanSetView::CanDeleteSelected() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    CCanTreeItem* target = CommandTarget();
    return doc && target && !doc->IsEditLocked() && !ProjectHost().IsMeasuring(*doc) &&
           CCanTree::HoldsMessages(target);
}

void CCanSetView::OnUpdateDelete(fw::CCmdUI* ui) { ui->Enable(CanDeleteSelected()); }

void CCanSetView::OnDelete()
{
    if (!CanDeleteSelected()) {
        m_target = nullptr;
        return;
    }
    CKIV5980Doc* doc = GetProjectDoc();
    CCanTreeItem* item = CommandTarget();
    m_target = nullptr;
    const bool send = item->send;
    const int32_t kind = item->kind;
    const int32_t unitIndex = item->unitIndex;
    CCanNodeArray* messages = item->kind == CCanTreeItem::kPort ? item->messages : nullptr;
    m_notify = false;
    std::vector<fw::CObject*> deleted;
    CPollingPause pause;
    CCanTreeItem* next = m_items.Delete(item, doc->GetBoxArray(), deleted);
    const fw::CObject* nextObject = !next          ? nullptr
                                    : next->signal ? static_cast<fw::CObject*>(next->signal)
                                    : next->message ? static_cast<fw::CObject*>(next->message)
                                                    : static_cast<fw::CObject*>(next->messages);
    doc->SetModifiedFlag();
    // The widget follows the items; the items are new after the rebuild.
    Rebuild();
    m_notify = true;
    if (CCanTreeItem* again = nextObject ? m_items.Find(nextObject) : nullptr)
        ShowSelection(again, false);
    fw::CObArray list;
    for (fw::CObject* object : deleted)
        list.Add(object);
    if (messages)
        list.Add(messages);
    CCanNodeUpdate update(CCanNodeUpdate::kDeleted, &list, send);
    update.m_itemKind = kind;
    update.m_unitIndex = unitIndex;
    doc->UpdateAllViews(this, CCanNodeUpdate::kHintCan, &update);
}

void CCanSetView::OnExpand()
{
    CCanTreeItem* target = m_target;
    m_target = nullptr;
    if (target && target != m_selected) {
        // Choosing it opens it, as a click would.
        SelectItem(target);
        if (m_widgetOf.count(target))
            m_widgetOf[target]->setExpanded(true);
        return;
    }
    if (!m_selected || !m_widgetOf.count(m_selected) || m_selected->children.empty())
        return;
    QTreeWidgetItem* widget = m_widgetOf[m_selected];
    widget->setExpanded(!widget->isExpanded());
}

void CCanSetView::OnUpdateExpand(fw::CCmdUI* ui)
{
    CCanTreeItem* target = CommandTarget();
    ui->Enable(target && !target->children.empty());
}

void CCanSetView::OnWidgetMenu(const QPoint& at)
{
    QTreeWidgetItem* widget = m_tree->itemAt(at);
    auto found = m_byWidget.find(widget);
    const QPoint global = m_tree->viewport()->mapToGlobal(at);
    ShowContextMenu(found != m_byWidget.end() ? found->second : nullptr, fw::CPoint(global.x(), global.y()));
}

unsigned CCanSetView::ShowContextMenu(CCanTreeItem* clicked, fw::CPoint screen)
{
    if (auto* frame = GetParentFrame())
        frame->SetActiveView(this);
    canpage::EnsureCanMenus();
    fw::CMenu menu;
    fw::CMenu* popup = menu.LoadMenu(kContextMenu) ? menu.GetSubMenu(0) : nullptr;
    if (!popup)
        return 0;
    CCanTreeItem* fitted = clicked && !clicked->children.empty() ? clicked : m_selected;
    const bool open = fitted && !fitted->children.empty() && m_widgetOf.count(fitted) &&
                      m_widgetOf[fitted]->isExpanded();
    // "展開" stands first, "折りたたみ" second; one of them goes.
    popup->DeleteMenu(open ? 0 : 1, fw::MF_BYPOSITION);
    // The commands' update pass sees the item the menu was opened over.
    m_target = clicked;
    const unsigned id =
        popup->TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON | fw::TPM_RETURNCMD, screen.x, screen.y, this);
    if (id != kIdDelete && id != kIdExpand)
        m_target = nullptr;
    if (id != 0)
        OnCmdMsg(id, fw::CN_COMMAND, nullptr, nullptr);
    m_target = nullptr;
    return id;
}
