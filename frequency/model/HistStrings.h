#pragma once

// Texts of the frequency documents and their outputs by string id. The
// program's string table is asked first; texts it does not hold yet come
// from this folder's own table, so the outputs never lose a label.

#include "framework/core/CString.h"

namespace histstr {
inline constexpr unsigned kTestTitle = 176;       // "試験タイトル"
inline constexpr unsigned kCoefficient = 183;     // "係数"
inline constexpr unsigned kHeaderTag = 260;       // "<KIVDATAHEAD2>"
inline constexpr unsigned kDateFormat = 482;      // "%Y/%m/%d %H:%M:%S"
inline constexpr unsigned kCsvFilter = 489;       // "CSV ﾌｧｲﾙ(*.csv)|*.csv||"
inline constexpr unsigned kNotThisDocument = 521; // "%sは%sの書類ではありません。"
inline constexpr unsigned kCannotRead = 175;      // newer file version
inline constexpr unsigned kCardFileName = 622;    // "CFファイル名"
inline constexpr unsigned kAllBlock = 665;        // "[頻度データ一括]"
inline constexpr unsigned kOneBlock = 666;        // "[頻度データ分割]"
inline constexpr unsigned kStartTime = 667;       // "測定開始時刻"
inline constexpr unsigned kStopTime = 668;        // "測定停止時刻"
inline constexpr unsigned kMeasuringTime = 669;   // "測定時間"
inline constexpr unsigned kAnalysisNo = 670;
inline constexpr unsigned kSliceTableHead = 686;
inline constexpr unsigned kBothSides = 687;
inline constexpr unsigned kPlusSide = 688;
inline constexpr unsigned kMinusSide = 689;
inline constexpr unsigned kMMBlock = 690;
inline constexpr unsigned kMaxValue = 701;
inline constexpr unsigned kInputBlock = 707;
inline constexpr unsigned kChannelNo = 708;
inline constexpr unsigned kHysteresisFs = 709;
inline constexpr unsigned kHysteresisValue = 710;
inline constexpr unsigned kConditionsBlock = 711;
inline constexpr unsigned kExtremeTime = 712;     // "'%0.2d/%0.2d/%0.2d %0.2d:%0.2d:%0.2d"
inline constexpr unsigned kAppTitle = 57344;      // "KIV-5400"
} // namespace histstr

// The text of `id`; empty when neither table has it.
fw::CString HistString(unsigned id);
