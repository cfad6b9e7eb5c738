#pragma once

// The graph pages' own texts (kept here until the program's string table
// carries them) and their numbers.

#include "framework/core/CString.h"

inline constexpr unsigned kIdsGraphPageVersion = 175;
inline constexpr unsigned kIdsGraphNotCreated = 419;
inline constexpr unsigned kIdsBatchPrintJob = 421;
inline constexpr unsigned kIdsBmpFilter = 422;
inline constexpr unsigned kIdsPictureNotSaved = 423;
inline constexpr unsigned kIdsPropertySheet = 424;
inline constexpr unsigned kIdsDataGraphTitle = 490;
inline constexpr unsigned kIdsMonitorGraphTitle = 491;
inline constexpr unsigned kIdsEmfPngFilter = 507;

inline constexpr const char* kTextGraphPageVersion =
    "このバージョンでは読めません。\n最新のバージョンを使用してください。";
inline constexpr const char* kTextGraphNotCreated = "グラフを作成できませんでした。";
inline constexpr const char* kTextBatchPrintJob = "一括印刷";
inline constexpr const char* kTextBmpFilter = "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp)|*.bmp|";
inline constexpr const char* kTextPictureNotSaved = "絵の保存が出来ませんでした。";
inline constexpr const char* kTextPropertySheet = "ﾌﾟﾛﾊﾟﾃｨ ｼｰﾄ";
inline constexpr const char* kTextDataGraphTitle = "%s [データグラフ]";
inline constexpr const char* kTextMonitorGraphTitle = "%s [モニタグラフ]";
inline constexpr const char* kTextEmfPngFilter = "拡張ﾒﾀﾌｧｲﾙ (*.emf)|*.emf|PNGﾌｧｲﾙ (*.png)|*.png|";
inline constexpr const char* kTextObjectNotCreated =
    "オブジェクトの作成に失敗しました。システム レジストリにオブジェクトが登録されているか確認してください。";

// The text of string `id` from the program's table, or `fallback` when the
// table does not hold it.
fw::CString GraphDocText(unsigned id, const char* fallback);
