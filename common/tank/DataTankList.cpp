#include "common/tank/DataTankList.h"

#include "common/tank/ZELDataPoter.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <algorithm>

FW_IMPLEMENT_SERIAL(CDataTankList, CZELObArray, 1)

CDataTankList::CDataTankList() = default;

CDataTankList::~CDataTankList() { CDataTankList::DeleteAll(); }

void CDataTankList::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<uint64_t>(GetSize()));
        for (int i = 0; i < GetSize(); ++i)
            ar.WriteObject(GetAt(i));
        return;
    }

    DeleteAll();
    try {
        const uint64_t n = ar.ReadCount(sizeof(uint16_t)); // each entry has at least its tag
        for (uint64_t i = 0; i < n; ++i) {
            const uint64_t before = CDataTankObject::LoadStampNow();
            auto* tank = static_cast<CDataTankObject*>(ar.ReadSharedObject(FW_RUNTIME_CLASS(CDataTankObject)));
            // A tank read before (a shared tank's later slot) did not load
            // in this call: its reference belongs to its earlier holder, so
            // this slot takes one of its own.
            if (tank && tank->GetLoadStamp() <= before)
                tank->AddRef();
            Add(tank);
        }
    } catch (...) {
        DeleteAll();
        throw;
    }
}

void CDataTankList::DeleteAll()
{
    // Emptied first, so that a tank's destructor never sees itself listed.
    std::vector<CDataTankObject*> tanks;
    tanks.reserve(static_cast<size_t>(GetSize()));
    for (int i = 0; i < GetSize(); ++i)
        tanks.push_back(GetAt(i));
    RemoveAll();
    for (auto* tank : tanks)
        ReleaseTank(tank);
}

void CDataTankList::AddTank(CDataTankObject* tank, bool addRef)
{
    Add(tank);
    if (addRef && tank)
        tank->AddRef();
}

void CDataTankList::SetTankAt(int index, CDataTankObject* tank, bool addRef)
{
    if (index < 0 || index >= GetSize())
        fw::ThrowInvalidArgException();
    // The new reference first: the tank may be the one it replaces.
    if (addRef && tank)
        tank->AddRef();
    CDataTankObject* old = GetAt(index);
    SetAt(index, tank);
    ReleaseTank(old);
}

void CDataTankList::InsertTank(int index, CDataTankObject* tank, bool addRef)
{
    InsertAt(index, tank);
    if (addRef && tank)
        tank->AddRef();
}

void CDataTankList::RemoveTanks(int index, int n)
{
    if (index < 0 || index >= GetSize())
        fw::ThrowInvalidArgException();
    if (n <= 0)
        n = 1;
    for (int i = int(std::min<int64_t>(int64_t(index) + n - 1, GetSize() - 1)); i >= index; --i) {
        CDataTankObject* tank = GetAt(i);
        RemoveAt(i);
        ReleaseTank(tank);
    }
    FreeExtra();
}

void CDataTankList::ReleaseTankAt(int index)
{
    CDataTankObject* tank = GetObjectAt(index);
    if (!tank)
        return;
    SetAt(index, nullptr);
    ReleaseTank(tank);
}

void CDataTankList::CopyList(const CDataTankList& other)
{
    if (&other == this)
        return;
    DeleteAll();
    SetSize(other.GetSize());
    for (int i = 0; i < other.GetSize(); ++i) {
        CDataTankObject* tank = other.GetAt(i);
        if (tank)
            tank->AddRef();
        SetAt(i, tank);
    }
}

void CDataTankList::ClearBlock(int left, int top, int right, int bottom)
{
    for (int c = left; c <= right; ++c)
        if (CDataTankObject* tank = ColumnTank(c))
            tank->ClearRange(top, bottom - top + 1);
}

void CDataTankList::DeleteRows(int left, int top, int right, int bottom)
{
    const int h = bottom + 1 - top;
    for (int c = left; c <= right; ++c) {
        CDataTankObject* tank = ColumnTank(c);
        if (!tank)
            continue;
        const int a = tank->GetDataCount();
        if (tank->CopyRange(bottom + 1, a - bottom - 1, tank, top)) {
            tank->SetSize(a - h, true);
        } else {
            // Nothing follows the block: cut the part of it inside the tank.
            const int e = std::min(bottom + 1, a);
            const int s = std::min(top, a);
            if (e > s)
                tank->SetSize(a - (e - s), true);
        }
    }
}

void CDataTankList::InsertRows(int left, int top, int right, int bottom)
{
    const int h = bottom + 1 - top;
    for (int c = left; c <= right; ++c) {
        CDataTankObject* tank = ColumnTank(c);
        if (!tank)
            continue;
        const int a = tank->GetDataCount();
        if (top < a) {
            if (tank->CopyRange(top, a - top, tank, bottom + 1))
                tank->ClearRange(top, h);
        } else {
            tank->Grow(bottom + 1, true);
        }
    }
}

void CDataTankList::KeepRows(int left, int top, int right, int bottom)
{
    const int m = GetMaxDataCount(0, -1);
    DeleteRows(left, bottom + 1, right, m - 1);
    DeleteRows(left, 0, right, top - 1);
}

int CDataTankList::GetMaxDataCount(int first, int last) const
{
    if (first < 0 || first >= GetSize())
        return 0;
    if (last < 0 || last >= GetSize())
        last = GetSize() - 1;
    int m = 0;
    for (int i = first; i <= last; ++i)
        if (CDataTankObject* tank = GetAt(i))
            m = std::max(m, tank->GetDataCount());
    return m;
}

bool CDataTankList::TrimAll(int n)
{
    bool all = true;
    for (int i = 0; i < GetSize(); ++i)
        if (CDataTankObject* tank = GetAt(i))
            all = tank->TrimSize(n) && all;
    return all;
}

int CDataTankList::GetLastFilledIndex(int first, int last)
{
    if (last < 0 || last >= GetSize())
        last = GetSize() - 1;
    int result = -1;
    for (int i = std::max(first, 0); i <= last; ++i)
        if (CDataTankObject* tank = GetAt(i))
            result = std::max(result, tank->GetLastFilledIndex());
    return result;
}

CDataTankObject* CDataTankList::FindByKind(int16_t kind) const
{
    for (int i = 0; i < GetSize(); ++i) {
        CDataTankObject* tank = GetAt(i);
        if (tank && tank->GetKind() == kind)
            return tank;
    }
    return nullptr;
}

void CDataTankList::UpdateAllMaxMin()
{
    for (int i = 0; i < GetSize(); ++i) {
        CDataTankObject* tank = GetAt(i);
        if (!tank)
            continue;
        double max = HUGE_VAL;
        double min = HUGE_VAL;
        if (!GetTankMaxMin(tank, max, min, 0, -1))
            max = min = HUGE_VAL;
        tank->SetMax(max);
        tank->SetMin(min);
    }
}
