#pragma once

// The monitor-only trend copy of a project's channels while the panel
// polls: one cached calculated tank per channel, each keeping a window of
// a few values in memory and the history in its cache file, and the
// elapsed time of every sample at entry 499. Live graphs read it; the
// channel tanks themselves keep only the current value.

#include "common/calc/KivSPTankData.h"
#include "measure/model/monitor/MoniCalcuDataTank.h"

#include <atomic>
#include <cstdint>
#include <vector>

class CMoniSPTankData : public CKivSPTankData {
public:
    // Past this many samples the history starts over.
    static constexpr int32_t kMaxSamples = 507904;
    static constexpr int kWindowValues = 10;
    static constexpr unsigned kIdsElapsedTime = 492;

    CMoniSPTankData() = default;

    // A monitor tank at `index` (the list grows to hold it), sized to the
    // data count, not yet linked. On failure nothing is left in the list.
    CMoniCalcuDataTank* CreateItem(int16_t index, int16_t code);
    // Every monitor tank but the elapsed time follows the channel tank of
    // the same number in `channels` (none where that has no tank).
    void LinkSources(CDataTankList& channels);
    // -1: the largest count of the entries. A count above kMaxSamples
    // empties every tank.
    int32_t SetDataCount(int32_t count, bool fill) override;
    CDataTankObject* GetTimeTank() override;

    // The worker stamps the sample it fetched; the interface thread reads
    // the stamp when it stores that sample.
    void StampTime();
    void AppendElapsedTime();
    // The current result of every channel of `channels` into its monitor
    // tank at the data count, the elapsed time beside them; the count then
    // moves on by one.
    void StoreValues(CKivSPTankData& channels, const std::vector<int16_t>& watched);

    uint32_t GetStartTick() const { return m_startTick; }
    uint32_t GetLastTick() const { return m_lastTick.load(); }

private:
    void WriteBackWindow(CDataTankObject* tank, int channel, int32_t at);

    uint32_t m_startTick = 0;
    std::atomic<uint32_t> m_lastTick{0};
};
