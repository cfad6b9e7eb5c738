#pragma once

// A tank list paired with one small record per tank, at the same index: the
// tanks a graph draws, with the two values the graph code chooses for each.

#include "common/tank/DataTankList.h"
#include "framework/core/Collections.h"

#include <memory>

// Stored raw, 12 bytes.
struct tDataTankParam {
    int32_t first;
    int32_t second;
    int32_t kind; // the tank's kind when the record was made
};
static_assert(sizeof(tDataTankParam) == 12);

class CDataTankParamAr : public fw::CArray<tDataTankParam, tDataTankParam&> {
    FW_DECLARE_SERIAL(CDataTankParamAr)
public:
    CDataTankParamAr();
    // Deletes the owned list, which releases its tanks.
    ~CDataTankParamAr() override;
    CDataTankParamAr(const CDataTankParamAr&) = delete;
    CDataTankParamAr& operator=(const CDataTankParamAr&) = delete;

    // The record count, the raw records, then the owned list's own form.
    void Serialize(fw::CArchive& ar) override;

    // Empties the records and the list.
    virtual void RemoveAll();
    virtual CDataTankList* GetList() const;
    virtual void InsertParam(int index, int32_t first, int32_t second, int32_t kind);
    // The list's entry at index, nullptr outside the list.
    virtual CDataTankObject* GetTank(int index) const;
    // Replaces the tank and record at index (or inserts them there when the
    // list holds no tank at index); nothing when tank is null.
    virtual void ReplaceParam(int index, int32_t first, int32_t second, CDataTankObject* tank, bool addRef);
    virtual void CopyFrom(const CDataTankParamAr& other);
    // Copies each tank's value at row into the rows row + 1 to lastRow.
    virtual void FillDown(int first, int row, int last, int lastRow);
    virtual void InsertRows(int left, int top, int right, int bottom);
    virtual void DeleteRows(int left, int top, int right, int bottom);
    virtual void KeepRows(int left, int top, int right, int bottom);
    virtual void ClearBlock(int left, int top, int right, int bottom);
    virtual int GetMaxDataCount() const;

    // Creates the owned list; the owner calls it once after construction.
    void CreateList();

private:
    std::unique_ptr<CDataTankList> m_list;
};
