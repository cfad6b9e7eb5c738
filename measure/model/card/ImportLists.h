#pragma once

// The lists of the recorded-data import: found files of one control unit
// registered into its list (sorted, each file once), registered rows
// released, and the check before the import that every unit registered as
// many measurements with matching clocks.

#include "instrument/meter/Kiv406FileInfo.h"

#include <vector>

namespace cardfiles {

using FileVectors = std::vector<std::vector<CKiv406FileInfo>*>;

inline constexpr unsigned kIdsRegisterFiles = 551;   // "ファイルを登録してください。"
inline constexpr unsigned kIdsClockMismatch = 552;   // "登録No.%dでサンプリング間隔が一致しません。"

// Appends found rows first..last (clamped to the list) to `registered`,
// sorts it in the entries' order and keeps one of each file.
void RegisterRows(const std::vector<CKiv406FileInfo>& found, int first, int last,
                  std::vector<CKiv406FileInfo>& registered);

// Erases rows first..last from the lists of units firstUnit..lastUnit,
// each clamped to its list.
void ReleaseRows(const FileVectors& registered, int firstUnit, int lastUnit, int firstRow, int lastRow);

struct RegisterCheck {
    unsigned message = 0;  // 0: the import may go on
    int kind = -1;         // the kind to show (0 waveform, 1 frequency), -1 unchanged
    int row = 0;           // 1-based row of a clock mismatch
};

// The check of OK over the registered waveform, frequency and voice lists.
RegisterCheck CheckRegistered(const FileVectors& waveforms, const FileVectors& frequencies,
                              const FileVectors& voices);

} // namespace cardfiles
