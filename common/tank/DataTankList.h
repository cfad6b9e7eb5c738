#pragma once

// The owning list of tanks: a table whose columns are tanks. It holds one
// reference per entry it received with addRef (or through CopyList or
// loading) and offers the row operations of a table over a range of its
// columns. Entries may be null.

#include "common/base/ZELObArray.h"
#include "common/tank/DataTankObject.h"

class CDataTankList : public CTypedZELObArray<CZELObArray, CDataTankObject*> {
    FW_DECLARE_SERIAL(CDataTankList)
public:
    CDataTankList();
    // Releases every tank.
    ~CDataTankList() override;
    // Copies would share the tanks without references of their own.
    CDataTankList(const CDataTankList&) = delete;
    CDataTankList& operator=(const CDataTankList&) = delete;

    // The count, then each tank through the archive's object storage. A
    // load replaces the entries; every slot holds a reference, also a second
    // slot of a tank the archive hands back as read before.
    void Serialize(fw::CArchive& ar) override;

    // Releases every tank and empties the list.
    void DeleteAll() override;

    virtual void AddTank(CDataTankObject* tank, bool addRef);
    // index in [0, count), else fw::CInvalidArgException; releases the tank
    // that stood there.
    virtual void SetTankAt(int index, CDataTankObject* tank, bool addRef);
    // The list grows as needed.
    virtual void InsertTank(int index, CDataTankObject* tank, bool addRef);
    // Releases and removes n entries (n <= 0 counts as 1) from index on;
    // entries beyond the end are skipped. index outside the list throws
    // fw::CInvalidArgException.
    virtual void RemoveTanks(int index, int n);
    // Releases the tank at index and leaves a null entry.
    virtual void ReleaseTankAt(int index);
    // Every entry of other, each with a reference of this list's own.
    virtual void CopyList(const CDataTankList& other);

    // Row operations over the columns left to right (rows top to bottom).
    virtual void ClearBlock(int left, int top, int right, int bottom);
    virtual void DeleteRows(int left, int top, int right, int bottom);
    virtual void InsertRows(int left, int top, int right, int bottom);
    // The columns keep only the rows top to bottom, moved to the start.
    virtual void KeepRows(int left, int top, int right, int bottom);

    // The largest value count of the tanks first to last (a negative last,
    // or one beyond the list, means the last entry); 0 when first lies
    // outside the list.
    virtual int GetMaxDataCount(int first, int last) const;
    // TrimSize(n) on every tank; true when every call answered true.
    virtual bool TrimAll(int n);
    // The largest last filled index of the tanks first to last; -1 when none.
    virtual int GetLastFilledIndex(int first, int last);
    virtual CDataTankObject* FindByKind(int16_t kind) const;
    // Maximum and minimum of every tank over all its values (HUGE_VAL for a
    // tank without accessor or valid value).
    virtual void UpdateAllMaxMin();

protected:
    // The tank of a column, or nullptr outside the list.
    CDataTankObject* ColumnTank(int column) const { return GetObjectAt(column); }
};
