#include "common/calc/GpsCanTankLists.h"

#include "common/cache/CacheDataTank.h"
#include "common/calc/CashCalcuDataTank.h"

FW_IMPLEMENT_SERIAL(CGpsDataTankList, CUseTankList, 1)
FW_IMPLEMENT_SERIAL(CCanDataTankList, CUseTankList, 1)

CCashCalcuDataTank* CreateRecordedChannel(CDataTankList& list, int index, int32_t resultType, int count,
                                          const int16_t* format)
{
    if (index < 0)
        return nullptr;
    if (index >= list.GetSize())
        list.SetSize(index + 1);
    auto* tank = new CCashCalcuDataTank;
    try {
        tank->SetKind(resultType);
        tank->SetCacheWindowPlacement(kWindowFromIndex);
        tank->CreateCacheFile();
        tank->SetSize(count, false);
        tank->CloseCacheFile();
        tank->SetCacheCompressed(kCacheStoreLength);
        if (format)
            tank->SetFormat(*format);
        list.SetTankAt(index, tank, false);
    } catch (...) {
        delete tank;
        throw;
    }
    return tank;
}

CGpsDataTankList::CGpsDataTankList() = default;

int16_t CGpsDataTankList::GpsItemDecimals(int item)
{
    switch (item) {
    case 11:
    case 12:
        return 7;
    case 13:
        return 0;
    case 14:
    case 15:
        return 1;
    default:
        return 0;
    }
}

CCashCalcuDataTank* CGpsDataTankList::CreateItemTank(int index, int32_t resultType, int count, int16_t format)
{
    return CreateRecordedChannel(*this, index, resultType, count, &format);
}

void CGpsDataTankList::AppendItemTanks(int count)
{
    const int n = GetSize();
    SetSize(n + kItemsPerUnit);
    CreateItemTank(n, -2, count, 113);
    CreateItemTank(n + 1, 23, count, 4);
    for (int item = 11; item <= 15; ++item)
        CreateItemTank(n + item - 9, 23, count, GpsItemDecimals(item));
}

void CGpsDataTankList::ResizeAll(int count)
{
    for (int i = 0; i < GetSize(); ++i)
        if (CDataTankObject* tank = GetAt(i))
            tank->SetSize(count, false);
}

CCanDataTankList::CCanDataTankList() = default;

CCashCalcuDataTank* CCanDataTankList::CreateSignalTank(int index, int32_t resultType, int count)
{
    return CreateRecordedChannel(*this, index, resultType, count, nullptr);
}
