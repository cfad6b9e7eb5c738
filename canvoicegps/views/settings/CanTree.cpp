#include "canvoicegps/views/settings/CanTree.h"

#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/Kiv463Unit.h"
#include "framework/core/Format.h"
#include "framework/core/StringTable.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"

#include <algorithm>
#include <functional>

namespace {

fw::CString RootText(bool send)
{
    const unsigned id = send ? CCanTree::kIdsSendRoot : CCanTree::kIdsReceiveRoot;
    fw::CString text = fw::LoadStringText(id);
    if (text.IsEmpty())
        text = send ? "送信メッセージ" : "受信メッセージ";
    return text;
}

CCanTreeItem& AddChild(CCanTreeItem& parent, CCanTreeItem::Kind kind, const fw::CString& label)
{
    auto item = std::make_unique<CCanTreeItem>();
    item->kind = kind;
    item->label = label;
    item->parent = &parent;
    item->send = parent.send;
    item->unitIndex = parent.unitIndex;
    item->port = parent.port;
    item->messages = parent.messages;
    item->message = parent.message;
    parent.children.push_back(std::move(item));
    return *parent.children.back();
}

CKiv463Unit* UnitAt(const CBoxArray& system, int box, int port)
{
    CBoxPropaty* b = system.GetBox(box);
    CKivMeter* meter = b ? b->GetMeter() : nullptr;
    if (!meter || meter->GetUnitType(port) != CKiv463Unit::kTypeCode)
        return nullptr;
    return dynamic_cast<CKiv463Unit*>(meter->GetUnit(port));
}

} // namespace

void CCanTree::AddPort(CCanTreeItem& parent, const CBoxArray& system, int box, int port, bool send)
{
    CKiv463Unit* unit = UnitAt(system, box, port);
    if (!unit)
        return;
    CCanTreeItem& portItem = AddChild(parent, CCanTreeItem::kPort, fw::Format("Port %d", port + 1));
    portItem.port = port;
    portItem.messages = &unit->Messages();
    for (int entry = 0; entry < CCanNodeArray::kEntries; ++entry) {
        C463CanMesNode* message = unit->Messages().GetAt(entry);
        if (!message || message->IsSend() != send)
            continue;
        CCanTreeItem& messageItem = AddChild(portItem, CCanTreeItem::kMessage, message->GetName());
        messageItem.message = message;
        for (int i = 0; i < message->Signals().GetSize(); ++i)
            if (C463CanMesSignal* signal = message->Signals().GetAt(i)) {
                CCanTreeItem& signalItem = AddChild(messageItem, CCanTreeItem::kSignal, signal->GetName());
                signalItem.signal = signal;
            }
        if (!messageItem.children.empty())
            messageItem.remembered = messageItem.children.front().get();
    }
    if (!portItem.children.empty())
        portItem.remembered = portItem.children.front().get();
}

void CCanTree::Build(const CBoxArray& system)
{
    for (bool send : {false, true}) {
        auto root = std::make_unique<CCanTreeItem>();
        root->label = RootText(send);
        root->send = send;
        const int boxes = system.GetBoxCount();
        for (int box = 0; box < boxes; ++box) {
            CCanTreeItem* parent = root.get();
            if (boxes > 1) {
                parent = &AddChild(*root, CCanTreeItem::kControlUnit, system.GetBox(box)->GetName());
            }
            parent->unitIndex = box;
            for (int port = 0; port < CKivMeter::kPorts; ++port)
                AddPort(*parent, system, box, port, send);
            if (parent != root.get() && !parent->children.empty())
                parent->remembered = parent->children.front().get();
        }
        root->unitIndex = -1;
        // A root chosen after a build leads down to its first message.
        if (!root->children.empty())
            root->remembered = root->children.front().get();
        m_roots[send ? 1 : 0] = std::move(root);
    }
}

CCanTreeItem* CCanTree::Root(bool send) const { return m_roots[send ? 1 : 0].get(); }

CCanTreeItem* CCanTree::Select(CCanTreeItem* item)
{
    while (item && item->remembered)
        item = item->remembered;
    for (CCanTreeItem* child = item; child && child->parent; child = child->parent)
        child->parent->remembered = child;
    return item;
}

CCanTree::Context CCanTree::ContextOf(const CCanTreeItem* item)
{
    Context context;
    if (!item)
        return context;
    context.send = item->send;
    context.unitIndex = std::max(item->unitIndex, 0);
    context.messages = item->messages;
    context.message = item->message;
    context.signal = item->signal;
    return context;
}

