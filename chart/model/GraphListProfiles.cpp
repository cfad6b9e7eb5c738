// The exchange of a list graph's rows with the documents as row profiles.

#include "chart/model/GraphDocumentLookup.h"
#include "chart/model/GraphListObj.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/GraphTimeListObj.h"
#include "common/tank/DataTankList.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"

#include <algorithm>

#include <new>

CGraphListPrf::CGraphListPrf(const CGraphListPrf& other)
    : seriesRecord(other.seriesRecord), styleOfSeries(other.styleOfSeries), xFormat(other.xFormat), yFormat(other.yFormat),
      xChannels(other.xChannels), yChannels(other.yChannels), xKinds(other.xKinds), yKinds(other.yKinds),
      select(other.select), mark(other.mark), document(other.document), firstSample(other.firstSample),
      lastSample(other.lastSample), path(other.path), sampleOffset(other.sampleOffset), style(other.style),
      redraw(other.redraw), sortKind(other.sortKind), legendName(other.legendName)
{
    fw::CString title, unit;
    tTextAttributes text;
    int16_t side = 0;
    int colour = 0;
    if (other.xTitle) {
        xTitle = std::make_unique<CXPlotLabel>();
        other.xTitle->GetLabel(title, unit, text, side, colour);
        xTitle->SetTitle(title);
        xTitle->SetUnit(unit);
    }
    if (other.yTitle) {
        yTitle = std::make_unique<CYPlotLabel>();
        other.yTitle->GetLabel(title, unit, text, side, colour);
        yTitle->SetTitle(title);
        yTitle->SetUnit(unit);
    }
}

CGraphListPrf::~CGraphListPrf()
{
    if (ownsSeriesRecord)
        delete seriesRecord;
}

bool CGraphListPrf::HasChannels() const
{
    return !xChannels.empty() && xChannels.front() != -1 && !yChannels.empty() && yChannels.front() != -1;
}

namespace {

int16_t First(const std::vector<int16_t>& values, int16_t none = -1)
{
    return values.empty() ? none : values.front();
}

void TitleTexts(CPlotLabel& label, fw::CString& title, fw::CString& unit)
{
    tTextAttributes text;
    int16_t side = 0;
    int colour = 0;
    label.GetLabel(title, unit, text, side, colour);
}

} // namespace

void CGraphListObj::ApplyRowProfiles(const CGraphPrfList& profiles)
{
    if (profiles.empty() || !profiles.front())
        fw::ThrowInvalidArgException();
    std::vector<bool> withChannels;
    for (size_t k = 1; k < profiles.size(); ++k)
        withChannels.push_back(profiles[k] && profiles[k]->HasChannels());
    ShapeRows(withChannels);
    const CDocIdent& headerIdent = profiles.front()->document;
    const fw::CDocument* headerDoc = FindGraphDocument(headerIdent);
    for (size_t k = 1; k < profiles.size(); ++k) {
        if (CListGraphDraw* row = m_rows[k - 1])
            ApplyRowProfile(*row, *profiles[k], headerIdent, headerDoc);
    }
}

void CGraphListObj::ApplyRowProfile(CListGraphDraw& row, const CGraphListPrf& entry, const CDocIdent& headerIdent,
                                    const fw::CDocument* headerDoc)
{
    const fw::CDocument* doc = entry.document == headerIdent ? headerDoc : FindGraphDocument(entry.document);
    CDataTankList* tanks = nullptr;
    if (doc) {
        const int16_t kind = First(entry.yKinds, 0);
        if (kind == CGraphListPrf::kUsedTanks || kind == CGraphListPrf::kOperationTanks)
            tanks = FindGraphTankList(doc, kind);
    } else if (!entry.seriesRecord) {
        return;  // the row keeps its axes only
    }
    CGraphParamArray* series = row.AddSeries(true);
    if (!series)
        return;
    series->SetStyle(entry.seriesRecord || entry.styleOfSeries ? entry.style : m_style);
    series->SetSource(tSeriesSource{entry.path, entry.document, entry.sampleOffset, 0});
    series->SetSelectFlag(entry.select == 1);
    series->SetMark(entry.mark == 1);
    series->SetSampleRange(entry.document, entry.firstSample - 1, entry.lastSample - 1);
    if (tanks) {
        const int16_t x = First(entry.xChannels);
        const int16_t y = First(entry.yChannels);
        series->SetItem(0, First(entry.xKinds, 0), x, tanks->GetObjectAt(x), true);
        series->SetItem(1, First(entry.yKinds, 0), y, tanks->GetObjectAt(y), true);
        if (!entry.legendName.IsEmpty())
            series->SetName(entry.legendName);
        else
            series->RebuildName();
    } else if (entry.seriesRecord) {
        const CGraphParamArray& record = *entry.seriesRecord;
        if (const CGraphDataTankAr* items = record.GetTanks()) {
            for (int i = 0; i < items->GetSize(); ++i) {
                const tDataTankParam& item = items->GetAt(i);
                series->SetItem(i, item.first, item.second, record.GetItemTank(i), true);
            }
        }
        series->SetName(record.GetName());
    }
    if (entry.xTitle && entry.yTitle) {
        const std::pair<int, CPlotLabel*> titles[] = {{'X', entry.xTitle.get()}, {'Y', entry.yTitle.get()}};
        for (const auto& [axis, from] : titles) {
            if (CPlotLabel* to = row.GetAxisTitle(axis)) {
                fw::CString title, unit;
                TitleTexts(*from, title, unit);
                to->SetTitle(title);
                to->SetUnit(unit);
            }
        }
    }
    if (CTickLabel* labels = row.GetTickLabels('X'))
        labels->SetFormatKind(entry.xFormat);
    if (CTickLabel* labels = row.GetTickLabels('Y'))
        labels->SetFormatKind(entry.yFormat);
    row.UpdateAutoScaleModes();
    row.AutoScale();
}

