#include "measure/model/poll/MoniSPTankData.h"

#include "common/cache/CacheDataTank.h"
#include "common/cache/CacheFileReport.h"
#include "common/formula/DataCalcuOrder.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"


CMoniCalcuDataTank* CMoniSPTankData::CreateItem(int16_t index, int16_t code)
{
    if (index < 0)
        return nullptr;
    if (GetSize() < index + 1)
        SetSize(index + 1);
    CCacheReportScope reports;
    auto* tank = new CMoniCalcuDataTank;
    try {
        tank->SetKind(code);
        tank->SetCacheWindowPlacement(kWindowFromIndex);
        tank->SetCacheWindowLength(kWindowValues);
        tank->CreateCacheFile();
        tank->SetSize(m_dataCount, false);
        tank->SetOrder(NewOrder());
        SetTankAt(index, tank, false);
    } catch (...) {
        delete tank;
        throw;
    }
    return tank;
}

void CMoniSPTankData::LinkSources(CDataTankList& channels)
{
    for (int i = 0; i < GetSize(); ++i) {
        auto* tank = dynamic_cast<CMoniCalcuDataTank*>(GetObjectAt(i));
        if (tank && i != kTimeIndex)
            tank->SetSourceTank(i < channels.GetSize() ? channels.GetObjectAt(i) : nullptr);
    }
}

int32_t CMoniSPTankData::SetDataCount(int32_t count, bool fill)
{
    if (count == -1) {
        count = GetMaxDataCount(0, GetSize() - 1);
        m_dataCount = count;
        if (count <= kMaxSamples)
            return count;
    }
    if (count > kMaxSamples)
        count = 0;
    for (int i = 0; i < GetSize(); ++i) {
        if (CDataTankObject* tank = GetObjectAt(i))
            tank->SetSize(count, fill);
    }
    m_dataCount = count;
    return GetSize() - 1;
}

CDataTankObject* CMoniSPTankData::GetTimeTank()
{
    if (GetSize() > kTimeIndex && GetObjectAt(kTimeIndex))
        return GetObjectAt(kTimeIndex);
    CMoniCalcuDataTank* tank = CreateItem(kTimeIndex, 0);
    tank->SetName(fw::LoadStringText(kIdsElapsedTime));
    tank->SetUnit("sec");
    return tank;
}

void CMoniSPTankData::StampTime()
{
    m_lastTick = fw::TickCount();
}

void CMoniSPTankData::AppendElapsedTime()
{
    const uint32_t last = m_lastTick.load();
    double x = 0.0;
    if (GetDataCount() >= 1) {
        x = static_cast<uint32_t>(last - m_startTick) / 1000.0;
    } else {
        m_startTick = last;
    }
    auto* time = dynamic_cast<CCalcuDataTank*>(GetTimeTank());
    if (!time)
        return;
    if (time->GetDataCount() < GetDataCount() + 1)
        time->SetSize(GetDataCount() + 1, false);
    time->SetValue(GetDataCount(), x);
}

void CMoniSPTankData::StoreValues(CKivSPTankData& channels, const std::vector<int16_t>& watched)
{
    if (GetDataCount() + 1 > kMaxSamples)
        SetDataCount(kMaxSamples + 1, false);
    const int at = GetDataCount();
    for (int16_t ch : watched) {
        auto* source = dynamic_cast<CCalcuDataTank*>(channels.GetObjectAt(ch));
        if (!source || ch == kTimeIndex)
            continue;
        CDataTankObject* tank = ch < GetSize() ? GetObjectAt(ch) : nullptr;
        if (!tank) {
            CMoniCalcuDataTank* made = CreateItem(ch, -1);
            made->SetSourceTank(source);
            tank = made;
        }
        if (tank->GetDataCount() < at + 1)
            tank->SetSize(at + 1, false);
        tank->SetValue(at, source->GetResult());
        WriteBackWindow(tank, ch, at);
    }
    AppendElapsedTime();
    WriteBackWindow(GetObjectAt(kTimeIndex), kTimeIndex, at);
    m_dataCount = at + 1;
}

// An appended window would otherwise grow to the cache tanks' append
// length (tens of thousands of values per channel); the tanks take turns,
// so that a poll writes back only a few of them.
void CMoniSPTankData::WriteBackWindow(CDataTankObject* tank, int channel, int32_t at)
{
    auto* cash = dynamic_cast<CCashCalcuDataTank*>(tank);
    if (cash && (at + channel) % kWindowValues == kWindowValues - 1)
        cash->ReleaseCacheWindow();
}
