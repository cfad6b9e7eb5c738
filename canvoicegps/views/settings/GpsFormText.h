#pragma once

// What the unit settings form of the CAN/voice/GPS units shows and writes,
// kept apart from its controls: the tabs of a control unit, the labels and
// captions of the data slots, the rules of its fields and the lines of a
// port in the saved or printed settings.

#include "framework/core/CString.h"
#include "framework/core/Collections.h"

#include <cstdint>
#include <optional>
#include <vector>

class CKiv463Unit;
class CKivMeter;

namespace gpsform {

inline constexpr uint32_t kMaxMemory = 6000000;
inline constexpr unsigned kIdsNoSource = 739;

// The ports (0..9) of the control unit that hold a CAN/voice/GPS unit.
std::vector<int> PortsWithUnits(const CKivMeter& meter);
// "Port %d" with the port number from 1.
fw::CString TabText(int port);
// "ch.%d": the control-unit channel a slot (1..8) of a port feeds.
fw::CString SlotLabel(int port, int slot);
// A slot button's caption: the feeding signal's name, the GPS item's
// caption or "割り当てなし".
fw::CString SlotCaption(const CKiv463Unit& unit, int slot);
// The caption of a GPS item code; "割り当てなし" for any other code.
fw::CString ItemCaption(int code);
// A slot that follows a two-slot GPS item cannot take a source of its own.
bool IsSlotBlocked(const CKiv463Unit& unit, int slot);

// The speed limit as stored (tenths of km/h) for a typed value, or nothing
// when it lies outside 0..3.6 km/h.
std::optional<int16_t> SpeedLimitTenths(double kmh);
// The positioning cycles a receiver offers (codes 0..5, receiver 2 from 3).
std::vector<int> CycleCodes(int receiver);
const char* CycleText(int code);
const char* ReceiverText(int receiver);
// A new receiver with its fixed bit rate and a cycle it can run.
void ApplyReceiver(CKiv463Unit& unit, int receiver);

// The lines of one port, fields separated by ',' (csv) or a tab.
void WritePortLines(const CKiv463Unit& unit, int port, bool csv, fw::CStringArray& lines);

} // namespace gpsform
