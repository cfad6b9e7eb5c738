#include "common/calc/CalcDataSetOwner.h"

#include "common/calc/DataSPSetTank.h"
#include "common/calc/KivSPTankData.h"

bool CompileAndRecalculate(ICalcDataSetOwner& owner)
{
    CKivSPTankData& list = owner.GetChannelList();
    list.SetSettingsList(&owner.GetSettingsList());
    list.UpdateAllChannels();
    if (!list.CompileRange(owner.GetFormulaColumn(), 0, CDataSPTankData::kCalculatedCount - 1, owner.GetChLimit(),
                           -1))
        return false;
    list.RecalculateAll();
    owner.OnChannelsRecalculated();
    return true;
}
