#pragma once

// The measurement panel's commands on the control units' cards and units
// between measurements, each with its dialog: reading chosen card files
// into the project, deleting marked card files, the recorded-data mode,
// the balance of the strain channels and the calibration output. The panel
// stops its polling around each and aborts when one answers false.

#include "framework/core/CString.h"
#include "instrument/system/BoxArray.h"

#include <array>
#include <functional>

class CKIV5980Doc;
namespace fw {
class CWnd;
}

namespace cardcommands {

using Captions = std::array<fw::CString, 3>;

// Copies of every box's list of one kind (CBoxPropaty::kWaveList ...).
std::vector<std::vector<CKiv406FileInfo>> CopyLists(CBoxArray& system, int which);

// Halts the units, reads their lists, lets the user choose in the import
// dialog and reads the chosen waveform files (mode 3), frequency files and
// voice recordings into the project, making the newest of each current. False when the lists could not be
// read (the panel aborts).
bool ReadCardData(CKIV5980Doc& doc, const Captions& captions, fw::CWnd* parent);

// Reads the lists, lets the user mark files and deletes the marked ones
// kind by kind, then reads the lists again. False only when the lists
// could not be read.
bool SelectDeleteCardFiles(CBoxArray& system, const Captions& captions, fw::CWnd* parent);

// The recorded-data mode chosen, stored and sent ("WSY%d"); false when the
// send failed. Cancel changes nothing and answers true.
bool SetRecordData(CBoxArray& system, fw::CWnd* parent);

// Strain channels that are on, can be balanced and are not DMC channels.
std::vector<int16_t> BalanceCandidates(CBoxArray& system);
// The balance dialog, then the balance of the chosen channels; false when
// the balance failed.
bool Balance(CKIV5980Doc& doc, fw::CWnd* parent);

// The calibration-output dialog on the system.
void CalibrationOutput(CBoxArray& system, fw::CWnd* parent);

} // namespace cardcommands
