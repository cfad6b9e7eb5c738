#include "graphdoc/model/GraphDataRules.h"

#include "graphdoc/model/GraphPrf.h"

#include <memory>

namespace graphdata {

namespace {

constexpr int kTimeChannel = 499;
constexpr int kLastMeasured = 320;
constexpr int kFirstCalculated = 500;

// The list kinds of the rows: operation data, used tanks, cycle list,
// monitor channels, CAN channels.
constexpr int kOpData = 1;
constexpr int kUsedTanks = 2;
constexpr int kCycleList = 3;
constexpr int kMonitorList = 4;
constexpr int kCanList = 5;

// Distributions keep their value rows in one list and the operation-data
// positions in the other; the layout mode swaps the column layouts.
int DistributionColumns(int layoutMode)
{
    if (layoutMode == 1)
        return 2;
    if (layoutMode == 2)
        return 1;
    return 3;
}

void Add(ListRows& rows, RowBlock block)
{
    if (rows.count < kMaxListBlocks)
        rows.blocks[rows.count++] = block;
}

// "CH" rows for the measured channels, "NO" rows for the calculated ones.
void AddChannels(ListRows& rows, Source source, int listKind)
{
    Add(rows, {source, listKind, "CH", 0, kLastMeasured});
    Add(rows, {source, listKind, "NO", kFirstCalculated, -1});
}

ListRows Positions()
{
    ListRows rows;
    Add(rows, {Source::opData, kOpData, "POS", 0, 2});
    return rows;
}

} // namespace

int32_t RangeLimit(int monitor)
{
    return monitor == 1 ? kMaxMonitorRange : kMaxRange;
}

ColumnKinds ListColumns(int graphType, int creationKind, int layoutMode)
{
    if (graphType == kTypeHistory)
        return {7, 7};
    if (IsXDistribution(graphType))
        return {DistributionColumns(layoutMode), 0};
    if (IsYDistribution(graphType))
        return {0, DistributionColumns(layoutMode)};
    if (creationKind == 2 || creationKind == 10)
        return {1, 0};
    if (creationKind == 7)
        return {6, 6};
    return {0, 0};
}

ListFill ListContents(int graphType, int creationKind)
{
    ListFill fill;
    if (graphType == kTypeHistory) {
        Add(fill.y, {Source::cycleData, kUsedTanks, "", 0, -1});
        Add(fill.x, {Source::cycleList, kCycleList, "", 1, 1});
        return fill;
    }
    if (IsXDistribution(graphType)) {
        AddChannels(fill.y, Source::usedTanks, kUsedTanks);
        fill.x = Positions();
        return fill;
    }
    if (IsYDistribution(graphType)) {
        fill.y = Positions();
        AddChannels(fill.x, Source::usedTanks, kUsedTanks);
        return fill;
    }
    switch (creationKind) {
    case 2:
        AddChannels(fill.y, Source::usedTanks, kUsedTanks);
        Add(fill.y, {Source::canChannels, kCanList, "CAN", 0, -1});
        Add(fill.x, {Source::usedTanks, kUsedTanks, "", kTimeChannel, kTimeChannel});
        break;
    case 10:
        AddChannels(fill.y, Source::usedTanks, kMonitorList);
        Add(fill.y, {Source::canChannels, kCanList, "CAN", 0, -1});
        Add(fill.x, {Source::monitorChannels, kMonitorList, "", kTimeChannel, kTimeChannel});
        break;
    case 7:
        Add(fill.y, {Source::cycleData, kUsedTanks, "", 0, -1});
        Add(fill.x, {Source::cycleList, kCycleList, "", 6, 6});
        break;
    default:
        AddChannels(fill.y, Source::usedTanks, creationKind == 9 ? kMonitorList : kUsedTanks);
        Add(fill.y, {Source::canChannels, kCanList, "CAN", 0, -1});
        fill.x = fill.y;
        break;
    }
    return fill;
}

bool DefaultXChannel(int creationKind, int& index, int& listKind)
{
    switch (creationKind) {
    case 2:
        index = kTimeChannel;
        listKind = kUsedTanks;
        return true;
    case 10:
        index = kTimeChannel;
        listKind = kMonitorList;
        return true;
    case 7:
        index = 6;
        listKind = kCycleList;
        return true;
    case 8:
        index = 1;
        listKind = kCycleList;
        return true;
    default:
        return false;
    }
}

ListModes ComputeListModes(int graphType, int creationKind, int profileIndex, int xSelected, int ySelected)
{
    ListModes modes;
    if (IsXDistribution(graphType)) {
        modes.yMultiple = true;
        return modes;
    }
    if (IsYDistribution(graphType)) {
        modes.xMultiple = true;
        return modes;
    }
    const bool fixedX = creationKind == 2 || creationKind == 7 || creationKind == 8 || creationKind == 10;
    if (fixedX) {
        modes.xEnabled = false;
        modes.yMultiple = profileIndex == 0;
        return modes;
    }
    if (profileIndex > 0)
        return modes;
    if (xSelected > 1) {
        modes.xMultiple = true;
        return modes;
    }
    // One X with many Y, or many X with one Y: never many of both.
    modes.xMultiple = ySelected < 2;
    modes.yMultiple = true;
    return modes;
}

int AppendPlotLines(CGraphPrfList& list, int graphType)
{
    const CGraphPrf& model = *list.GetAt(0);
    auto append = [&](int x, int16_t xKind, int y, int16_t yKind) {
        auto line = std::make_unique<CGraphPrf>(model);
        line->m_xChannels = {x};
        line->m_xListKinds = {xKind};
        line->m_yChannels = {y};
        line->m_yListKinds = {yKind};
        list.Add(line.release());
    };
    auto kindAt = [](const std::vector<int16_t>& kinds, size_t i) {
        return i < kinds.size() ? kinds[i] : int16_t(kUsedTanks);
    };
    if (IsDistribution(graphType)) {
        list.Add(new CGraphPrf(model));
        return 1;
    }
    if (model.m_xChannels.size() == 1) {
        for (size_t j = 0; j < model.m_yChannels.size(); ++j)
            append(model.m_xChannels[0], kindAt(model.m_xListKinds, 0), model.m_yChannels[j],
                   kindAt(model.m_yListKinds, j));
        return static_cast<int>(model.m_yChannels.size());
    }
    if (model.m_yChannels.empty())
        return 0;
    for (size_t i = 0; i < model.m_xChannels.size(); ++i)
        append(model.m_xChannels[i], kindAt(model.m_xListKinds, i), model.m_yChannels[0],
               kindAt(model.m_yListKinds, 0));
    return static_cast<int>(model.m_xChannels.size());
}

} // namespace graphdata