bool CGraphTimeListObj::GetRowProfiles(CGraphPrfList& profiles) const
{
    try {
        CGraphListPrf head;
        for (const CListGraphDraw* row : m_rows) {
            const CGraphParamArray* first = row ? row->GetSeries(0) : nullptr;
            if (first) {
                head.path = first->GetSourcePath();
                head.document = first->GetSourceDocument();
                break;
            }
        }
        profiles.push_back(std::make_unique<CGraphListPrf>(head));
        head.xChannels = {-1};
        head.yChannels = {-1};
        for (const CListGraphDraw* row : m_rows) {
            if (!row) {
                profiles.push_back(std::make_unique<CGraphListPrf>(head));
                continue;
            }
            for (int i = 0; i < row->GetSeriesCount(); ++i) {
                CGraphParamArray* series = row->GetSeries(i);
                const CGraphDataTankAr* items = series->GetTanks();
                if (!items || items->GetSize() < 2)
                    fw::ThrowInvalidArgException();
                auto entry = std::make_unique<CGraphListPrf>();
                entry->seriesRecord = series;
                entry->path = series->GetSourcePath();
                entry->document = series->GetSourceDocument();
                entry->select = series->GetSelectFlag() ? 1 : 0;
                entry->mark = series->GetMark() ? 1 : 0;
                entry->firstSample = std::max(series->GetSampleIndex(0), 0) + 1;
                entry->lastSample = std::max(series->GetSampleIndex(series->GetLastSamplePosition()), 0) + 1;
                entry->sampleOffset = series->GetSampleOffset();
                entry->style = series->GetStyle();
                entry->styleOfSeries = true;
                entry->redraw = series->GetRedrawFlag() ? 1 : 0;
                entry->sortKind = static_cast<int16_t>(series->GetSortKind() - 1);
                tLabelFormat format;
                if (CTickLabel* labels = row->GetTickLabels('X')) {
                    labels->GetLabelFormat(format);
                    entry->xFormat = format.kind;
                }
                if (CTickLabel* labels = row->GetTickLabels('Y')) {
                    labels->GetLabelFormat(format);
                    entry->yFormat = format.kind;
                }
                fw::CString title, unit;
                entry->xTitle = std::make_unique<CXPlotLabel>();
                entry->yTitle = std::make_unique<CYPlotLabel>();
                if (CPlotLabel* x = row->GetAxisTitle('X')) {
                    TitleTexts(*x, title, unit);
                    entry->xTitle->SetTitle(title);
                    entry->xTitle->SetUnit(unit);
                }
                if (CPlotLabel* y = row->GetAxisTitle('Y')) {
                    TitleTexts(*y, title, unit);
                    entry->yTitle->SetTitle(title);
                    entry->yTitle->SetUnit(unit);
                }
                entry->xChannels = {static_cast<int16_t>(items->GetAt(0).second)};
                entry->yChannels = {static_cast<int16_t>(items->GetAt(1).second)};
                entry->xKinds = {static_cast<int16_t>(items->GetAt(0).first)};
                entry->yKinds = {static_cast<int16_t>(items->GetAt(1).first)};
                profiles.push_back(std::move(entry));
            }
        }
    } catch (const std::bad_alloc&) {
        fw::AfxMessageBox(fw::kIdpOutOfMemory);
        return false;
    }
    return true;
}

void CGraphTimeListObj::EditRows(const CGraphPrfList& profiles)
{
    if (profiles.empty())
        fw::ThrowInvalidArgException();
    for (CListGraphDraw* row : m_rows) {
        if (!row)
            continue;
        while (row->GetSeriesCount() > 0) {
            CGraphParamArray* series = row->GetSeries(row->GetSeriesCount() - 1);
            row->GetPage()->RemoveSeries(series);
            CGraphListPrf* entry = nullptr;
            for (const auto& candidate : profiles)
                if (candidate && candidate->seriesRecord == series)
                    entry = candidate.get();
            fw::CString made;
            if (entry && series->NameFromFirstTwo(made) && made != series->GetName())
                entry->legendName = series->GetName();
            if (entry && !FindGraphDocument(series->GetSourceDocument())) {
                // Kept for the entry: the row is rebuilt from its tanks.
                entry->ownsSeriesRecord = true;
                continue;
            }
            if (entry)
                entry->seriesRecord = nullptr;
            delete series;
        }
    }
    ApplyRowProfiles(profiles);
    Recalculate(false);
}
