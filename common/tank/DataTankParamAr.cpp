#include "common/tank/DataTankParamAr.h"

#include "framework/core/Archive.h"

FW_IMPLEMENT_SERIAL(CDataTankParamAr, fw::CObject, 1)

CDataTankParamAr::CDataTankParamAr() = default;
CDataTankParamAr::~CDataTankParamAr() = default;

void CDataTankParamAr::CreateList()
{
    if (!m_list)
        m_list = std::make_unique<CDataTankList>();
}

void CDataTankParamAr::Serialize(fw::CArchive& ar)
{
    fw::CArray<tDataTankParam, tDataTankParam&>::Serialize(ar);
    if (!m_list) {
        if (ar.IsStoring()) {
            ar.WriteCount(0); // no list yet: an empty one
            return;
        }
        CreateList();
    }
    m_list->Serialize(ar);
}

void CDataTankParamAr::RemoveAll()
{
    fw::CArray<tDataTankParam, tDataTankParam&>::RemoveAll();
    if (m_list)
        m_list->DeleteAll();
}

CDataTankList* CDataTankParamAr::GetList() const { return m_list.get(); }

void CDataTankParamAr::InsertParam(int index, int32_t first, int32_t second, int32_t kind)
{
    InsertAt(index, tDataTankParam{first, second, kind});
}

CDataTankObject* CDataTankParamAr::GetTank(int index) const
{
    return m_list ? m_list->GetObjectAt(index) : nullptr;
}

void CDataTankParamAr::ReplaceParam(int index, int32_t first, int32_t second, CDataTankObject* tank, bool addRef)
{
    if (!tank)
        return;
    CreateList();
    if (m_list->GetObjectAt(index)) {
        // The new tank may be the old one: keep it alive across the removal.
        tank->AddRef();
        m_list->RemoveTanks(index, 1);
        if (index < GetSize())
            RemoveAt(index);
        m_list->InsertTank(index, tank, addRef);
        ReleaseTank(tank);
    } else {
        m_list->InsertTank(index, tank, addRef);
    }
    InsertAt(index, tDataTankParam{first, second, tank->GetKind()});
}

void CDataTankParamAr::CopyFrom(const CDataTankParamAr& other)
{
    if (&other == this)
        return;
    RemoveAll();
    Copy(other);
    CreateList();
    if (other.m_list)
        m_list->CopyList(*other.m_list);
}

void CDataTankParamAr::FillDown(int first, int row, int last, int lastRow)
{
    for (int i = first; i <= last; ++i) {
        CDataTankObject* tank = GetTank(i);
        if (!tank)
            continue;
        for (int r = row + 1; r <= lastRow; ++r)
            tank->CopyRange(row, 1, tank, r);
    }
}

void CDataTankParamAr::InsertRows(int left, int top, int right, int bottom)
{
    if (m_list)
        m_list->InsertRows(left, top, right, bottom);
}

void CDataTankParamAr::DeleteRows(int left, int top, int right, int bottom)
{
    if (m_list)
        m_list->DeleteRows(left, top, right, bottom);
}

void CDataTankParamAr::KeepRows(int left, int top, int right, int bottom)
{
    if (m_list)
        m_list->KeepRows(left, top, right, bottom);
}

void CDataTankParamAr::ClearBlock(int left, int top, int right, int bottom)
{
    if (m_list)
        m_list->ClearBlock(left, top, right, bottom);
}

int CDataTankParamAr::GetMaxDataCount() const { return m_list ? m_list->GetMaxDataCount(0, -1) : 0; }
