#include "docbase/naming/NameListModel.h"

#include "common/tank/DataTankList.h"
#include "docbase/naming/NamingStrings.h"
#include "framework/core/Services.h"

namespace {

// The scroll bar and border the list control keeps from its width.
constexpr int kListChrome = 18;

} // namespace

bool CNameListModel::HasSingleColumn(int listKind)
{
    return listKind == 1 || listKind == 2 || listKind == 6 || listKind == 7;
}

int CNameListModel::ColumnWidth(int column, int columns, int controlWidth)
{
    const int usable = controlWidth - kListChrome;
    return column == 0 ? (4 - columns) * usable / 3 : usable / 3;
}

uint32_t CNameListModel::ItemData(int listNumber, int tankIndex)
{
    return (uint32_t(listNumber) << 16) | (uint32_t(tankIndex) & 0xFFFFu);
}

bool CNameListModel::Qualifies(CDataTankObject* tank, int listKind, bool skipDoubles)
{
    if (!tank || tank->GetName().IsEmpty())
        return false;
    const int32_t kind = tank->GetKind();
    const int16_t type = tank->GetDataType();
    if (skipDoubles && type == kTankTypeDouble)
        return false;
    switch (listKind) {
    case 0:
    case 6:
    case 7:
        return kind != kTankKindChannelOff;
    case 1:
        return kind == -12;
    case 2:
        return kind == 5 || kind == 6 || kind == 7;
    case 3:
        return kind != -2 && type != kTankTypeText && kind != kTankKindChannelOff;
    case 4:
        return kind == -1 || kind == 22;
    case 5:
        return type != kTankTypeText && kind != kTankKindChannelOff;
    default:
        return false;
    }
}

void CNameListModel::AddNames(CDataTankList* list, const fw::CString& prefix, int listKind, int first, int last,
                              int listNumber)
{
    if (!list)
        return;
    const int end = list->GetSize() - 1;
    if (last < 0 || last > end)
        last = end;
    for (int i = first < 0 ? 0 : first; i <= last; ++i) {
        CDataTankObject* tank = list->GetObjectAt(i);
        if (!Qualifies(tank, listKind, GetSkipDoubles()))
            continue;
        m_rows.push_back({tank->GetName(), fw::Format("%s%d", prefix, i - first + 1), ItemData(listNumber, i)});
    }
}

int CNameListModel::FindItem(int tankIndex, int listNumber) const
{
    const uint32_t wanted = ItemData(listNumber, tankIndex);
    for (size_t r = 0; r < m_rows.size(); ++r)
        if (m_rows[r].itemData == wanted)
            return int(r);
    return -1;
}

void CDataSelectModel::Fill(CDataTankList* usedTanks)
{
    m_list.Clear();
    m_list.AddNames(usedTanks, "CH", 0, 0, kLastMeasured, kListNumber);
    m_list.AddNames(usedTanks, "NO", 0, kFirstCalculated, -1, kListNumber);
}

bool CDataSelectModel::Choose(int row, uint32_t& itemData) const
{
    if (row < 0 || size_t(row) >= m_list.Rows().size()) {
        fw::AfxMessageBox(naming::kIdpNoDataSelected);
        return false;
    }
    itemData = m_list.Rows()[size_t(row)].itemData;
    return true;
}
