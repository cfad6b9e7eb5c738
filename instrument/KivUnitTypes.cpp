#include "instrument/KivUnitTypes.h"

#include "framework/core/Archive.h"

FW_IMPLEMENT_SERIAL(CKivUnitTypes, fw::CObject, 1)

CKivUnitTypes::CKivUnitTypes()
{
    m_codes[0] = 1;
    m_codes[1] = kOutputUnit;
}

CKivUnitTypes& CKivUnitTypes::operator=(const CKivUnitTypes& other)
{
    m_codes = other.m_codes;
    return *this;
}

void CKivUnitTypes::SetAt(int port, int code)
{
    if (port < 0 || port >= kPorts)
        return;
    const bool known = (code >= 0 && code <= 5) || (code >= 7 && code <= 10);
    m_codes[port] = known ? code : 0;
}

int CKivUnitTypes::GetAt(int port) const
{
    return port >= 0 && port < kPorts ? m_codes[port] : 0;
}

int CKivUnitTypes::CountOf(int code) const
{
    int n = 0;
    for (int32_t c : m_codes)
        n += c == code ? 1 : 0;
    return n;
}

int CKivUnitTypes::CountOutputUnits() const
{
    return CountOf(kOutputUnit);
}

int CKivUnitTypes::CountInputUnits() const
{
    int n = 0;
    for (int32_t c : m_codes)
        n += c >= 1 && c <= 10 && c != kOutputUnit && c != 6 ? 1 : 0;
    return n;
}

void CKivUnitTypes::Serialize(fw::CArchive& ar)
{
    for (int port = 0; port < kPorts; ++port) {
        if (ar.IsStoring()) {
            ar << static_cast<int16_t>(m_codes[port]);
        } else {
            int16_t code = 0;
            ar >> code;
            SetAt(port, code); // code 6 and unknown codes are no unit
        }
    }
}
