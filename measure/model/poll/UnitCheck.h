#pragma once

// Before the measurement panel opens: every control unit is asked which
// unit models sit in its ten ports ("STA2"), and each is compared with the
// unit type the project expects there. The first difference is the answer.

#include "instrument/system/BoxArray.h"

#include <optional>

struct UnitMismatch {
    // 562 a model no table knows, 563 another unit plugged in, 564 nothing
    // where the project expects a unit.
    unsigned messageId = 0;
    int box = 0;
    int port = 0;        // 1..10
    int pluggedCode = 0; // the plugged unit's type code (563)
};

inline constexpr unsigned kMsgUnknownUnit = 562;
inline constexpr unsigned kMsgOtherUnit = 563;
inline constexpr unsigned kMsgNoUnit = 564;

// The type code of port `port` (1..10) of a "STA2" reply: 0 for an empty
// field, -1 for a model no table knows.
int PortTypeCode(const fw::CString& reply, int port);

// Link errors pass on as exceptions.
std::optional<UnitMismatch> CheckUnitPorts(CBoxArray& system);
