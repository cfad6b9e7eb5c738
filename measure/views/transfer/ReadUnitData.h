#pragma once

// Reading recorded data that was copied from the control units' cards into
// a PC folder: the import dialog in folder mode (captions with the newest
// measurement, frequency record and voice recording of the project), then
// the project is saved, the registered waveform files are transferred
// (mode 2), the registered frequency files imported and the registered
// voice recordings copied. The project pages' command "KIV-406データ読み
// 込み..." runs it with the panel's polling stopped around it.

#include "framework/core/CString.h"

#include <array>

class CKIV5980Doc;
namespace fw {
class CWnd;
}

namespace readunitdata {

inline constexpr unsigned kIdsLastMeasured = 556;  // "最終計測日時　%s"
inline constexpr unsigned kIdsLastRecorded = 818;  // "最終録音日時　%s"
inline constexpr unsigned kIdsCaptionTime = 482;   // "%Y/%m/%d %H:%M:%S"

// The captions of the waveform, frequency and voice kinds; empty where the
// project's history of that kind is empty.
std::array<fw::CString, 3> Captions(CKIV5980Doc& doc);

// The whole command; the transfer dialog's result, 0 when no waveform set
// was transferred, -1 when the dialog was cancelled or the project could
// not be saved.
int ReadUnitData(CKIV5980Doc& doc, fw::CWnd* parent);

} // namespace readunitdata
