#pragma once

// Creating a unit object from its unit type code. The models of this folder
// are known from the start; a model built in a higher layer (the
// CAN/voice/GPS unit, code 8) registers its creator at start-up, so that the
// control unit can build it without this layer knowing its class.

#include "instrument/unit/KivUnit.h"

#include <array>
#include <memory>

class CKivUnitTypes;

// Type codes of the models; code 6 was never a unit.
namespace unitcode {
inline constexpr int kEmpty = 0;
inline constexpr int kStrain4G = 1;     // KIV-417
inline constexpr int kVoltageIn = 2;    // KIV-427
inline constexpr int kVoltageOut = 3;   // KIV-437
inline constexpr int kStrain123G = 4;   // KIV-418
inline constexpr int kTelemeter = 5;    // KIV-464
inline constexpr int kDigitalIo = 7;    // KIV-465
inline constexpr int kCanVoiceGps = 8;  // KIV-463
inline constexpr int kCharge = 9;       // KIV-473
inline constexpr int kCarrierWave = 10; // KIV-419
inline constexpr int kHighest = 10;
} // namespace unitcode

using UnitCreator = CKivUnit* (*)();

// Sets (or, with nullptr, removes) the creator of a type code 1-10; other
// codes are ignored. Safe from any thread.
void RegisterUnitCreator(int typeCode, UnitCreator creator);

// A new unit of that model, owned by the caller; nullptr for an empty port,
// code 6, an unknown code, or a model whose creator is not registered. The
// unit is not yet initialised: the caller sets its first channel and calls
// InitChannels.
std::unique_ptr<CKivUnit> CreateUnitOfType(int typeCode);

inline constexpr int kUnitPorts = 10;
using UnitPorts = std::array<std::unique_ptr<CKivUnit>, kUnitPorts>;

// The units of a control unit's ten ports, initialised, with first channel
// numbers counted from 1; a port without a unit still takes eight numbers,
// so port p always starts at 8p + 1.
UnitPorts CreateUnitsForTypes(const CKivUnitTypes& types);
