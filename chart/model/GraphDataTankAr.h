#pragma once

// The items of a series: one record per item (document key, tank index
// within that document, the tank's kind) with the tank at the same index
// of the owned list.

#include "common/tank/DataTankParamAr.h"

class CGraphDataTankAr : public CDataTankParamAr {
    FW_DECLARE_SERIAL(CGraphDataTankAr)
public:
    CGraphDataTankAr();

    // Replaces the item at index (or puts it there when no tank stands
    // there): the old tank loses the list's reference, the record takes
    // the new tank's kind. Nothing for a null tank.
    virtual void SetItem(int index, int32_t key, int32_t tankIndex, CDataTankObject* tank, bool addRef);
    // Appends a record and its tank.
    void AppendItem(int32_t key, int32_t tankIndex, CDataTankObject* tank, bool addRef);
    // Orders records and tanks together; order[i] is the old index of the
    // item that goes to index i. Every index must appear once.
    void Reorder(const std::vector<int>& order);
};
