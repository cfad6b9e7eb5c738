#pragma once

// One recorded file on a control unit, as its lists show it: a waveform or
// frequency recording (a ".hed" header beside a ".dat" data file) or a voice
// recording (".wav").

#include "framework/core/CString.h"
#include "framework/core/DateTime.h"
#include "instrument/KivUnitTypes.h"

#include <cstdint>

class CKiv406FileInfo {
public:
    // Trigger kinds of a header's TRIGGER_TYPE.
    enum Trigger { triggerUnknown = -1, triggerCommand = 0, triggerData = 1, triggerFreeRun = 2, triggerProgram = 3 };
    enum Clock : int16_t { clockInterval = 0, clockSamples = 2 };

    CKiv406FileInfo();

    // Every field but the unit types back to its value after construction.
    void Reset();

    fw::CString m_name;          // without extension
    int m_sampleCount = 0;       // NUM_SAMPS, or NUM_SERIES of a frequency file
    int m_headerSize = 0;        // bytes of the ".hed" file
    int m_dataSize = 0;          // bytes of the ".dat" or ".wav" file
    fw::COleDateTime m_firstSampleTime;
    double m_interval = 1.0;     // ms
    int m_ownerIndex = -1;       // the owning list's business
    CKivUnitTypes m_unitTypes;
    int m_triggerType = triggerUnknown;
    int16_t m_clockKind = clockInterval;
    fw::COleDateTime m_headerTime;
};

// Both header times null, or both valid within half a second: the names
// decide; otherwise a null time first, else the earlier time.
bool operator<(const CKiv406FileInfo& a, const CKiv406FileInfo& b);
// Same header-time status (and, when valid, within half a second) and the
// same name.
bool IsSameFileInfo(const CKiv406FileInfo& a, const CKiv406FileInfo& b);
