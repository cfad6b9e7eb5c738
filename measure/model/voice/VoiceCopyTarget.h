#pragma once

// What the voice copy needs of the project that receives the recordings:
// its data folder, the measurement steps whose spans hold a recording, and
// its voice list. The project implements it (the project document lies
// below this folder's users, as with ITransferHost).

#include "framework/core/CString.h"
#include "framework/core/DateTime.h"

struct IVoiceCopyTarget {
    virtual ~IVoiceCopyTarget() = default;

    virtual fw::CString DataFolder() = 0;
    // The first measurement step from `start` on whose span holds `time`;
    // -1 when none does.
    virtual int FindStepByTime(const fw::COleDateTime& time, int start) = 0;
    // The folder of a step's data in the data folder.
    virtual fw::CString StepFolder(int step) = 0;
    // False once the voice list is full.
    virtual bool CanAddVoice() = 0;
    // Recordings listed so far.
    virtual int VoiceCount() = 0;
    // Lists folder/title.wav unless it is listed already.
    virtual void AddVoiceRecording(const fw::CString& folder, const fw::CString& title,
                                   const fw::COleDateTime& time) = 0;
};
