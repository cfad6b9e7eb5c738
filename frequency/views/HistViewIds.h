#pragma once

// Command, menu, string and hint numbers of the frequency views and their
// frame, kept in one place so that routing and texts stay greppable.

#include <cstdint>

namespace histview {

// --- menus -----------------------------------------------------------------------------------
inline constexpr unsigned kDocumentMenu = 132;
inline constexpr unsigned kInputContextMenu = 378;
inline constexpr unsigned kCountContextMenu = 379;

// --- commands --------------------------------------------------------------------------------
inline constexpr unsigned kIdEditLock = 32778;
inline constexpr unsigned kIdUndoCommand = 57643;
inline constexpr unsigned kIdTextSave = 32831;
inline constexpr unsigned kIdDeleteRows = 32834;
inline constexpr unsigned kIdFillDown = 32835;
inline constexpr unsigned kIdColumnWidths = 32836;
inline constexpr unsigned kIdEditCell = 32838;
inline constexpr unsigned kIdNumberFormat = 32840;
inline constexpr unsigned kIdFirstFormat = 32797;
inline constexpr unsigned kIdLastFormat = 32813;
inline constexpr unsigned kIdBlankForm = 32878;
inline constexpr unsigned kIdUnitMenu = 33108;
inline constexpr unsigned kIdFrequencyGraph = 33191;
inline constexpr unsigned kIdShowInput = 33192;
inline constexpr unsigned kIdShowFrequency = 33193;
inline constexpr unsigned kIdOutput8025Csv = 33194;

// --- frame bar -------------------------------------------------------------------------------
inline constexpr unsigned kFrameBarId = 379;
inline constexpr int kIdTab = 1087;
inline constexpr int kIdTitle = 1001;
inline constexpr int kIdStartLabel = 1316;
inline constexpr int kIdStart = 1317;
inline constexpr int kIdStopLabel = 1318;
inline constexpr int kIdStop = 1319;
inline constexpr int kIdDurationLabel = 1320;
inline constexpr int kIdDuration = 1321;
inline constexpr int kTitleLimit = 256;

// --- messages --------------------------------------------------------------------------------
inline constexpr unsigned kIdsTextFilter = 263;  // "CSV ﾌｧｲﾙ(*.csv)|*.csv|ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)|*.txt||"
inline constexpr unsigned kIdsCreateFailed = 264; // "%1を作成できませんでした。"
inline constexpr unsigned kIdsOverwrite = 713;   // "%sは既に存在します。\n上書きしますか?"
inline constexpr unsigned kIdsOutOfMemory = 61475;

// --- update hints ----------------------------------------------------------------------------
inline constexpr intptr_t kHintRepaint = 0;
inline constexpr intptr_t kHintDataChanged = 12;
inline constexpr intptr_t kHintTitleChanged = 15;
inline constexpr intptr_t kHintPaneMetrics = 30;
inline constexpr intptr_t kHintShowAnalysis = 40;

} // namespace histview
