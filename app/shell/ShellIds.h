#pragma once

#include "docbase/resources/ProgramMenus.h"
#include "framework/core/StandardCommands.h"

#include <cstdint>

// Command, string, menu and control ids of the application shell. Program
// ids keep the numbers of the program's resources, so that texts, menus and
// routing stay greppable by number.

// --- document templates (string ids of their document strings and menus) -----
inline constexpr unsigned kIdrMainFrame = 128;       // main menu, tool bar, title
inline constexpr unsigned kIdrProjectType = 129;
inline constexpr unsigned kIdrDataType = 130;
inline constexpr unsigned kIdrGraphType = 131;
inline constexpr unsigned kIdrHistType = 132;
inline constexpr unsigned kIdrCombinedFilter = 476;  // the open dialog's combined filter
inline constexpr unsigned kIdrEditLockedToolbar = 134;

// --- menu resources: docbase/resources/ProgramMenus.h ------------------------------------

// --- placeholders in the template menus ---------------------------------------------
inline constexpr unsigned ID_GRAPH_PLACEHOLDER = 32936;
inline constexpr unsigned ID_KEISOKU_PLACEHOLDER = 32938;

// --- application commands ------------------------------------------------------------
inline constexpr unsigned ID_PRINT_OPTION = 32832;
inline constexpr unsigned ID_GRAPH_BATCH_PRINT = 32912;
inline constexpr unsigned ID_HIGHPASS_DISPLAY = 33544;
inline constexpr unsigned ID_ALARM_SETTINGS = 32816;

// --- main-frame commands -----------------------------------------------------------------
using fw::ID_VIEW_STATUS_BAR;
using fw::ID_VIEW_TOOLBAR;
using fw::ID_WINDOW_ARRANGE;
using fw::ID_WINDOW_CASCADE;
using fw::ID_WINDOW_NEW;
using fw::ID_WINDOW_TILE_HORZ;
using fw::ID_WINDOW_TILE_VERT;
inline constexpr unsigned ID_VIEW_TRIGGER_BAR = 32930;
inline constexpr unsigned ID_CF_STATUS = 1306;
inline constexpr unsigned ID_KEISOKU_PANEL = 32779;
inline constexpr unsigned ID_NUMBER_FORMAT = 32840;
inline constexpr unsigned ID_UNIT_MENU = 33108;
inline constexpr unsigned ID_METER_VERUP = 33107;

// --- dialog bar 128 -----------------------------------------------------------------------
inline constexpr int IDC_TRIGGER_TIMES = 1279;
inline constexpr int IDC_COUNT_OR_ELAPSED = 1280;
inline constexpr int IDC_MEASURE_MODE = 1282;
inline constexpr int IDC_CF_STATUS = 1306;

// --- dialogs ---------------------------------------------------------------------------------
inline constexpr unsigned IDD_ABOUTBOX = 100;
inline constexpr unsigned IDD_PRINT_OPTION = 147;
inline constexpr unsigned IDD_STARTUP = 311;

// --- strings ----------------------------------------------------------------------------------
inline constexpr unsigned IDP_OLE_INIT_FAILED = 100;
inline constexpr unsigned IDP_RICHEDIT_FAILED = 102;
inline constexpr unsigned IDP_SOCKETS_INIT_FAILED = 103;
inline constexpr unsigned IDS_NAME_HEADING = 180;
inline constexpr unsigned IDS_WAITING_MEASURE = 257;
inline constexpr unsigned IDS_RECENT_TIME_FORMAT = 455;
inline constexpr unsigned IDS_MODIFIED_HEADING = 456;
inline constexpr unsigned IDS_TRIGGER_TIME_FORMAT = 496;
inline constexpr unsigned IDS_ABOUT_CAPTION = 497;
inline constexpr unsigned IDS_WRITING_SUFFIX = 719;
inline constexpr unsigned IDP_NEEDS_HIST_PROGRAM = 722;
inline constexpr unsigned IDP_HIGHPASS_QUESTION = 870;
inline constexpr unsigned IDS_KEISOKU_PANEL = 445;
inline constexpr unsigned IDS_MONITOR_PANEL = 448;
inline constexpr unsigned IDS_ALARM_PANEL = 194;
// The framework's message for a document that fails to open.
inline constexpr unsigned AFX_IDP_FAILED_TO_OPEN_DOC = 61697;

// --- update hints ------------------------------------------------------------------------------
inline constexpr intptr_t kHintHighPassDisplay = 53;
