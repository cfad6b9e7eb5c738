#pragma once

// The connection profile: LAN or USB, how many control units (1-4) and per
// unit its IP address, port, serial number and the unit types of its ports.
// Kept in the profile section "METER" and, with the measuring system, in
// every project file.

#include "framework/core/CString.h"
#include "instrument/KivUnitTypes.h"

#include <array>
#include <cstdint>
#include <vector>

namespace fw {
class CArchive;
class CProfile;
}

class CMeterInterfacePrf {
public:
    static constexpr int kMaxMeters = 4;
    static constexpr int kInterfaceLan = 0;
    static constexpr int kInterfaceUsb = 1;
    static constexpr int kDefaultPort = 50000;
    static constexpr int kTypeKiv406 = 1200;
    static constexpr const char* kSection = "METER";

    CMeterInterfacePrf();
    CMeterInterfacePrf(const CMeterInterfacePrf&) = default;
    virtual ~CMeterInterfacePrf() = default;

    virtual void WriteProfile(fw::CProfile& profile) const;
    // Missing keys keep the current values.
    virtual void ReadProfile(fw::CProfile& profile);

    // Interface and count, and the entries up to the count; the others keep
    // what they held.
    CMeterInterfacePrf& operator=(const CMeterInterfacePrf& other);
    // USB entries compare by serial number, LAN entries by address and port.
    bool IsEqual(const CMeterInterfacePrf& other) const;
    bool HasCanUnit() const;
    int GetMeterTypes(std::vector<int>& types) const;

    static fw::CString GetModelName(int type);
    static int GetInterfaceCount() { return 2; }
    static fw::CString GetInterfaceName(int kind);
    static int GetInterfaceKind(const fw::CString& name);

    void Serialize(fw::CArchive& ar);

    // Kept within 1..kMaxMeters whatever a profile or file holds.
    int GetCount() const { return m_count; }
    void SetCount(int count);

    int m_interface = kInterfaceLan;
    std::array<uint32_t, kMaxMeters> m_ipAddress{};  // first octet most significant
    std::array<int32_t, kMaxMeters> m_port{};
    std::array<int16_t, kMaxMeters> m_serialNo{};
    std::array<CKivUnitTypes, kMaxMeters> m_unitTypes{};

private:
    int16_t m_count = 1;
};

// Samples a control unit's memory holds with `channels` channels in use.
int GetMemorySamples(int channels);
