#pragma once

// The program's menu resources as data: the main frame's menu, the shared
// "グラフ(&G)" and "計測(&M)" popups that every document type's menu takes
// in place of its placeholders, the unit-type menu that the unit-type
// table reads, and the parts that the document windows' menu bars share.

#include "framework/core/MenuResource.h"

#include <vector>

inline constexpr unsigned kIdrMainMenu = 128;
inline constexpr unsigned kIdrHelpMenu = 109;
inline constexpr unsigned kIdrAutoMeasureMenu = 306;  // "自動計測"
inline constexpr unsigned kIdrGraphMenu = 333;     // "グラフ(&G)"
inline constexpr unsigned kIdrMeasureMenu = 334;   // "計測(&M)"
inline constexpr unsigned kIdrUnitTypeMenu = 347;

// Registers every menu resource of the application shell (again: the
// registered forms are replaced).
void RegisterProgramMenus();

namespace docmenu {

// "ファイル(&F)" of a document window: the document commands, then
// `extra` (the window's own exports and reads) in a group of its own, then
// printing, the recent files and the exit.
fw::MenuResource FileMenu(std::vector<fw::MenuResource> extra);
// The bars of the main frame, as "表示(&V)" lists them.
std::vector<fw::MenuResource> BarItems();
// "ウィンドウ(&W)": the MDI window commands.
fw::MenuResource WindowMenu();
fw::MenuResource HelpMenu();
// The items that start-up replaces by the shared "グラフ(&G)" and "計測(&M)"
// popups.
fw::MenuResource GraphPlaceholder();
fw::MenuResource MeasurePlaceholder();

} // namespace docmenu
