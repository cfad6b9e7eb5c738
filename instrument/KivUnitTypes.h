#pragma once

// The unit type codes in the ten ports of one control unit, without unit
// objects: what the connection profile stores per control unit and what the
// control unit builds its units from.

#include "framework/core/Object.h"

#include <array>
#include <cstdint>

class CKivUnitTypes : public fw::CObject {
    FW_DECLARE_SERIAL(CKivUnitTypes)
public:
    static constexpr int kPorts = 10;
    static constexpr int kOutputUnit = 3;   // KIV-437
    static constexpr int kCanUnit = 8;      // KIV-463

    CKivUnitTypes();  // KIV-417 in port 0, KIV-437 in port 1
    CKivUnitTypes(const CKivUnitTypes& other) : fw::CObject(), m_codes(other.m_codes) {}
    CKivUnitTypes& operator=(const CKivUnitTypes& other);
    bool operator==(const CKivUnitTypes& other) const { return m_codes == other.m_codes; }

    // Stores codes 0-5 and 7-10; any other code (and 6) as 0. Ports outside
    // 0-9 are ignored.
    void SetAt(int port, int code);
    int GetAt(int port) const;
    int CountOf(int code) const;
    int CountOutputUnits() const;
    // Codes 1-10 other than 3 and 6: the digital I/O and CAN/voice/GPS units
    // count as input units.
    int CountInputUnits() const;

    // Ten 16-bit codes, port 0 first, no count.
    void Serialize(fw::CArchive& ar) override;

private:
    std::array<int32_t, kPorts> m_codes{};
};
