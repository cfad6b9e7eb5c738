#pragma once

// The two channel lists of the monitor settings: the channels shown, in
// the order the settings hold them, and the channels that can still be
// added, in channel order. A list entry carries its name, its number text
// ("CH1", "NO1") and its channel number.

#include "framework/core/CString.h"

#include <cstdint>
#include <vector>

class CDataTankList;

struct MonitorListItem {
    fw::CString name;
    fw::CString number;
    int32_t channel = 0;

    friend bool operator==(const MonitorListItem&, const MonitorListItem&) = default;
};

namespace monitorlists {

// The first calculated channel; below it the measured channels.
inline constexpr int32_t kFirstCalc = 500;

// "CH%d" with the number + 1 below 500, else "NO%d" with the number - 499.
fw::CString NumberText(int32_t channel);

// The settings' channels whose tank exists, is named and is not switched
// off; channels that have gone are left out.
std::vector<MonitorListItem> Monitored(CDataTankList& tanks, const std::vector<int32_t>& channels);

// The measured channels below `inputCount`, then the calculated ones, that
// could be monitored (a named tank of numbers, not switched off) and are
// not in `monitored`.
std::vector<MonitorListItem> Available(CDataTankList& tanks, int inputCount,
                                       const std::vector<MonitorListItem>& monitored);

// Moves the `selected` entries of `available` (flags by row) into
// `monitored` before row `at` (-1: at the end), keeping their order.
void MoveToMonitored(std::vector<MonitorListItem>& available, const std::vector<bool>& selected,
                     std::vector<MonitorListItem>& monitored, int at);

std::vector<int32_t> Channels(const std::vector<MonitorListItem>& monitored);

} // namespace monitorlists
