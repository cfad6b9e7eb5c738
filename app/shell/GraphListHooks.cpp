#include "app/shell/GraphListHooks.h"

#include "canvoicegps/model/CanGraphTimeListObj.h"
#include "canvoicegps/model/GpsGraphTimeListObj.h"
#include "chart/model/GraphClasses.h"
#include "chart/model/ListGraphClasses.h"
#include "docbase/doc/KivDocBase.h"
#include "docbase/settings/SoundOutput.h"
#include "framework/core/ServiceSlot.h"
#include "instrument/system/MarkerList.h"

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
    m_graph->EditRows(chart);
}

std::unique_ptr<IGraphTimeList> CChartGraphTimeListFactory::CreateOfKind(int kind)
{
    if (kind == kGraphListGps)
        return std::make_unique<CChartGraphTimeList>(std::make_unique<CGpsGraphTimeListObj>());
    if (kind == kGraphListCan)
        return std::make_unique<CChartGraphTimeList>(std::make_unique<CCanGraphTimeListObj>());
    return Create();
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

namespace {

// Voice marks play through the program's sound output.
class CMarkerSound final : public IMarkerSound {
public:
    void PlayFileAsync(const fw::CString& path) override { SoundOutput().PlayFileAsync(path); }
};

} // namespace

void InstallGraphListHooks()
{
    static CMarkerSound markerSound;
    fw::Install<IMarkerSound>(&markerSound);
    RegisterGraphClasses();
    RegisterListGraphClasses();
    static CChartGraphTimeListFactory factory;
    fw::Install<IGraphTimeListFactory>(&factory);
    static CDocumentGraphTanks tanks;
    fw::Install<IGraphDocumentTanks>(&tanks);
    static CGraphListArchive archive;
    fw::Install<IGraphListArchive>(&archive);
}
