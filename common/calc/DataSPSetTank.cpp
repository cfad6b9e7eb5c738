#include "common/calc/DataSPSetTank.h"

#include "common/calc/CalcColumnTanks.h"

FW_IMPLEMENT_SERIAL(CDataSPSetTank, CDataTankList, 1)

CDataSPSetTank::CDataSPSetTank() = default;

bool CDataSPSetTank::IsRowEmpty(int row)
{
    fw::CString text;
    for (int c = 0; c < GetSize(); ++c) {
        CDataTankObject* column = GetAt(c);
        if (!column)
            continue;
        text.Empty();
        column->GetValueText(row, text, true);
        if (text.IsEmpty())
            continue;
        if (column->IsKindOf(FW_RUNTIME_CLASS(COnOffTank)) && text == "OFF")
            continue;
        return false;
    }
    return true;
}
