#include "common/calc/KivSPTankData.h"

#include "common/cache/CacheFileReport.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/formula/DataCalcuOrder.h"
#include "common/tank/StringDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/StringTable.h"

#include <algorithm>
#include <vector>

FW_IMPLEMENT_SERIAL(CKivSPTankData, CDataSPTankData, 1)

namespace {
constexpr int16_t kCodeTime = -12;
constexpr int16_t kTimeFormat = 4;
} // namespace

CKivSPTankData::CKivSPTankData() = default;

void CKivSPTankData::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        for (int i = 0; i < GetSize(); ++i)
            if (auto* cash = dynamic_cast<CCashCalcuDataTank*>(GetAt(i)))
                cash->SetCacheCompressed(m_storageMode);
        CDataSPTankData::Serialize(ar);
        ar << m_measuredCount;
        return;
    }
    CDataSPTankData::Serialize(ar);
    ar >> m_measuredCount;
    for (int i = 0; i < GetSize(); ++i)
        if (auto* cash = dynamic_cast<CCashCalcuDataTank*>(GetAt(i)))
            cash->SetCacheWindowPlacement(kWindowFromIndex);
}

CCashCalcuDataTank* CKivSPTankData::CreateChannelTank(int index, int32_t code, bool fill)
{
    if (index < 0)
        return nullptr;
    if (GetSize() < index + 1)
        SetSize(index + 1);
    CCacheReportScope reports;
    auto* tank = new CCashCalcuDataTank;
    try {
        tank->SetKind(code);
        tank->SetCacheWindowPlacement(kWindowFromIndex);
        tank->CreateCacheFile();
        tank->SetSize(m_dataCount, fill);
        tank->CloseCacheFile();
        tank->SetOrder(NewOrder());
        SetTankAt(index, tank, false);
    } catch (...) {
        delete tank;
        throw;
    }
    return tank;
}

CCalcuDataTank* CKivSPTankData::GetOrCreateChannel(int index)
{
    if (CCalcuDataTank* tank = GetCalcTank(index))
        return tank;
    return CreateChannelTank(index, -1, true);
}

CDataTankObject* CKivSPTankData::GetTimeTank() { return CDataSPTankData::GetTimeTank(); }

void CKivSPTankData::CopyFrom(const CKivSPTankData& other)
{
    CopyList(other);
    m_dataCount = other.m_dataCount;
    m_measuredCount = other.m_measuredCount;
}

void CKivSPTankData::SetChannelCount(int count)
{
    count = std::clamp(count, 0, kTimeIndex);
    CCacheReportScope reports;
    const int old = m_measuredCount;
    bool released = false;
    for (int i = count; i < old && i < GetSize(); ++i) {
        if (GetAt(i)) {
            ReleaseTankAt(i);
            released = true;
        }
    }
    m_measuredCount = count;
    for (int i = old; i < count; ++i)
        if (!GetObjectAt(i))
            CreateChannelTank(i, -1, true);
    if (!GetObjectAt(kTimeIndex)) {
        CCashCalcuDataTank* time = CreateChannelTank(kTimeIndex, kCodeTime, true);
        time->SetName(fw::LoadStringText(kIdsElapsedTime));
        time->SetFormat(kTimeFormat);
    }
    // Formulas that read a released channel must not keep its order.
    if (released)
        OrderPasses();
}

void CKivSPTankData::UpdateAllChannels()
{
    auto give = [this](int i) {
        CCalcuDataTank* tank = GetCalcTank(i);
        if (tank && !tank->GetOrder())
            tank->SetOrder(NewOrder());
    };
    for (int i = 0; i < m_measuredCount; ++i)
        give(i);
    give(kTimeIndex);
}

void CKivSPTankData::CollectReferencedChannels(int16_t index, std::vector<std::pair<int16_t, int16_t>>& out)
{
    std::vector<bool> seen(static_cast<size_t>(std::max(GetSize(), 0)), false);
    CollectReferencedInto(index, out, seen);
}

void CKivSPTankData::CollectReferencedInto(int16_t index, std::vector<std::pair<int16_t, int16_t>>& out,
                                           std::vector<bool>& seen)
{
    if (index < 0 || size_t(index) >= seen.size() || seen[size_t(index)])
        return;
    seen[size_t(index)] = true;
    CDataCalcuOrder* order = GetOrder(index);
    if (!order || order->GetError() != 0 || order->GetPass() < 0)
        return;
    for (int i = 0; i < order->GetOperationCount(); ++i) {
        CDataCalcu* op = order->GetOperation(i);
        if (op->IsRoutine(CalcRoutine::Ch))
            out.emplace_back(op->GetChannelIndex(), index);
        else if (op->IsRoutine(CalcRoutine::No))
            CollectReferencedInto(op->GetChannelIndex(), out, seen);
        else if (op->HasArgumentBlock())
            for (int16_t ref : op->GetArgumentBlock()->references)
                CollectReferencedInto(ref, out, seen);
    }
}

