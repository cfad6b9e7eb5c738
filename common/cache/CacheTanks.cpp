#include "common/cache/CacheTanks.h"

#include "common/base/ValueFormat.h"

#include <cmath>

FW_IMPLEMENT_SERIAL(CCacheFltDataTank, CDataTankObject, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CCacheDblDataTank, CDataTankObject, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CCacheDateDataTank, CDataTankObject, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CCacheLongDataTank, CDataTankObject, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CCacheUnLongDataTank, CDataTankObject, fw::VERSIONABLE_SCHEMA | 1)

namespace {
// The display codes of the leaves, also used when a caller asks for no
// format. They belong to the leaf, not to the value type: the array tanks of
// the same type keep theirs whatever cache tanks exist.
constexpr int16_t kFltCode = kFormatNone;
constexpr int16_t kDblCode = kFormatGeneral18;
constexpr int16_t kIntegerCode = 0;
} // namespace

CCacheFltDataTank::CCacheFltDataTank()
{
    Init(kTankTypeFloat, kFltCode, true);
    m_fillMarker = m_emptyMarker = HUGE_VALF;
}

int16_t CCacheFltDataTank::GetUnformattedCode() const { return kFltCode; }

CCacheDblDataTank::CCacheDblDataTank()
{
    Init(kTankTypeDouble, kDblCode, true);
    m_fillMarker = m_emptyMarker = HUGE_VAL;
}

int16_t CCacheDblDataTank::GetUnformattedCode() const { return kDblCode; }

CCacheDateDataTank::CCacheDateDataTank()
{
    Init(kTankTypeFloat, kDblCode, true);
    m_fillMarker = m_emptyMarker = HUGE_VAL;
}

int16_t CCacheDateDataTank::GetUnformattedCode() const { return kDblCode; }

CCacheLongDataTank::CCacheLongDataTank()
{
    Init(kTankTypeLong, kIntegerCode, true);
    m_fillMarker = m_emptyMarker = 0x7FFFFFFF;
}

int16_t CCacheLongDataTank::GetUnformattedCode() const { return kIntegerCode; }

CCacheUnLongDataTank::CCacheUnLongDataTank()
{
    Init(kTankTypeLong, kIntegerCode, true);
    m_fillMarker = m_emptyMarker = 0xFFFFFFFFu;
}

int16_t CCacheUnLongDataTank::GetUnformattedCode() const { return kIntegerCode; }
