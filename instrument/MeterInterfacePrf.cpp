#include "instrument/MeterInterfacePrf.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Profile.h"

#include <algorithm>
#include <cstdlib>

namespace {

fw::CString UnitCodesText(const CKivUnitTypes& types)
{
    fw::CString text;
    for (int port = 0; port < CKivUnitTypes::kPorts; ++port)
        text.AppendFormat(port == 0 ? "%d" : ",%d", types.GetAt(port));
    return text;
}

// Up to ten comma-separated integers, as scanf would read them: reading
// stops at the first thing that is not one; the rest are 0.
void ParseUnitCodes(const fw::CString& text, CKivUnitTypes& types)
{
    int codes[CKivUnitTypes::kPorts] = {};
    const char* p = text.c_str();
    for (int port = 0; port < CKivUnitTypes::kPorts; ++port) {
        char* end = nullptr;
        const long v = std::strtol(p, &end, 10);
        if (end == p)
            break;
        codes[port] = static_cast<int>(std::clamp<long>(v, -2147483647L, 2147483647L));
        p = end;
        if (*p != ',')
            break;
        ++p;
    }
    bool anyUnit = false;
    for (int port = 0; port < CKivUnitTypes::kPorts; ++port) {
        types.SetAt(port, codes[port]);
        anyUnit = anyUnit || codes[port] >= 1;
    }
    // A control unit without any unit cannot measure; the profile gives it
    // the basic strain unit.
    if (!anyUnit)
        types.SetAt(0, 1);
}

// An integer of the profile within lo..hi, else `def`: a value no dialog
// could have written is an edited or damaged profile.
int GetProfileIntIn(fw::CProfile& profile, const char* section, const char* key, int def, int lo, int hi)
{
    const int value = profile.GetProfileInt(section, key, def);
    return value >= lo && value <= hi ? value : def;
}

constexpr int kLowestPort = 1;
constexpr int kHighestPort = 65535;
constexpr int kHighestSerial = 32767;  // a 16-bit field; 0 picks the device by its slot

fw::CString Indexed(const char* key, int i)
{
    return fw::Format("%s%d", key, i);
}

} // namespace

CMeterInterfacePrf::CMeterInterfacePrf()
{
    for (int i = 0; i < kMaxMeters; ++i) {
        m_ipAddress[i] = 0xC0A80101u + static_cast<uint32_t>(i);  // 192.168.1.1 ...
        m_port[i] = kDefaultPort;
        m_serialNo[i] = static_cast<int16_t>(i + 1);
    }
}

void CMeterInterfacePrf::SetCount(int count)
{
    m_count = static_cast<int16_t>(std::clamp(count, 1, kMaxMeters));
}

CMeterInterfacePrf& CMeterInterfacePrf::operator=(const CMeterInterfacePrf& other)
{
    if (this == &other)
        return *this;
    m_interface = other.m_interface;
    m_count = other.m_count;
    for (int i = 0; i < m_count; ++i) {
        m_ipAddress[i] = other.m_ipAddress[i];
        m_port[i] = other.m_port[i];
        m_serialNo[i] = other.m_serialNo[i];
        m_unitTypes[i] = other.m_unitTypes[i];
    }
    return *this;
}

bool CMeterInterfacePrf::IsEqual(const CMeterInterfacePrf& other) const
{
    if (m_count != other.m_count || m_interface != other.m_interface)
        return false;
    for (int i = 0; i < m_count; ++i) {
        if (m_interface == kInterfaceUsb) {
            if (m_serialNo[i] != other.m_serialNo[i])
                return false;
        } else if (m_interface == kInterfaceLan) {
            if (m_ipAddress[i] != other.m_ipAddress[i] || m_port[i] != other.m_port[i])
                return false;
        }
        if (!(m_unitTypes[i] == other.m_unitTypes[i]))
            return false;
    }
    return true;
}

bool CMeterInterfacePrf::HasCanUnit() const
{
    for (int i = 0; i < m_count; ++i) {
        if (m_unitTypes[i].CountOf(CKivUnitTypes::kCanUnit) > 0)
            return true;
    }
    return false;
}

int CMeterInterfacePrf::GetMeterTypes(std::vector<int>& types) const
{
    types.assign(m_count, kTypeKiv406);
    return m_count;
}

fw::CString CMeterInterfacePrf::GetModelName(int type)
{
    // Only one control-unit model exists; every code names it.
    (void)type;
    return "KIV-406";
}

