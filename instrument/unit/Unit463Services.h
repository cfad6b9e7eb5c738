#pragma once

// What the measuring system and the control unit ask of the CAN/voice/GPS
// unit, whose code lives in a layer above them. That layer installs an
// implementation at start-up (fw::Install<IUnit463Services>); until it
// does, these defaults hold: no settings exchange, every setting allowed,
// no duplicate marks, and a rebuilt unit keeps its defaults.

class CKivMeter;
class CKivUnit;

struct IUnit463Services {
    virtual ~IUnit463Services() = default;
    // Sends the settings of every CAN/voice/GPS unit of the control unit.
    virtual void SendSettings(CKivMeter& meter) {}
    // Reads them back from the control unit's settings files.
    virtual void ReceiveSettings(CKivMeter& meter) {}
    // Clears the duplicate-identifier marks of their CAN messages.
    virtual void ClearCanDuplicateFlags(CKivMeter& meter) {}
    // True when the unit accepts its stored setting 202 and every CAN
    // message of it accepts its stored settings.
    virtual bool SettingsAllowed(const CKivUnit& unit) { return true; }
    // For each enabled CAN message of the unit, marks the messages that
    // share its identifier.
    virtual void MarkDuplicateIds(CKivUnit& unit) {}
    // Copies the settings of one such unit into another when a system is
    // rebuilt.
    virtual void CopyUnitSettings(CKivUnit& target, const CKivUnit& source) {}
};

// The installed services, or the defaults.
IUnit463Services& Unit463Services();
