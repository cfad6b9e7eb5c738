#include "measure/model/monitor/MonitorChannels.h"

#include "common/tank/DataTankList.h"
#include "common/tank/DataTankObject.h"
#include "framework/core/Format.h"

#include <algorithm>

namespace monitorlists {

namespace {

bool Showable(const CDataTankObject* tank)
{
    return tank && !tank->GetName().IsEmpty() && tank->GetKind() != kTankKindChannelOff;
}

bool Listed(const std::vector<MonitorListItem>& items, int32_t channel)
{
    return std::any_of(items.begin(), items.end(), [channel](const MonitorListItem& i) { return i.channel == channel; });
}

} // namespace

fw::CString NumberText(int32_t channel)
{
    return channel < kFirstCalc ? fw::Format("CH%d", channel + 1) : fw::Format("NO%d", channel - (kFirstCalc - 1));
}

std::vector<MonitorListItem> Monitored(CDataTankList& tanks, const std::vector<int32_t>& channels)
{
    std::vector<MonitorListItem> out;
    for (int32_t ch : channels) {
        const CDataTankObject* tank = ch >= 0 ? tanks.GetObjectAt(ch) : nullptr;
        if (Showable(tank))
            out.push_back({tank->GetName(), NumberText(ch), ch});
    }
    return out;
}

std::vector<MonitorListItem> Available(CDataTankList& tanks, int inputCount,
                                       const std::vector<MonitorListItem>& monitored)
{
    std::vector<MonitorListItem> out;
    auto consider = [&](int32_t ch) {
        const CDataTankObject* tank = tanks.GetObjectAt(ch);
        if (Showable(tank) && tank->GetDataType() != kTankTypeText && !Listed(monitored, ch))
            out.push_back({tank->GetName(), NumberText(ch), ch});
    };
    const int last = tanks.GetSize();
    for (int32_t ch = 0; ch < std::min(inputCount, last); ++ch)
        consider(ch);
    for (int32_t ch = kFirstCalc; ch < last; ++ch)
        consider(ch);
    return out;
}

void MoveToMonitored(std::vector<MonitorListItem>& available, const std::vector<bool>& selected,
                     std::vector<MonitorListItem>& monitored, int at)
{
    size_t pos = at < 0 || static_cast<size_t>(at) > monitored.size() ? monitored.size() : static_cast<size_t>(at);
    std::vector<MonitorListItem> kept;
    for (size_t i = 0; i < available.size(); ++i) {
        if (i < selected.size() && selected[i])
            monitored.insert(monitored.begin() + static_cast<std::ptrdiff_t>(pos++), available[i]);
        else
            kept.push_back(available[i]);
    }
    available = std::move(kept);
}

std::vector<int32_t> Channels(const std::vector<MonitorListItem>& monitored)
{
    std::vector<int32_t> out;
    out.reserve(monitored.size());
    for (const MonitorListItem& item : monitored)
        out.push_back(item.channel);
    return out;
}

} // namespace monitorlists
