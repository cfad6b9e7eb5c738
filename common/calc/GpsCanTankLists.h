#pragma once

// The channel lists of the CAN/voice/GPS unit's recorded data: cached
// calculated channels whose values are not written into archives (they are
// filled again from the recorded data).

#include "common/tank/UseTankList.h"

class CCashCalcuDataTank;

class CGpsDataTankList : public CUseTankList {
    FW_DECLARE_SERIAL(CGpsDataTankList)
public:
    // Channels per GPS unit: date and time, then six items.
    static constexpr int kItemsPerUnit = 7;

    CGpsDataTankList();

    // One GPS item channel at index (the list grows); on failure nothing is
    // left in the list and the exception passes on.
    CCashCalcuDataTank* CreateItemTank(int index, int32_t resultType, int count, int16_t format);
    // The seven channels of one more GPS unit, behind the existing ones.
    void AppendItemTanks(int count);
    // Every channel gets `count` values.
    void ResizeAll(int count);

    // Decimal places the GPS item table gives an item (11 to 15 used here).
    static int16_t GpsItemDecimals(int item);
};

class CCanDataTankList : public CUseTankList {
    FW_DECLARE_SERIAL(CCanDataTankList)
public:
    CCanDataTankList();

    // One CAN signal channel at index; as the GPS version, without a format.
    CCashCalcuDataTank* CreateSignalTank(int index, int32_t resultType, int count);
};

// The cached channel of both lists (shared by them): data code, window
// placement 0, a file of `count` values, closed, values not archived.
CCashCalcuDataTank* CreateRecordedChannel(CDataTankList& list, int index, int32_t resultType, int count,
                                          const int16_t* format);
