#pragma once

// The control unit's side of the CAN/voice/GPS units: sending their
// settings texts, reading them back from the control unit's settings
// files, and the questions the measuring system asks about them. The
// control unit reaches these through the hooks that
// RegisterCanVoiceGpsClasses installs.

#include "framework/core/Collections.h"

#include <cstdint>

class CKivMeter;
class CKivUnit;
class CKiv463Unit;
class CKiv406FileInfo;

namespace unit463 {

// A settings file larger than this is no settings file: refused before
// anything is allocated for it.
inline constexpr int32_t kMaxSettingsFileBytes = 1 << 20;
inline constexpr unsigned kMsgInvalidReply = 3009;
inline constexpr unsigned kMsgUnitError = 3014;
inline constexpr int32_t kErrInvalidReply = -1;

// The CAN/voice/GPS unit in a port (0..9), nullptr when the port holds
// another unit or none; a bad port raises the invalid-argument exception.
CKiv463Unit* UnitInPort(const CKivMeter& meter, int port);

// For each port holding such a unit, in port order: "FTC<port + 1>" and
// the settings lines, none of which is answered, then "[END]", whose reply
// is checked.
void SendSettings(CKivMeter& meter);
// Lists "TOP/data_mem", then fetches "KIV463_<nn>.SET" for each port that
// holds such a unit and whose file is listed, and loads it into the unit.
// A block of another size raises CZelException -1 (3009), one starting with
// "ERR" the control unit's error; units of ports not reached keep their
// settings.
void ReceiveSettings(CKivMeter& meter);
// Clears the duplicate-identifier mark of every message of those units.
void ClearCanDuplicateFlags(CKivMeter& meter);
// Any of those units has memory for voice, GPS or CAN data.
bool HasStorage(const CKivMeter& meter);
// The settings text of the unit in a port; false when it is no such unit.
bool GetSettingsText(const CKivMeter& meter, int port, fw::CStringArray& lines);

// The measuring system's checks and rebuild, installed by
// RegisterCanVoiceGpsClasses. Each takes any unit and leaves a unit of
// another class alone (it passes the check).
//
// The unit takes its stored memory split (attribute 202) and no CAN
// message refuses its identifier, format, node, layout or source.
bool SettingsAllowed(const CKivUnit& unit);
// Marks every send message whose identifier another send message of the
// unit also uses; marks set before stay (the caller clears them first).
void MarkDuplicateIds(CKivUnit& unit);
// The settings of `source` into `target` when both are such units.
void CopyUnitSettings(CKivUnit& target, const CKivUnit& source);

// Asks the control unit for one file of its memory ("DIR <name>.<ext>"):
// the record is reset (its unit types stay) and takes the name (without
// extension) and byte size of the last listed line; both stay empty when
// nothing is listed. Used to learn the size of a recording's GPS and CAN
// files before fetching them.
void GetMemoryFileInfo(CKivMeter& meter, CKiv406FileInfo& info, const char* extension);

} // namespace unit463
