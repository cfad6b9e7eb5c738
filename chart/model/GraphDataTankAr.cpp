#include "chart/model/GraphDataTankAr.h"

FW_IMPLEMENT_SERIAL(CGraphDataTankAr, CDataTankParamAr, fw::VERSIONABLE_SCHEMA | 1)

CGraphDataTankAr::CGraphDataTankAr()
{
    CreateList();
}

void CGraphDataTankAr::SetItem(int index, int32_t key, int32_t tankIndex, CDataTankObject* tank, bool addRef)
{
    if (!tank)
        return;
    CDataTankList* list = GetList();
    if (index >= 0 && index < GetSize() && index < list->GetSize()) {
        // In place, also over an empty slot: the items after it keep their places.
        list->SetTankAt(index, tank, addRef);
        SetAt(index, tDataTankParam{key, tankIndex, tank->GetKind()});
        return;
    }
    ReplaceParam(index, key, tankIndex, tank, addRef);
}

void CGraphDataTankAr::AppendItem(int32_t key, int32_t tankIndex, CDataTankObject* tank, bool addRef)
{
    const int index = GetSize();
    InsertParam(index, key, tankIndex, tank ? tank->GetKind() : 0);
    GetList()->InsertTank(index, tank, addRef && tank);
}

void CGraphDataTankAr::Reorder(const std::vector<int>& order)
{
    CDataTankList* list = GetList();
    std::vector<tDataTankParam> params;
    std::vector<CDataTankObject*> tanks;
    for (int old : order) {
        params.push_back(GetAt(old));
        CDataTankObject* tank = list->GetObjectAt(old);
        // Held across the moves: the slot a tank leaves releases it.
        if (tank)
            tank->AddRef();
        tanks.push_back(tank);
    }
    for (size_t i = 0; i < order.size(); ++i) {
        const int index = static_cast<int>(i);
        SetAt(index, params[i]);
        if (index < list->GetSize())
            list->SetTankAt(index, tanks[i], false);
        else if (tanks[i])
            ReleaseTank(tanks[i]);
    }
}