void CKivSPTankData::UpdatePeaks(const std::vector<int16_t>& channels, bool reset)
{
    for (int16_t ch : channels) {
        auto* cash = dynamic_cast<CCashCalcuDataTank*>(GetObjectAt(ch));
        if (!cash)
            continue;
        if (reset)
            cash->ResetPeaks();
        else
            cash->UpdatePeaks();
    }
}

// --- decimation --------------------------------------------------------------------------

namespace {

// Keeps values 0, step, 2 step ... (kept values) at the front of a cache tank,
// a bounded run at a time: every value is read before its place is written,
// as a kept value never lies behind its source.
template <class T> void DecimateCache(CCacheDataTank<T>& cache, int64_t step, int32_t kept)
{
    constexpr int32_t kChunk = 65536;
    constexpr int64_t kMaxSpan = int64_t(1) << 22;
    bool wasOpen = false;
    if (!cache.OpenIfClosed(wasOpen))
        fw::ThrowInvalidArgException();
    std::vector<T> out;
    std::vector<T> span;
    for (int32_t k0 = 0; k0 < kept; k0 += kChunk) {
        const int32_t m = std::min(kChunk, kept - k0);
        out.resize(size_t(m));
        const int64_t length = int64_t(m - 1) * step + 1;
        if (length <= kMaxSpan) {
            span.resize(size_t(length));
            cache.ReadValues(int64_t(k0) * step, static_cast<int>(length), span.data());
            for (int32_t j = 0; j < m; ++j)
                out[size_t(j)] = span[size_t(j * step)];
        } else {
            for (int32_t j = 0; j < m; ++j)
                cache.ReadValues(int64_t(k0 + j) * step, 1, &out[size_t(j)]);
        }
        if (cache.LoadWindow(k0, m, kWindowFromIndex, false) >= m) {
            std::copy(out.begin(), out.end(), cache.GetWindowBuffer());
            cache.SetDirty(true);
        } else {
            for (int32_t j = 0; j < m; ++j)
                cache.SetAt(k0 + j, out[size_t(j)]);
        }
    }
    cache.ReleaseWindow();
    cache.CloseIfOpened(wasOpen);
}

template <class T> void DecimateArray(CDataTank<T>& tank, int64_t step, int32_t kept)
{
    auto values = tank.Values();
    for (int32_t k = 0; k < kept && int64_t(k) * step < int64_t(values.size()); ++k)
        values[size_t(k)] = values[size_t(k * step)];
}

void DecimateTexts(CStringDataTank& tank, int64_t step, int32_t kept)
{
    fw::CString text;
    for (int32_t k = 0; k < kept && int64_t(k) * step < tank.GetArraySize(); ++k) {
        tank.GetAt(static_cast<int>(k * step), text);
        tank.SetAt(k, text);
    }
}

} // namespace

void CKivSPTankData::DecimateTank(CDataTankObject* tank, int n, int32_t kept)
{
    CDataTankObject* t = ValueTankOf(tank);
    if (!t)
        return;
    const int64_t step = int64_t(n) + 1;
    const int32_t have = static_cast<int32_t>((int64_t(n) + t->GetDataCount()) / step);
    if (auto* axis = dynamic_cast<CTimeDataTank*>(t)) {
        // A computed axis keeps its meaning with a wider step.
        axis->SetInterval(axis->GetInterval() * static_cast<double>(step));
    } else if (!VisitCacheTank(t, [&](auto& cache) { DecimateCache(cache, step, have); })) {
        if (auto* a = dynamic_cast<CDataTank<float>*>(t))
            DecimateArray(*a, step, have);
        else if (auto* a = dynamic_cast<CDataTank<double>*>(t))
            DecimateArray(*a, step, have);
        else if (auto* a = dynamic_cast<CDataTank<int32_t>*>(t))
            DecimateArray(*a, step, have);
        else if (auto* a = dynamic_cast<CDataTank<int16_t>*>(t))
            DecimateArray(*a, step, have);
        else if (auto* a = dynamic_cast<CDataTank<uint32_t>*>(t))
            DecimateArray(*a, step, have);
        else if (auto* texts = dynamic_cast<CStringDataTank*>(t))
            DecimateTexts(*texts, step, have);
    }
    t->SetSize(kept, true);
}

void CKivSPTankData::DecimateChannels(int n)
{
    // A negative n would step backwards (or not at all).
    if (n < 0 || n >= m_dataCount)
        return;
    const auto kept = static_cast<int32_t>((int64_t(n) + m_dataCount) / (int64_t(n) + 1));
    try {
        // A tank held in several slots is decimated once.
        std::vector<CDataTankObject*> done;
        for (int i = 0; i < GetSize(); ++i) {
            CDataTankObject* tank = GetAt(i);
            if (!tank || tank->GetDataCount() <= n || std::find(done.begin(), done.end(), tank) != done.end())
                continue;
            DecimateTank(tank, n, kept);
            done.push_back(tank);
        }
        SetDataCount(-1, true);
    } catch (const std::exception& e) {
        fw::ReportException(e);
    }
}
