#include "common/tank/UseTankList.h"

#include <algorithm>

FW_IMPLEMENT_SERIAL(CUseTankList, CDataTankList, fw::VERSIONABLE_SCHEMA | 1)

CUseTankList::CUseTankList() = default;

int CUseTankList::GetLastFilledIndex(int first, int last)
{
    if (last < 0 || last >= GetSize())
        last = GetSize() - 1;
    int result = -1;
    for (int i = std::max(first, 0); i <= last; ++i)
        if (CDataTankObject* tank = GetAt(i))
            result = std::max(result, tank->GetDataCount() - 1);
    return result;
}
