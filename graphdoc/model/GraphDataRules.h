#pragma once

// The rules of the plot-data dialog that hold without a window: which
// channel rows the X and Y lists show for a graph type and creation kind,
// which selection mode each list has, the sample limits of the range, and
// how the selection template (profile 0) becomes plot lines.

#include <cstdint>

class CGraphPrfList;

namespace graphdata {

// Graph types of the drawer as the dialog sees them.
inline constexpr int kTypeHistory = 10;
inline constexpr int kTypeXDistribution = 31;
inline constexpr int kTypeYDistribution = 32;
inline constexpr int kTypeVerticalBars = 33;
inline constexpr int kTypeHorizontalBars = 34;

// Range end limits: every graph, and graphs of live monitor data.
inline constexpr int32_t kMaxRange = 10000000;
inline constexpr int32_t kMaxMonitorRange = 507904;

// The sample limit of a range edit (monitor value 1: live monitor graph).
int32_t RangeLimit(int monitor);

inline bool IsXDistribution(int graphType)
{
    return graphType == kTypeXDistribution || graphType == kTypeVerticalBars;
}
inline bool IsYDistribution(int graphType)
{
    return graphType == kTypeYDistribution || graphType == kTypeHorizontalBars;
}
inline bool IsDistribution(int graphType)
{
    return IsXDistribution(graphType) || IsYDistribution(graphType);
}

// The column layouts of the X and Y lists (a CNameListCtrl list kind each).
struct ColumnKinds {
    int x = 0;
    int y = 0;
};
ColumnKinds ListColumns(int graphType, int creationKind, int layoutMode);

// The document lists that channel rows come from.
enum class Source { usedTanks, monitorChannels, canChannels, opData, cycleData, cycleList };

// One block of rows in a channel list: the tanks `first` to `last` (-1:
// the list's end) of the document's list `source`, named `prefix` +
// ordinal, with `listKind` in each row's item data.
struct RowBlock {
    Source source = Source::usedTanks;
    int listKind = 0;
    const char* prefix = "";
    int first = 0;
    int last = -1;
};
inline constexpr int kMaxListBlocks = 3;
struct ListRows {
    RowBlock blocks[kMaxListBlocks];
    int count = 0;
};
struct ListFill {
    ListRows x;
    ListRows y;
};
ListFill ListContents(int graphType, int creationKind);

// The X row a profile without X channels selects by default; false when
// the creation kind has none.
bool DefaultXChannel(int creationKind, int& index, int& listKind);

// Selection modes and whether the X list is enabled.
struct ListModes {
    bool xMultiple = false;
    bool yMultiple = false;
    bool xEnabled = true;
};
ListModes ComputeListModes(int graphType, int creationKind, int profileIndex, int xSelected, int ySelected);

// Appends the plot lines that profile 0 describes: one for a distribution
// or bar graph; one per Y channel when profile 0 has exactly one X
// channel; else one per X channel with the first Y channel. The number of
// profiles appended.
int AppendPlotLines(CGraphPrfList& list, int graphType);

} // namespace graphdata
