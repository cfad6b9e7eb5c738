#include "app/shell/GraphListHooks.h"

#include "chart/model/GraphClasses.h"
#include "chart/model/ListGraphClasses.h"
#include "framework/core/ServiceSlot.h"

void CChartGraphTimeList::EditRows(const GraphProfileList& profiles)
{
    m_profiles.EditRows(profiles);
    std::vector<bool> withChannels;
    for (const GraphListProfile& row : m_profiles.GetRowProfiles()) {
        const bool x = !row.xChannels.empty() && row.xChannels.front() != -1;
        withChannels.push_back(x && row.FirstYChannel() != -1);
    }
    m_graph.ShapeRows(withChannels);
    m_graph.Recalculate(false);
}

void CGraphListArchive::Serialize(fw::CArchive& ar, IGraphTimeList& list)
{
    if (auto* chart = dynamic_cast<CChartGraphTimeList*>(&list)) {
        chart->Graph().Serialize(ar);
        return;
    }
    CGraphTimeListObj stand;
    stand.Serialize(ar);
}

void InstallGraphListHooks()
{
    RegisterGraphClasses();
    RegisterListGraphClasses();
    static CChartGraphTimeListFactory factory;
    fw::Install<IGraphTimeListFactory>(&factory);
    static CGraphListArchive archive;
    fw::Install<IGraphListArchive>(&archive);
}
