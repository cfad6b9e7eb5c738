#pragma once

// Recorded files that were copied from a control unit's card into a PC
// folder: each ".HED" header beside a ".DAT" of the same name is waveform
// data, or frequency data when its text holds "OPERATION"; each ".wav" with
// this system's recording information is a voice recording. The entries
// carry what the import lists show and the transfers need.

#include "framework/core/CString.h"
#include "instrument/meter/Kiv406FileInfo.h"

#include <functional>
#include <vector>

namespace cardfiles {

using FileList = std::vector<CKiv406FileInfo>;

struct FolderScanQuestions {
    // Message 618: the data file's size does not match the header's count;
    // true adjusts the count, false drops the file.
    std::function<bool(const fw::CString& headerPath)> adjustCount;
    // Message 555 with the header's path: the file is dropped.
    std::function<void(const fw::CString& headerPath)> cannotRead;
};

inline constexpr unsigned kIdsCannotRead = 555;
inline constexpr unsigned kIdsAdjustCount = 618;

// Waveform and frequency files of `folder` replace the two lists' contents,
// each list sorted. A header the program cannot read is named through
// `cannotRead` and left out; any other failure (a file that cannot be
// opened) is thrown, the frequency files found so far kept.
void ScanRecordedFiles(const fw::CString& folder, FileList& waveforms, FileList& frequencies,
                       const FolderScanQuestions& questions);

// The voice recordings of `folder`, sorted.
void ScanVoiceFiles(const fw::CString& folder, FileList& voices);

// One waveform header read into `entry` (name and sizes set); false when
// the user dropped it (618). A header the program cannot read throws the
// program's exception.
bool ReadWaveformHeader(const char* header, CKiv406FileInfo& entry, const FolderScanQuestions& questions,
                        const fw::CString& headerPath);

// Position of the value in "COMMAND DATA    FREERUN PROGRAME" / 8; 0 when
// it is not there.
int TriggerKindOf(const fw::CString& value);

} // namespace cardfiles
