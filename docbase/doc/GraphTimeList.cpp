#include "docbase/doc/GraphTimeList.h"

#include "common/tank/DataTankObject.h"
#include "framework/core/Exceptions.h"
#include "framework/core/ServiceSlot.h"

CGraphTimeListRows::~CGraphTimeListRows()
{
    for (CDataTankObject* tank : m_tanks)
        ReleaseTank(tank);
}

void CGraphTimeListRows::EditRows(const GraphProfileList& profiles)
{
    if (profiles.empty() || !profiles.front())
        fw::ThrowInvalidArgException();
    m_head = *profiles.front();
    m_rows.clear();
    for (size_t i = 1; i < profiles.size(); ++i) {
        if (profiles[i])
            m_rows.push_back(*profiles[i]);
    }
}

bool CGraphTimeListRows::GetRows(GraphProfileList& profiles) const
{
    profiles.push_back(std::make_unique<GraphListProfile>(m_head));
    for (const GraphListProfile& row : m_rows)
        profiles.push_back(std::make_unique<GraphListProfile>(row));
    return true;
}

void CGraphTimeListRows::HoldTank(CDataTankObject* tank)
{
    if (tank)
        m_tanks.push_back(tank);
}

std::unique_ptr<IGraphTimeList> CreateGraphTimeList(int kind)
{
    if (IGraphTimeListFactory* factory = fw::Installed<IGraphTimeListFactory>())
        return kind == kGraphListChannels ? factory->Create() : factory->CreateOfKind(kind);
    return std::make_unique<CGraphTimeListRows>();
}
