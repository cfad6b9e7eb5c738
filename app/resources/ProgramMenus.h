#pragma once

// The program's menu resources as data: the main frame's menu, the shared
// "グラフ(&G)" and "計測(&M)" popups that every document type's menu takes
// in place of its placeholders, and the unit-type menu that the unit-type
// table reads.

// Registers every menu resource of the application shell (again: the
// registered forms are replaced).
void RegisterProgramMenus();
