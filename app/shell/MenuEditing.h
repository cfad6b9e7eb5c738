#pragma once

// Copying menu items between menus and menu resources, and trimming
// menus. The main frame and several views build their context menus from
// resources this way; start-up puts the shared graph and measurement
// popups into every document type's menu.

#include "framework/core/CString.h"
#include "framework/core/MenuResource.h"

namespace fw {
class CMenu;
}

// Appends every item of `source` to `target` in order; popups are copied
// as new popups with their items, to any depth.
void CopyMenuItems(fw::CMenu* target, fw::CMenu* source);
void CopyMenuItems(fw::CMenu* target, const fw::MenuResource& source);

// Copies the items of the first popup of resource `menuResourceId` into
// `target`, after deleting target's items when `clearFirst` is set. A
// resource that does not exist (or has no popup) leaves `target` as it is.
void CopyMenuFromResource(unsigned menuResourceId, fw::CMenu* target, bool clearFirst);

// Replaces the first top-level item with `commandId` by the first popup of
// resource `menuResourceId`, under the caption of that popup: the popup is
// put right after the item, then the item is deleted. False (nothing
// changed) when the item or the resource is missing.
bool ReplaceMenuItemByPopup(unsigned commandId, unsigned menuResourceId, fw::CMenu* menu);
// The same on menu data (a document type's menu before any window shows it).
bool ReplaceMenuItemByPopup(unsigned commandId, unsigned menuResourceId, fw::MenuResource& menu);

// Find the first top-level item with the command id (or the caption),
// delete it and the count - 1 items that follow it, and answer its former
// position; -1 (nothing deleted) when there is no such item.
int DeleteMenuItemById(fw::CMenu* menu, unsigned commandId, int count);
int DeleteMenuItemByText(fw::CMenu* menu, const fw::CString& caption, int count);
