#pragma once

// The settings exchange of the CAN/voice/GPS unit lives with that unit, in a
// layer above this one. It fills these hooks at start-up; until it does, a
// control unit's full send and read-back skip that exchange.

class CKivMeter;

struct Unit463Hooks {
    // Sends the settings of every CAN/voice/GPS unit of the control unit.
    void (*send)(CKivMeter& meter) = nullptr;
    // Reads them back from the control unit's settings files.
    void (*receive)(CKivMeter& meter) = nullptr;
    // Clears the duplicate-identifier marks of their CAN messages.
    void (*clearDuplicates)(CKivMeter& meter) = nullptr;
};

// Replaces the hooks (empty hooks switch the exchange off). Safe from any
// thread; a call that runs meanwhile finishes with the hooks it took.
void SetUnit463Hooks(const Unit463Hooks& hooks);
Unit463Hooks GetUnit463Hooks();
