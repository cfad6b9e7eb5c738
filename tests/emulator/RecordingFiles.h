#pragma once

// The files a control unit writes when a recording ends: a keyword header
// ("<name>.hed") and the samples of the recorded channels ("<name>.dat"),
// one row per sample with each channel at its width, little-endian.

#include "tests/emulator/DeviceState.h"
#include "tests/emulator/MeasurementCommands.h"
#include "tests/emulator/MeterCommands.h"

#include <string>

namespace kivemu {

struct RecordingFiles {
    std::string header;
    std::string data;
};

// The recording just ended: the selected channels, `m.recorded` samples,
// started by `m.startWord` at the unit's start time, with the settings the
// program sent for those channels.
RecordingFiles MakeRecordingFiles(const MeasureDevice& m, const MeterDevice& meter, const DeviceState& s);

} // namespace kivemu
