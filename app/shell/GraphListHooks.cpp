#include "app/shell/GraphListHooks.h"

#include "chart/model/GraphClasses.h"
#include "chart/model/ListGraphClasses.h"
#include "docbase/doc/KivDocBase.h"
#include "framework/core/ServiceSlot.h"

#include <algorithm>

namespace {

// The engine's profile of a document's row: its channels and lists, all
// of its samples. The document's profiles carry no file path (its title
// changes with every new name), so the series find their document by its
// identifier alone.
std::unique_ptr<CGraphListPrf> ToChartProfile(const GraphListProfile& row)
{
    auto entry = std::make_unique<CGraphListPrf>();
    entry->xChannels = row.xChannels;
    entry->yChannels = row.yChannels;
    entry->xKinds = row.xLists;
    entry->yKinds = row.yLists;
    entry->document = row.docIdent;
    entry->firstSample = 1;
    entry->lastSample = std::max(row.rowCount, 1);
    return entry;
}

} // namespace

void CChartGraphTimeList::EditRows(const GraphProfileList& profiles)
{
    m_profiles.EditRows(profiles);
    CGraphPrfList chart;
    chart.push_back(ToChartProfile(m_profiles.GetHead()));
    for (const GraphListProfile& row : m_profiles.GetRowProfiles())
        chart.push_back(ToChartProfile(row));
    m_graph.EditRows(chart);
}

CDataTankList* CDocumentGraphTanks::GetTankList(const fw::CDocument* document, int kind)
{
    auto* doc = dynamic_cast<CKivDocBase*>(const_cast<fw::CDocument*>(document));
    if (!doc)
        return nullptr;
    if (kind == CKivDocBase::kChannelList)
        return doc->GetChannelTankList();
    if (kind == CKivDocBase::kOpDataList)
        return doc->GetOpDataList();
    return nullptr;
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
    static CDocumentGraphTanks tanks;
    fw::Install<IGraphDocumentTanks>(&tanks);
    static CGraphListArchive archive;
    fw::Install<IGraphListArchive>(&archive);
}
