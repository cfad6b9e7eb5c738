#include "instrument/check/CheckData.h"

#include "common/base/ValueFormat.h"
#include "common/tank/StringDataTank.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"

#include <exception>
#include <memory>
#include <vector>

FW_IMPLEMENT_SERIAL(CCheckDataBoxPropaty, CDataBoxPropaty, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CCheckData, CDataBoxArray, fw::VERSIONABLE_SCHEMA | 1)

CCheckDataBoxPropaty::CCheckDataBoxPropaty() = default;

void CCheckDataBoxPropaty::CreateColumns()
{
    for (unsigned name : kColumnNames)
        AddColumnTank(Columns(), name, new CStringDataTank, 0, 0);
}

CCheckData::CCheckData() = default;

void CCheckData::Serialize(fw::CArchive& ar)
{
    CDataBoxArray::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_checkTime.GetStatus()) << m_checkTime.m_dt << m_timeFormat;
        return;
    }
    int32_t status = 0;
    double date = 0.0;
    ar >> status >> date >> m_timeFormat;
    m_checkTime = fw::COleDateTime(date);
    const bool known = status == fw::COleDateTime::valid || status == fw::COleDateTime::invalid
                       || status == fw::COleDateTime::null;
    m_checkTime.SetStatus(known ? static_cast<fw::COleDateTime::Status>(status) : fw::COleDateTime::invalid);
}

bool CCheckData::IsColumnEnabled(int column) const
{
    if (column >= 0 && column < CCheckDataBoxPropaty::kFirstCheckColumn)
        return true;
    if (column < 0 || column >= CCheckDataBoxPropaty::kColumns)
        return false;
    return (m_columnMask >> (column - CCheckDataBoxPropaty::kFirstCheckColumn)) & 1u;
}

bool CCheckData::BuildFromSystem(CBoxArray* system)
{
    if (!system)
        return false;
    try {
        FillRows(*system);
    } catch (const std::exception& e) {
        fw::ReportException(e);
        return false;
    }
    return true;
}

std::vector<int> CCheckData::MapIndexOfRows(const CBoxArray& system, const std::vector<int>& firstRows, int total)
{
    std::vector<int> mapIndex(size_t(total), -1);
    for (int m = 0; m < system.GetMapSize(); ++m) {
        const tagBOXCH entry = system.GetMapEntry(m);
        if (entry.box < 0 || size_t(entry.box) >= firstRows.size() || entry.ch < 0)
            continue;
        const int row = firstRows[size_t(entry.box)] + entry.ch;
        if (row < total && (entry.box + 1 == int(firstRows.size()) || row < firstRows[size_t(entry.box) + 1]))
            mapIndex[size_t(row)] = m;
    }
    return mapIndex;
}

void CCheckData::FillRows(CBoxArray& system)
{
    DeleteBoxes();
    SetTotalRows(0);
    int total = 0;
    std::vector<int> firstRows;
    for (int b = 0; b < system.GetBoxCount(); ++b) {
        const CBoxPropaty* source = system.GetBox(b);
        auto box = std::make_unique<CCheckDataBoxPropaty>();
        box->SetName(source->GetName());
        // A box without its control unit has no channels to show.
        box->SetRowCount(source->GetMeter() ? source->GetMeter()->GetTotalChannels() : 0);
        box->CreateColumns();
        firstRows.push_back(total);
        total += box->GetRowCount();
        AddBox(box.release());
    }
    SetTotalRows(total);
    RebuildChannelMap();

    // The system numbers all measuring channels before all outputs, the
    // table each control unit's channels together: each row reads the
    // system channel of its own box and channel.
    const std::vector<int> mapIndex = MapIndexOfRows(system, firstRows, total);
    fw::CString text;
    for (int row = 0; row < total; ++row) {
        if (mapIndex[size_t(row)] < 0)
            continue;
        for (int column = 0; column < CCheckDataBoxPropaty::kColumns; ++column) {
            if (!IsColumnEnabled(column))
                continue;
            text.Empty();
            system.GetChannelDisplayText(CCheckDataBoxPropaty::kColumnAttributes[size_t(column)],
                                         mapIndex[size_t(row)], text);
            SetChannelText(row, column, text);
        }
    }
}

void CCheckData::FormatCheckTime(fw::CString& text) const
{
    FormatDataValue(m_checkTime.m_dt, m_timeFormat, text);
}
