#pragma once

// The context menus of the data views (the value list, the channel table,
// the calculated channels and the graph list), registered once as menu
// resources; a menu another part of the program registered first stays.

namespace datamenu {

inline constexpr unsigned kValueList = 167;
inline constexpr unsigned kChannelTable = 355;
inline constexpr unsigned kCalcChannels = 169;
inline constexpr unsigned kGraphList = 193;
// The pages of the data window's families (the family buttons' drop-downs
// and the 表示 menu); the data pages are the project window's menu 141.
inline constexpr unsigned kChannelPages = 314;
inline constexpr unsigned kCanGpsPages = 396;
inline constexpr unsigned kMarkers = 415;
// Items that become the number-format and unit popups.
inline constexpr unsigned kFormatItem = 32840;
inline constexpr unsigned kUnitItem = 33108;

void EnsureDataViewMenus();

// The data window's menu bar (document type 130), with the placeholders of
// the shared graph and measurement popups; registered anew each time.
inline constexpr unsigned kWindowMenu = 130;
void RegisterDataWindowMenu();

} // namespace datamenu
