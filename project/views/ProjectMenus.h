#pragma once

// The menu resources of the project pages: the choice menus that open
// under a cell and the pages' context menus. Registered on first use, so
// that a page works the same inside the program and in a test.

namespace prjmenu {
// Choice menus.
inline constexpr unsigned kSet = 164;
inline constexpr unsigned kOnOff = 165;
inline constexpr unsigned kControl = 150;
inline constexpr unsigned kInputMode = 348;
inline constexpr unsigned kRange = 350;
inline constexpr unsigned kLowPass = 351;
inline constexpr unsigned kTriggerMode = 356;
inline constexpr unsigned kJunction = 365;
inline constexpr unsigned kFilterKind = 372;
inline constexpr unsigned kHighPass = 418;
inline constexpr unsigned kBalance = 419;
inline constexpr unsigned k465Input = 408;
inline constexpr unsigned k465Range = 409;
inline constexpr unsigned k465Level = 410;
inline constexpr unsigned kOutputVoltage = 353;
inline constexpr unsigned kUnitChannels = 354;
inline constexpr unsigned kSignedChannels = 411;
inline constexpr unsigned kOutputRange = 352;
inline constexpr unsigned kHistOperation = 375;
inline constexpr unsigned kHistClock = 374;
// The pages of each group of the project window (the group buttons' drop-downs
// and the 表示 menu); the data pages serve the data window as well.
inline constexpr unsigned kChannelPages = 139;
inline constexpr unsigned kSettingPages = 140;
inline constexpr unsigned kDataPages = 141;
inline constexpr unsigned kHistoryPages = 313;
inline constexpr unsigned kCanPages = 395;
// Context menus.
inline constexpr unsigned kDataListContext = 157;
inline constexpr unsigned kDataTriggerContext = 158;
inline constexpr unsigned kComparatorContext = 159;
inline constexpr unsigned kCycleContext = 160;
inline constexpr unsigned kChannelContext = 163;
inline constexpr unsigned k465Context = 417;
inline constexpr unsigned kHistoryContext = 146;
inline constexpr unsigned kIntervalContext = 149;
inline constexpr unsigned kCalcContext = 154;
inline constexpr unsigned kOutputContext = 161;
inline constexpr unsigned kFreqSettingsContext = 373;
inline constexpr unsigned kProgramContext = 377;
inline constexpr unsigned kGraphListContext = 193;

// Command ids of the choice menus' items.
inline constexpr unsigned kIdOff = 32847, kIdOn = 32848;
inline constexpr unsigned kIdTriggerFirst = 33102, kIdTriggerLast = 33104;
inline constexpr unsigned kIdEndless = 32842, kIdRepeat = 32843, kIdGoto = 32844;
inline constexpr unsigned kIdDataSelect = 32850;
inline constexpr unsigned kId465InputFirst = 33339, kId465InputLast = 33352;
inline constexpr unsigned kId465RangeFirst = 33354, kId465RangeLast = 33360;
inline constexpr unsigned kId465LevelFirst = 33361, kId465LevelLast = 33366;
// No page sets the output range: these items only ever show disabled.
inline constexpr unsigned kIdOutputRangeFirst = 32997;
} // namespace prjmenu

// Registers every menu above that is not registered yet.
void EnsureProjectPageMenus();

// The project window's menu bar (document type 129), with the placeholders
// of the shared graph and measurement popups; registered anew each time.
inline constexpr unsigned kIdrProjectWindowMenu = 129;
void RegisterProjectWindowMenu();
