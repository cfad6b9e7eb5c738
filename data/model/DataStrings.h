#pragma once

// Ids of the program's texts that the measurement-data documents use.

namespace datastr {

inline constexpr unsigned kIdsName = 180;
inline constexpr unsigned kIdsFunction = 202;
inline constexpr unsigned kIdsUnit = 184;
inline constexpr unsigned kIdsFormat = 185;
inline constexpr unsigned kIdsHeadTag = 260;
inline constexpr unsigned kMsgNewerVersion = 175;
inline constexpr unsigned kMsgCannotOverwrite = 477;
inline constexpr unsigned kMsgNotThisDocument = 521;
inline constexpr unsigned kMsgNoRoomToOpen = 522;
// The text of message 522, the work folder in place of %s.
inline constexpr const char* kTextNoRoomToOpen =
    "作業用フォルダの空きディスク容量が不足しているため、ファイルを開けません。\n作業用フォルダ\n%s";
inline constexpr unsigned kMsgCannotSaveHere = 721;
// The DADiSP layout needs a sampling interval.
inline constexpr const char* kTextNoInterval =
    "サンプルクロックが0のため、DADiSP形式で保存できません。";
// A finished measurement whose start time is no date gets no data folder.
inline constexpr const char* kTextBadStartTime =
    "計測開始日時が正しくないため、計測データを保存できません。";
// The unit recorded at another clock than the project's settings asked.
inline constexpr const char* kTextOtherClock =
    "測定器は計測プロジェクトのサンプルクロック(%g ms)と異なるサンプルクロック(%g ms)で記録しました。\n"
    "計測データは測定器が記録したサンプルクロックで作成します。";
inline constexpr unsigned kIdsThermocouple = 486;
inline constexpr unsigned kIdsVoltage = 487;

} // namespace datastr
