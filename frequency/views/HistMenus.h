#pragma once

// The menus of the frequency window: the document's menu bar (132), the
// context menus of the input-channel table (378) and of the analysis and
// count tables (379), and the number-format popup (371).

void RegisterHistViewMenus();
