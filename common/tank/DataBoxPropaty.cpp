#include "common/tank/DataBoxPropaty.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/StringTable.h"

FW_IMPLEMENT_SERIAL(CDataBoxPropaty, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

CDataBoxPropaty::CDataBoxPropaty() = default;
CDataBoxPropaty::~CDataBoxPropaty() = default;

void CDataBoxPropaty::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_name << m_rowCount;
    else
        ar >> m_name >> m_rowCount;
    m_columns.Serialize(ar);
    m_channelMap.Serialize(ar);
    for (int16_t& code : m_unitTypes) {
        if (ar.IsStoring())
            ar << code;
        else
            ar >> code;
    }
}

CDataTankObject* CDataBoxPropaty::ColumnTank(int column) const
{
    CDataTankObject* tank = m_columns.GetObjectAt(column);
    if (!tank)
        fw::ThrowInvalidArgException();
    return tank;
}

double CDataBoxPropaty::GetCellValue(int row, int column) { return ColumnTank(column)->GetValue(row); }

fw::CString CDataBoxPropaty::GetCellText(int row, int column, fw::CString& text)
{
    ColumnTank(column)->GetValueText(row, text, true);
    return text;
}

bool CDataBoxPropaty::SetCellText(int row, int column, const fw::CString& text)
{
    ColumnTank(column)->SetValueText(row, text);
    return true;
}

bool CDataBoxPropaty::SetCellValue(int row, int column, double value)
{
    return ColumnTank(column)->SetValue(row, value);
}

void CDataBoxPropaty::CreateColumns() {}

namespace {

void PrepareColumn(CDataTankObject* tank, unsigned stringId, int size, int32_t kind)
{
    tank->SetName(fw::LoadStringText(stringId));
    tank->SetKind(static_cast<int16_t>(kind));
    tank->Grow(size, true);
}

} // namespace

CDataTankObject* CDataBoxPropaty::AddColumnTank(CDataTankList& list, unsigned stringId, CDataTankObject* tank,
                                                int size, int32_t kind)
{
    PrepareColumn(tank, stringId, size, kind);
    list.AddTank(tank, false);
    return tank;
}

CDataTankObject* CDataBoxPropaty::InsertColumnTank(int position, CDataTankList& list, unsigned stringId,
                                                   CDataTankObject* tank, int size, int32_t kind)
{
    PrepareColumn(tank, stringId, size, kind);
    list.InsertTank(position, tank, false);
    return tank;
}

int CDataBoxPropaty::GetUnitType(int port) const
{
    return (port >= 0 && port < kUnitPorts) ? m_unitTypes[size_t(port)] : 0;
}

void CDataBoxPropaty::SetUnitType(int port, int code)
{
    if (port >= 0 && port < kUnitPorts)
        m_unitTypes[size_t(port)] = static_cast<int16_t>(code);
}
