#include "instrument/unit/KivUnit.h"

#include "common/base/ValueParse.h"
#include "framework/core/Archive.h"
#include "instrument/unit/UnitTexts.h"
#include "instrument/unit/UnitValues.h"

#include <cmath>
#include <cstring>

FW_IMPLEMENT_SERIAL(CKivUnit, fw::CObject, 1)

CKivUnit::CKivUnit() = default;

CKivUnit::CKivUnit(int32_t typeCode) : m_typeCode(typeCode) {}

void CKivUnit::InitChannels()
{
    m_onOff.SetSize(m_channelCount);
    SetAllOnOff(0);
}

void CKivUnit::SetAllOnOff(int on)
{
    for (uint8_t& flag : m_onOff)
        flag = on ? 1 : 0;
}

bool CKivUnit::CheckValue(int, int attribute, int) const
{
    return attribute == kAttrOnOff;
}

bool CKivUnit::IsAttrEditable(int, int) const
{
    return true;
}

double CKivUnit::GetValue(int channel, int attribute) const
{
    switch (attribute) {
    case kAttrOnOff:
        return m_onOff.GetAt(channel) ? 1.0 : 0.0;
    case kAttrBitsPerSample:
    case kAttrReserved201:
        return 0.0;
    case kAttrTypeCode:
        return m_typeCode;
    default:
        return HUGE_VAL;
    }
}

const char* CKivUnit::GetText(int channel, int attribute, fw::CString& text) const
{
    if (attribute == kAttrOnOff)
        return unitvalue::SetText(unittext::kOnOff[m_onOff.GetAt(channel) ? 0 : 1], text);
    text.Empty();
    return text.c_str();
}

bool CKivUnit::ParseOnOffText(const char* text, int& on)
{
    const int i = FindTextInTable(unittext::kOnOff, 2, text);
    if (i < 0)
        return false;
    on = i == 0 ? 1 : 0;
    return true;
}

bool CKivUnit::SetText(int channel, int attribute, const char* text)
{
    if (attribute == kAttrOnOff) {
        int on = 0;
        return ParseOnOffText(text, on) && SetValue(channel, attribute, on);
    }
    int32_t value = 0;
    return TextToInt(text, &value) && SetValue(channel, attribute, value);
}

bool CKivUnit::SetValue(int channel, int attribute, double value)
{
    if (attribute != kAttrOnOff)
        return false;
    m_onOff.SetAt(channel, value != 0.0 ? 1 : 0);
    return true;
}

double CKivUnit::GetScaleFactor(int) const
{
    return 1.0;
}

void CKivUnit::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_firstChannel;
    else
        ar >> m_firstChannel;
    m_onOff.Serialize(ar);
}
