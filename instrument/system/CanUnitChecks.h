#pragma once

// The checks of the CAN/voice/GPS unit's settings live with that unit, in a
// layer above the measuring system. It installs them here at start-up;
// until it does, such a unit passes the checks before writing and no
// duplicate identifiers are marked.

class CKivUnit;

struct CanUnitChecks {
    // True when the unit accepts its stored setting 202 and every CAN
    // message of it accepts its stored settings.
    bool (*settingsAllowed)(const CKivUnit& unit) = nullptr;
    // For each enabled CAN message of the unit, marks the messages that
    // share its identifier.
    void (*markDuplicates)(CKivUnit& unit) = nullptr;
};

// Safe from any thread; a check that runs meanwhile finishes with the
// functions it took.
void SetCanUnitChecks(const CanUnitChecks& checks);
CanUnitChecks GetCanUnitChecks();
