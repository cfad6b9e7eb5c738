#pragma once

// The channel list of the program's data sets: its channels are cached
// calculated tanks, it knows how many measured channels it holds, keeps the
// elapsed-time channel at 499 and stores its tanks without their values
// unless told otherwise.

#include "common/calc/DataSPTankData.h"

#include <utility>
#include <vector>

class CCashCalcuDataTank;

class CKivSPTankData : public CDataSPTankData {
    FW_DECLARE_SERIAL(CKivSPTankData)
public:
    // Text of the elapsed-time channel's name.
    static constexpr unsigned kIdsElapsedTime = 159;

    CKivSPTankData();

    // Before writing, every cached tank takes the list's storage mode; the
    // form of the channel list, then the measured-channel count. After
    // reading, every cached tank gets window placement 0.
    void Serialize(fw::CArchive& ar) override;

    // A cached calculated tank at index: data code, window placement 0, a
    // cache file holding the data count of values, a new order. On failure
    // nothing is left in the list and the exception passes on.
    virtual CCashCalcuDataTank* CreateChannelTank(int index, int32_t code, bool fill);
    CCalcuDataTank* GetOrCreateChannel(int index) override;
    // Copies the tank list (sharing the tanks), the data count and the
    // measured-channel count. The array's plain pointer copy stays callable.
    using CDataSPTankData::CopyFrom;
    virtual void CopyFrom(const CKivSPTankData& other);
    CDataTankObject* GetTimeTank() override;

    int GetMeasuredCount() const override { return m_measuredCount; }
    // Releases or creates measured channels to the count, then creates the
    // elapsed-time channel when missing.
    void SetChannelCount(int count);
    // Measured channels and the time channel that have a tank but no order
    // get a new one (after loading).
    void UpdateAllChannels();

    // (measured channel index, index of the channel whose formula reads it)
    // for every CH a channel's formula reads, also through NO and list
    // references.
    void CollectReferencedChannels(int16_t index, std::vector<std::pair<int16_t, int16_t>>& out);
    void UpdatePeaks(const std::vector<int16_t>& channels, bool reset);
    // Keeps every (n + 1)-th value of every channel.
    void DecimateChannels(int n);

    void SetStorageMode(int32_t mode) { m_storageMode = mode; }
    int32_t GetStorageMode() const { return m_storageMode; }

private:
    void CollectReferencedInto(int16_t index, std::vector<std::pair<int16_t, int16_t>>& out,
                               std::vector<bool>& seen);
    void DecimateTank(CDataTankObject* tank, int n, int32_t kept);

    int32_t m_storageMode = 2;
    int32_t m_measuredCount = 0;
};
