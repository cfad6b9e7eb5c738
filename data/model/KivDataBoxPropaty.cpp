#include "data/model/KivDataBoxPropaty.h"

#include "common/calc/DataFormat.h"
#include "common/tank/ShortDataTank.h"
#include "common/tank/StringDataTank.h"
#include "framework/core/Archive.h"

#include <array>

FW_IMPLEMENT_SERIAL(CKivDataBoxPropaty, CDataBoxPropaty, fw::VERSIONABLE_SCHEMA | 1)

namespace {

struct ColumnDef {
    unsigned caption;
    int attribute;
};

constexpr std::array<ColumnDef, CKivDataBoxPropaty::kColumnCount> kColumns{{
    {181, 0},  {180, 1000}, {182, 7},  {261, 20},   {192, 2},
    {631, 34}, {869, 49},   {875, 50}, {619, 29},   {183, 24},
    {186, 32}, {187, 31},   {199, 1001}, {184, 25}, {185, 33},
}};

constexpr unsigned kIdsJunction = 619;
constexpr unsigned kIdsCharacteristic = 631;
constexpr unsigned kIdsHighPass = 869;
constexpr unsigned kIdsBalance = 875;

} // namespace

CKivDataBoxPropaty::CKivDataBoxPropaty() = default;

unsigned CKivDataBoxPropaty::ColumnCaption(int column)
{
    return kColumns.at(static_cast<size_t>(column)).caption;
}

int CKivDataBoxPropaty::ColumnAttribute(int column)
{
    return kColumns.at(static_cast<size_t>(column)).attribute;
}

void CKivDataBoxPropaty::CreateColumns()
{
    for (int c = 0; c < kColumnCount; ++c) {
        CDataTankObject* tank = c == kColFormat ? static_cast<CDataTankObject*>(new CShortDataTank)
                                                : static_cast<CDataTankObject*>(new CStringDataTank);
        AddColumnTank(Columns(), ColumnCaption(c), tank, GetRowCount(), 0);
    }
}

void CKivDataBoxPropaty::Serialize(fw::CArchive& ar)
{
    CDataBoxPropaty::Serialize(ar);
    if (ar.IsLoading())
        WidenOldTable();
}

void CKivDataBoxPropaty::WidenOldTable()
{
    const int rows = GetRowCount();
    if (Columns().GetSize() == 11)
        InsertColumnTank(5, Columns(), kIdsJunction, new CStringDataTank, rows, 0);
    if (Columns().GetSize() == 12)
        InsertColumnTank(5, Columns(), kIdsCharacteristic, new CStringDataTank, rows, 0);
    if (Columns().GetSize() == 13) {
        InsertColumnTank(6, Columns(), kIdsHighPass, new CStringDataTank, rows, 0);
        InsertColumnTank(7, Columns(), kIdsBalance, new CStringDataTank, rows, 0);
    }
}

fw::CString CKivDataBoxPropaty::GetCellText(int row, int column, fw::CString& text)
{
    if (column != kColFormat)
        return CDataBoxPropaty::GetCellText(row, column, text);
    const auto code = static_cast<int16_t>(GetCellValue(row, column));
    MainFormatTable().GetFormatText(code, text);
    return text;
}

bool CKivDataBoxPropaty::SetCellText(int row, int column, const fw::CString& text)
{
    if (column != kColFormat)
        return CDataBoxPropaty::SetCellText(row, column, text);
    const int16_t code = MainFormatTable().FindFormatCode(text);
    return SetCellValue(row, column, code);
}