CCanTreeItem* CCanTree::Find(const fw::CObject* object) const
{
    std::function<CCanTreeItem*(CCanTreeItem*)> walk = [&](CCanTreeItem* item) -> CCanTreeItem* {
        const fw::CObject* held = item->kind == CCanTreeItem::kSignal    ? static_cast<const fw::CObject*>(item->signal)
                                  : item->kind == CCanTreeItem::kMessage ? static_cast<const fw::CObject*>(item->message)
                                  : item->kind == CCanTreeItem::kPort    ? static_cast<const fw::CObject*>(item->messages)
                                                                         : nullptr;
        if (held && held == object)
            return item;
        for (auto& child : item->children)
            if (CCanTreeItem* found = walk(child.get()))
                return found;
        return nullptr;
    };
    for (const auto& root : m_roots)
        if (root)
            if (CCanTreeItem* found = walk(root.get()))
                return found;
    return nullptr;
}

bool CCanTree::HoldsMessages(const CCanTreeItem* item)
{
    if (!item)
        return false;
    if (item->kind == CCanTreeItem::kMessage || item->kind == CCanTreeItem::kSignal)
        return true;
    return std::any_of(item->children.begin(), item->children.end(),
                       [](const auto& child) { return HoldsMessages(child.get()); });
}

void CCanTree::CollectPort(CCanNodeArray& messages, bool send, std::vector<fw::CObject*>& deleted)
{
    for (int entry = 0; entry < CCanNodeArray::kEntries; ++entry) {
        C463CanMesNode* message = messages.GetAt(entry);
        if (!message || message->IsSend() != send)
            continue;
        for (int i = 0; i < message->Signals().GetSize(); ++i)
            deleted.push_back(message->Signals().GetAt(i));
        deleted.push_back(message);
    }
    messages.RemoveDirection(send);
}

void CCanTree::DeleteModel(CCanTreeItem* item, CBoxArray& system, std::vector<fw::CObject*>& deleted)
{
    switch (item->kind) {
    case CCanTreeItem::kSignal:
        if (item->message && item->message->Signals().RemoveSignal(item->signal)) {
            item->message->Signals().UpdateBitUsage();
            deleted.push_back(item->signal);
            delete item->signal;
        }
        break;
    case CCanTreeItem::kMessage:
        if (item->messages && item->messages->Detach(item->message) >= 0) {
            for (int i = 0; i < item->message->Signals().GetSize(); ++i)
                deleted.push_back(item->message->Signals().GetAt(i));
            deleted.push_back(item->message);
            delete item->message;
        }
        break;
    case CCanTreeItem::kPort:
        CollectPort(*item->messages, item->send, deleted);
        break;
    case CCanTreeItem::kControlUnit:
    case CCanTreeItem::kRoot:
        for (auto& child : item->children)
            DeleteModel(child.get(), system, deleted);
        break;
    }
}

CCanTreeItem* CCanTree::RemoveItem(CCanTreeItem* item)
{
    CCanTreeItem* parent = item->parent;
    auto& siblings = parent->children;
    auto at = std::find_if(siblings.begin(), siblings.end(), [&](const auto& p) { return p.get() == item; });
    CCanTreeItem* next = nullptr;
    if (at + 1 != siblings.end())
        next = (at + 1)->get();
    else if (at != siblings.begin())
        next = (at - 1)->get();
    siblings.erase(at);
    parent->remembered = next;
    return next ? next : parent;
}

CCanTreeItem* CCanTree::Delete(CCanTreeItem* item, CBoxArray& system, std::vector<fw::CObject*>& deleted)
{
    if (!item)
        return nullptr;
    DeleteModel(item, system, deleted);
    system.MarkDuplicateCanIds();
    if (item->kind == CCanTreeItem::kMessage || item->kind == CCanTreeItem::kSignal)
        return RemoveItem(item);
    // A port, control unit or root stays; its messages go.
    std::function<void(CCanTreeItem*)> prune = [&](CCanTreeItem* node) {
        if (node->kind == CCanTreeItem::kPort) {
            node->children.clear();
            node->remembered = nullptr;
            return;
        }
        for (auto& child : node->children)
            prune(child.get());
    };
    prune(item);
    return item;
}
