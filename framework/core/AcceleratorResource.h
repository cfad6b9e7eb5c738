#pragma once

// Accelerator tables as data, found by resource id like the menus: the
// keys a window type binds to commands besides the keys its menu items
// name (the second keys of a command, keys without a menu item).

#include "framework/core/CString.h"

#include <vector>

namespace fw {

struct Accelerator {
    CString keys;       // "Shift+Del", "Ctrl+Ins", "F2"
    unsigned command;
};

// Registers (or replaces) the table of resource `id`.
void RegisterAccelerators(unsigned id, std::vector<Accelerator> table);
// The registered table, or nullptr.
const std::vector<Accelerator>* FindAccelerators(unsigned id);

} // namespace fw
