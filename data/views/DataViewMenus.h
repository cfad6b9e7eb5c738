#pragma once

// The context menus of the data views (the value list, the channel table,
// the calculated channels and the graph list), registered once as menu
// resources; a menu another part of the program registered first stays.

namespace datamenu {

inline constexpr unsigned kValueList = 167;
inline constexpr unsigned kChannelTable = 355;
inline constexpr unsigned kCalcChannels = 169;
inline constexpr unsigned kGraphList = 193;
// Items that become the number-format and unit popups.
inline constexpr unsigned kFormatItem = 32840;
inline constexpr unsigned kUnitItem = 33108;

void EnsureDataViewMenus();

} // namespace datamenu
