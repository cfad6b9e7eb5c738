#pragma once

// The program's menu resources as data: the main frame's menu, the shared
// "グラフ(&G)" and "計測(&M)" popups that every document type's menu takes
// in place of its placeholders, and the unit-type menu that the unit-type
// table reads.

inline constexpr unsigned kIdrMainMenu = 128;
inline constexpr unsigned kIdrGraphMenu = 333;     // "グラフ(&G)"
inline constexpr unsigned kIdrMeasureMenu = 334;   // "計測(&M)"
inline constexpr unsigned kIdrUnitTypeMenu = 347;

// Registers every menu resource of the application shell (again: the
// registered forms are replaced).
void RegisterProgramMenus();