fw::CString CMeterInterfacePrf::GetInterfaceName(int kind)
{
    switch (kind) {
    case kInterfaceLan:
        return "LAN";
    case kInterfaceUsb:
        return "USB";
    default:
        return {};
    }
}

int CMeterInterfacePrf::GetInterfaceKind(const fw::CString& name)
{
    return name == "USB" ? kInterfaceUsb : kInterfaceLan;
}

void CMeterInterfacePrf::WriteProfile(fw::CProfile& profile) const
{
    profile.WriteProfileInt(kSection, "406", m_count);
    profile.WriteProfileInt(kSection, "INTERFACE", m_interface);
    profile.WriteProfileInt(kSection, "IPADDRESS", static_cast<int>(m_ipAddress[0]));
    profile.WriteProfileInt(kSection, "PORT", m_port[0]);
    profile.WriteProfileInt(kSection, "SERLIALNO", m_serialNo[0]);
    for (int i = 1; i < m_count; ++i) {
        profile.WriteProfileInt(kSection, Indexed("IPADDRESS", i).c_str(), static_cast<int>(m_ipAddress[i]));
        profile.WriteProfileInt(kSection, Indexed("PORT", i).c_str(), m_port[i]);
        profile.WriteProfileInt(kSection, Indexed("SERLIALNO", i).c_str(), m_serialNo[i]);
    }
    for (int i = 0; i < m_count; ++i)
        profile.WriteProfileString(kSection, Indexed("UNIT", i).c_str(), UnitCodesText(m_unitTypes[i]).c_str());
}

void CMeterInterfacePrf::ReadProfile(fw::CProfile& profile)
{
    // The profile has room for four entries; a larger stored count would
    // run past them.
    SetCount(profile.GetProfileInt(kSection, "406", m_count));
    m_interface = GetProfileIntIn(profile, kSection, "INTERFACE", m_interface, kInterfaceLan, kInterfaceUsb);
    for (int i = 0; i < m_count; ++i) {
        // Entry 0 has the keys without a number.
        const fw::CString ip = i == 0 ? fw::CString("IPADDRESS") : Indexed("IPADDRESS", i);
        const fw::CString port = i == 0 ? fw::CString("PORT") : Indexed("PORT", i);
        const fw::CString serial = i == 0 ? fw::CString("SERLIALNO") : Indexed("SERLIALNO", i);
        m_ipAddress[i] = static_cast<uint32_t>(profile.GetProfileInt(kSection, ip.c_str(), static_cast<int>(m_ipAddress[i])));
        m_port[i] = GetProfileIntIn(profile, kSection, port.c_str(), m_port[i], kLowestPort, kHighestPort);
        m_serialNo[i] = static_cast<int16_t>(
            GetProfileIntIn(profile, kSection, serial.c_str(), m_serialNo[i], 0, kHighestSerial));
    }
    for (int i = 0; i < m_count; ++i) {
        const fw::CString text = profile.GetProfileString(kSection, Indexed("UNIT", i).c_str(),
                                                          UnitCodesText(m_unitTypes[i]).c_str());
        ParseUnitCodes(text, m_unitTypes[i]);
    }
}

void CMeterInterfacePrf::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_count << static_cast<int16_t>(m_interface);
        for (int i = 0; i < m_count; ++i) {
            ar << m_ipAddress[i] << m_port[i];
            if (m_count > 1)
                ar << m_serialNo[i];
        }
    } else {
        int16_t count = 0;
        int16_t interfaceKind = 0;
        ar >> count >> interfaceKind;
        // The count sizes the reads below; a file claiming more entries than
        // a profile holds is damaged.
        if (count < 1 || count > kMaxMeters)
            fw::ThrowArchiveException(fw::CArchiveException::genericException);
        m_count = count;
        m_interface = interfaceKind;
        for (int i = 0; i < m_count; ++i) {
            ar >> m_ipAddress[i] >> m_port[i];
            if (m_count > 1)
                ar >> m_serialNo[i];
        }
    }
    for (int i = 0; i < m_count; ++i)
        m_unitTypes[i].Serialize(ar);
}

int GetMemorySamples(int channels)
{
    if (channels <= 4)
        return 10000000;
    if (channels <= 8)
        return 8000000;
    if (channels <= 16)
        return 4000000;
    if (channels <= 32)
        return 2000000;
    if (channels <= 64)
        return 1000000;
    return 800000;
}
