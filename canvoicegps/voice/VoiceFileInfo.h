#pragma once

// The recordings of the voice unit: WAV files whose RIFF form carries a
// LIST "INFO" block written by the control unit (IART the model text,
// INAM the recording start, ICMT the sample number and sampling interval
// at which the recording started). Only that block is read; the sound
// data are never touched while listing.

#include "framework/core/CString.h"
#include "framework/core/DateTime.h"

#include <cstdint>
#include <vector>

// One accepted recording of a folder scan.
struct CVoiceFileTriger {
    fw::COleDateTime m_recordTime;
    // The file title; "<sub-folder>\<title>" when the scan named a sub-folder.
    fw::CString m_name;
    // Seconds from the start of the measurement.
    double m_startTime = 0.0;
};

// True when `path` is a recording of this system, with its three values.
bool ReadVoiceFileInfo(const fw::CString& path, fw::COleDateTime* recordTime, uint32_t* sampleNumber,
                       double* interval);

// Appends a record for each recording of `folder` (or folder/subFolder),
// file names in sorted order, until `records` holds kMaxVoiceRecords.
// Files that are not recordings are left out without a word.
inline constexpr size_t kMaxVoiceRecords = 50000;
void FindVoiceFiles(const fw::CString& folder, const fw::CString& subFolder, std::vector<CVoiceFileTriger>& records);

// The file name of a recording's path (after its last separator), and the
// title a copy of it gets in the data folder: "B<unit>" and that name.
fw::CString VoiceFileName(const fw::CString& path);
fw::CString VoiceCopyTitle(int unit, const fw::CString& path);
