#include "canvoicegps/views/data/CanGpsGraphRows.h"

#include "canvoicegps/model/CanGraphTimeListObj.h"
#include "canvoicegps/model/GpsGraphTimeListObj.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/ListGraphDraw.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/calc/GpsCanTankLists.h"
#include "common/calc/KivSPTankData.h"
#include "common/tank/DataTankObject.h"
#include "data/model/KivDataDoc.h"
#include "data/views/DataGraphAccess.h"
#include "framework/core/ServiceSlot.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct RowTanks {
    CDataTankObject* x = nullptr;
    CDataTankObject* y = nullptr;
    int16_t xChannel = -1;
    int16_t yChannel = -1;
};

CGraphTimeListObj* GraphOf(IGraphTimeList& list)
{
    IDataGraphAccess* access = fw::Installed<IDataGraphAccess>();
    return access ? access->TimeListGraph(list) : nullptr;
}

std::vector<RowTanks> GpsRows(CKivDataDoc& doc)
{
    std::vector<RowTanks> rows;
    CDataTankObject* time = doc.GetBoxArray().GetTankList().GetTimeTank();
    CUseTankList& channels = doc.GetGpsChannels();
    for (int i = 0; i < channels.GetSize(); ++i) {
        CDataTankObject* tank = channels.GetObjectAt(i);
        auto* cached = dynamic_cast<CCashCalcuDataTank*>(tank);
        rows.push_back({time, tank, static_cast<int16_t>(CKivDataDoc::kTimeChannel),
                        static_cast<int16_t>(cached ? cached->GetChannelNumber() : i)});
    }
    return rows;
}

std::vector<RowTanks> CanRows(CKivDataDoc& doc)
{
    std::vector<RowTanks> rows;
    CDataTankList& tanks = doc.GetBoxArray().GetCanTanks();
    for (int r = 0; r < tanks.GetSize() / 2; ++r)
        rows.push_back({tanks.GetObjectAt(2 * r), tanks.GetObjectAt(2 * r + 1), static_cast<int16_t>(2 * r),
                        static_cast<int16_t>(2 * r + 1)});
    return rows;
}

bool RowsMatch(CGraphTimeListObj& graph, const std::vector<RowTanks>& rows)
{
    if (graph.GetRowCount() != static_cast<int>(rows.size()))
        return false;
    for (int r = 0; r < graph.GetRowCount(); ++r) {
        CListGraphDraw* row = graph.GetRow(r);
        CGraphParamArray* series = row ? row->GetSeries(0) : nullptr;
        const RowTanks& want = rows[static_cast<size_t>(r)];
        if (!series || series->GetItemTank(0) != want.x || series->GetItemTank(1) != want.y)
            return false;
    }
    return true;
}

void BuildRows(CGraphTimeListObj& graph, CKivDataDoc& doc, const std::vector<RowTanks>& rows, int16_t kind)
{
    graph.DeleteRows();
    for (const RowTanks& tanks : rows) {
        CListGraphDraw* row = graph.CreateRow();
        graph.AppendRow(row);
        CGraphParamArray* series = row ? row->AddSeries(true) : nullptr;
        if (!series || !tanks.x || !tanks.y)
            continue;
        const int count = std::min(tanks.x->GetDataCount(), tanks.y->GetDataCount());
        series->SetStyle(graph.m_style);
        series->SetSource(tSeriesSource{fw::CString(), doc.GetDocIdent(), 0, 0});
        series->SetSampleRange(doc.GetDocIdent(), 0, std::max(count - 1, 0));
        series->SetItem(0, kind, tanks.xChannel, tanks.x, true);
        series->SetItem(1, kind, tanks.yChannel, tanks.y, true);
        series->RebuildName();
        row->UpdateAutoScaleModes();
        row->AutoScale();
    }
    graph.Recalculate(true);
}

bool Sync(CGraphTimeListObj* graph, CKivDataDoc& doc, const std::vector<RowTanks>& rows, int16_t kind)
{
    if (!graph || RowsMatch(*graph, rows))
        return false;
    BuildRows(*graph, doc, rows, kind);
    return true;
}

} // namespace

CGpsGraphTimeListObj* GpsGraphOf(CKivDataDoc& doc)
{
    auto* graph = dynamic_cast<CGpsGraphTimeListObj*>(GraphOf(doc.GetGpsGraphList()));
    if (graph)
        graph->SetDocument(&doc);
    return graph;
}

CCanGraphTimeListObj* CanGraphOf(CKivDataDoc& doc)
{
    return dynamic_cast<CCanGraphTimeListObj*>(GraphOf(doc.GetCanGraphList()));
}

CDataTankObject* CanSignalTank(CKivDataDoc& doc, int row)
{
    CDataTankList& tanks = doc.GetBoxArray().GetCanTanks();
    if (row < 0 || row >= tanks.GetSize() / 2)
        return nullptr;
    return tanks.GetObjectAt(2 * row + 1);
}

int CanSignalCount(CKivDataDoc& doc) { return doc.GetBoxArray().GetCanTanks().GetSize() / 2; }

bool SyncGpsGraphRows(CKivDataDoc& doc)
{
    return Sync(GpsGraphOf(doc), doc, GpsRows(doc), CKivDocBase::kChannelList);
}

bool SyncCanGraphRows(CKivDataDoc& doc)
{
    // Stored series name the CAN list 5, the number graph pages read it by
    // (the documents' own lookup numbers their lists otherwise, but these
    // rows never go through it).
    constexpr int16_t kCanListKind = 5;
    return Sync(CanGraphOf(doc), doc, CanRows(doc), kCanListKind);
}
