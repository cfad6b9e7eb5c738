#pragma once

// The items of the CAN settings tree: per direction, the control units
// (when there are several), the ports holding a CAN/voice/GPS unit, their
// messages of that direction and the messages' signals. The selection runs
// down the child each item remembers; deleting an item deletes its
// messages and signals from the unit's database.

#include "framework/core/CString.h"

#include <cstdint>
#include <memory>
#include <vector>

class CBoxArray;
class CCanNodeArray;
class C463CanMesNode;
class C463CanMesSignal;

namespace fw {
class CObject;
}

struct CCanTreeItem {
    enum Kind : int32_t { kRoot = 0, kControlUnit = 1, kPort = 2, kMessage = 3, kSignal = 4 };

    Kind kind = kRoot;
    fw::CString label;
    CCanTreeItem* parent = nullptr;
    CCanTreeItem* remembered = nullptr;
    std::vector<std::unique_ptr<CCanTreeItem>> children;
    bool send = false;          // the root's direction
    int32_t unitIndex = -1;     // control unit, port
    int32_t port = -1;          // port
    CCanNodeArray* messages = nullptr;
    C463CanMesNode* message = nullptr;
    C463CanMesSignal* signal = nullptr;
};

class CCanTree {
public:
    static constexpr unsigned kIdsReceiveRoot = 794;
    static constexpr unsigned kIdsSendRoot = 793;

    // What a selected item stands for, collected up to its root.
    struct Context {
        bool send = false;
        int32_t unitIndex = 0;
        CCanNodeArray* messages = nullptr;
        C463CanMesNode* message = nullptr;
        C463CanMesSignal* signal = nullptr;
    };

    void Build(const CBoxArray& system);
    CCanTreeItem* Root(bool send) const;
    // Follows remembered children down from `item`; every ancestor of the
    // end remembers the child the path went through.
    CCanTreeItem* Select(CCanTreeItem* item);
    static Context ContextOf(const CCanTreeItem* item);
    CCanTreeItem* Find(const fw::CObject* object) const;
    // Whether deleting the item deletes any message or signal.
    static bool HoldsMessages(const CCanTreeItem* item);
    // Deletes the item's messages and signals from the model and its
    // branch from the tree; the deleted objects (signals before their
    // message, as keys only) into `deleted`. The item to select next.
    CCanTreeItem* Delete(CCanTreeItem* item, CBoxArray& system, std::vector<fw::CObject*>& deleted);

private:
    void AddPort(CCanTreeItem& parent, const CBoxArray& system, int box, int port, bool send);
    static void CollectPort(CCanNodeArray& messages, bool send, std::vector<fw::CObject*>& deleted);
    void DeleteModel(CCanTreeItem* item, CBoxArray& system, std::vector<fw::CObject*>& deleted);
    CCanTreeItem* RemoveItem(CCanTreeItem* item);

    std::unique_ptr<CCanTreeItem> m_roots[2];
};
