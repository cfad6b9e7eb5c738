#include "instrument/unit/Kiv464Unit.h"

#include "instrument/unit/UnitValues.h"

FW_IMPLEMENT_SERIAL(CKiv464Unit, CKiv4GUnit, 1)

CKiv464Unit::CKiv464Unit() : CKiv4GUnit(5) {}

bool CKiv464Unit::IsAttrEditable(int channel, int attribute) const
{
    return attribute != kHighPass && CKiv4GUnit::IsAttrEditable(channel, attribute);
}

bool CKiv464Unit::CheckValue(int channel, int attribute, int value) const
{
    if (attribute == kFilterKind) {
        const int kind = unitvalue::Candidate(value, m_filterKind.GetAt(channel));
        return kind <= 1 && IsFilterKindAllowed(channel, kind);
    }
    return CKiv4GUnit::CheckValue(channel, attribute, value);
}
